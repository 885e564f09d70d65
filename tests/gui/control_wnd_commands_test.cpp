// The main window's activation against the About window, on real widgets: activating the
// main window hides the About window, and after a shown About window was closed, the
// activation makes a hidden one whose own timer shows the main window 4000 ms later.
#include <QMainWindow>
#include <QTest>

#include <gtest/gtest.h>

#include "calculator/control_wnd.hpp"
#include "framework/windows/controls.hpp"
#include "info/about_command.hpp"
#include "info/about_wnd.hpp"
#include "tests/support/system_window_test.hpp"
#include "tests/support/fake_clock.hpp"

namespace {

constexpr const char* kAbout = "AboutWnd.AboutWnd";
constexpr const char* kMain = "ControlWnd.ControlWnd";

class ControlWndCommandsTest : public SystemWindowTest {
protected:
    // The About window of start-up, after its timer has given way to the main window.
    ControlWnd* StartedMainWindow() {
        AboutWnd::Instance();
        fw::AdvanceTimersBy(4000);
        EXPECT_FALSE(Shown(kAbout));
        EXPECT_TRUE(Shown(kMain));
        return ControlWnd::Instance();
    }

    static void Activate(fw::Window* window) {
        QMainWindow* native = fw::detail::NativeWindow(fw::NotNil(window));
        native->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(native));
    }

    // Another top-level window takes the activation, so that the next one is a new one.
    void ActivateElsewhere() {
        elsewhere_.show();
        elsewhere_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere_));
    }

    QWidget elsewhere_;
};

TEST_F(ControlWndCommandsTest, EveryActivationOfTheMainWindowHidesTheAboutWindow) {
    ControlWnd* main = StartedMainWindow();
    for (int round = 0; round < 2; ++round) {
        ActivateElsewhere();
        EXPECT_FALSE(AboutCommand());
        ASSERT_TRUE(Shown(kAbout)) << "round " << round;
        Activate(main);
        EXPECT_TRUE(Exists(kAbout));
        EXPECT_FALSE(Shown(kAbout)) << "round " << round;
    }
}

TEST_F(ControlWndCommandsTest, AfterAShownAboutWindowClosedActivationMakesAHiddenOneThatShowsTheMainWindowLater) {
    ControlWnd* main = StartedMainWindow();
    ActivateElsewhere();
    AboutCommand();
    ASSERT_TRUE(Shown(kAbout));
    fw::detail::NativeWindow(*AboutWnd::Instance())->close();
    ASSERT_FALSE(Exists(kAbout));

    Activate(main);
    ASSERT_TRUE(Exists(kAbout)) << "the activation made no About window";
    EXPECT_FALSE(Shown(kAbout));

    // The new window's own timer gives way to the main window 4000 ms after it was made.
    main->Hide();
    fw::AdvanceTimersBy(3999);
    EXPECT_FALSE(Shown(kMain));
    fw::AdvanceTimersBy(1);
    EXPECT_TRUE(Shown(kMain));
    EXPECT_FALSE(Shown(kAbout));
}

}  // namespace
