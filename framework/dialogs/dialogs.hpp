#pragma once
// The modal message box and the beep.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace fw {

// An application-modal box with the text as given and one OK button; returns when the user
// dismisses it.
void MsgBox(std::string_view text);
// The platform's beep.
void Beep();

// Observation for tests, on the real widgets: the observer runs while the box is open and
// modal (from inside its event loop), and may dismiss it with DismissMessageBox().
void SetMessageBoxObserver(std::function<void(const std::string& text)> observer);
bool DismissMessageBox();  // closes the open box as OK would; false when none is open
std::int64_t BeepCount();   // beeps since the start

}  // namespace fw
