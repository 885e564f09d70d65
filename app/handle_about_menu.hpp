#pragma once
// The application object: the one instance of the system's application class, made at
// start-up with the version data. Its one menu handler is the About command.
#include <string_view>

#include "framework/runtime/application.hpp"
#include "framework/runtime/events.hpp"

class HandleAboutMenu : public fw::Application {
public:
    std::string_view ClassName() const override { return "HandleAboutMenu"; }
    fw::AppEvents ImplementedEvents() const override { return {fw::AppEvent::EnableMenuItems}; }

    // The application's part of the enabling cycle: it changes nothing.
    void Event_EnableMenuItems() override {}
    // The menu handler for "AboutMenuItem": shows the About window; gives False.
    bool AboutMenuItem_Action();
};

// The registered application object as the system's application class; none when there is
// none registered, IllegalCastException when it is of another class.
HandleAboutMenu* App();
