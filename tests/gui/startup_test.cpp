// Start-up as the framework sees it, the application object and its version data, and the
// events that each of the system's classes declares.
#include <QTimer>

#include <string>
#include <vector>

#include "app/handle_about_menu.hpp"
#include "app/startup.hpp"
#include "calculator/control_wnd.hpp"
#include "framework/runtime/application.hpp"
#include "framework/runtime/startup.hpp"
#include "info/about_wnd.hpp"
#include "info/description_wnd.hpp"
#include "tests/support/system_window_test.hpp"

namespace {

class StartUp : public SystemWindowTest {};

TEST_F(StartUp, RunsItsStepsInOrderAndMakesTheAboutWindowFirst) {
    QTimer::singleShot(0, [] {
        EXPECT_TRUE(Shown("AboutWnd.AboutWnd"));
        EXPECT_FALSE(Exists("ControlWnd.ControlWnd"));
        EXPECT_FALSE(Exists("DescriptionWnd.DescriptionWnd"));
        fw::Quit(0);
    });
    Main();
    const std::vector<std::string> expected = {
        "SetSupportsHiDPI",
        "InitExternalClasses",
        "InitPluginEntrypoints",
        "RegisterFileType text",
        "RegisterFileType ",
        "RegisterAppObject",
        "AddAppMenuHandler AboutMenuItem",
        "FrameworkInitialized",
        "WindowConstructed AboutWnd.AboutWnd",
        "RuntimeRun",
    };
    EXPECT_EQ(fw::StartupTrace(), expected);
    EXPECT_EQ(fw::RuntimeExit(), 0);
}

TEST_F(StartUp, GivesTheApplicationItsVersionData) {
    EarlyStartup();
    const fw::VersionData& version = fw::NotNil(App()).Version();
    EXPECT_EQ(version.majorVersion, 3);
    EXPECT_EQ(version.minorVersion, 0);
    EXPECT_EQ(version.bugVersion, 0);
    EXPECT_EQ(version.nonReleaseVersion, 0);
    EXPECT_EQ(version.stageCode, 3);
    EXPECT_EQ(version.shortVersion, "3.0");
    EXPECT_EQ(version.packageInfo, "Orvantide");
    EXPECT_FALSE(version.longVersion.empty());
}

TEST_F(StartUp, TheApplicationsAboutHandlerShowsTheAboutWindow) {
    EarlyStartup();
    fw::RunFrameworkInitialization(LateStartup);
    AboutWnd::Instance()->Hide();
    const fw::MenuHandler* handler = App()->FindMenuHandler("AboutMenuItem");
    ASSERT_NE(handler, nullptr);
    EXPECT_FALSE((*handler)());
    EXPECT_TRUE(Shown("AboutWnd.AboutWnd"));
}

TEST_F(StartUp, EachClassDeclaresExactlyItsEvents) {
    EarlyStartup();
    struct Case {
        const char* event;
        bool main, about, description;
    };
    const Case cases[] = {
        {"Layout", true, true, true},         {"CreateControls", true, true, true},
        {"KeyDown", false, true, false},      {"MouseDown", false, true, false},
        {"Activate", true, false, false},     {"Close", true, false, false},
        {"AddMenuHandlers", true, false, true}, {"EnableMenuItems", true, false, true},
        {"CancelClose", false, false, false}, {"Open", false, false, false},
    };
    const fw::Window* main = ControlWnd::Instance();
    const fw::Window* about = AboutWnd::Instance();
    const fw::Window* description = DescriptionWnd::Instance();
    for (const Case& c : cases) {
        EXPECT_EQ(main->IsEventImplemented(c.event), c.main) << c.event;
        EXPECT_EQ(about->IsEventImplemented(c.event), c.about) << c.event;
        EXPECT_EQ(description->IsEventImplemented(c.event), c.description) << c.event;
    }
    EXPECT_TRUE(App()->IsEventImplemented("EnableMenuItems"));
    EXPECT_FALSE(App()->IsEventImplemented("UnhandledException"));
    EXPECT_FALSE(App()->IsEventImplemented("Open"));
}

}  // namespace
