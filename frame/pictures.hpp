#pragma once
// The system's two pictures, each found by the framework's resource lookup on first use and
// then kept for the rest of the run; a use while none has been found asks the lookup again.
#include <memory>

#include "framework/pictures/picture.hpp"

// The "D²" emblem of the main window and the About window ("D2.png").
std::shared_ptr<fw::Picture> D2();
// The help sign of the main window ("QuestMoss1.png").
std::shared_ptr<fw::Picture> QuestMoss1();

// Both accessors unused again, as at the start of a run (tests that run many cases in one
// process).
void ForgetPictures();
