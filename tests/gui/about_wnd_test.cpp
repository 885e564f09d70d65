// The About window: how it looks when made, and how it gives way to the main window.
#include <QApplication>
#include <QTest>

#include "calculator/control_wnd.hpp"
#include "framework/windows/controls.hpp"
#include "info/about_command.hpp"
#include "info/about_wnd.hpp"
#include "tests/support/system_window_test.hpp"
#include "tests/support/fake_clock.hpp"

namespace {

constexpr const char* kAbout = "AboutWnd.AboutWnd";
constexpr const char* kMain = "ControlWnd.ControlWnd";

class AboutWindow : public SystemWindowTest {
protected:
    void SetUp() override {
        SystemWindowTest::SetUp();
        about = AboutWnd::Instance();
    }

    void PressKey() { QTest::keyClick(fw::detail::NativeWindow(*about), Qt::Key_X); }
    void Click() { QTest::mouseClick(ContentOf(about), Qt::LeftButton, {}, QPoint(20, 100)); }

    AboutWnd* about = nullptr;
};

TEST_F(AboutWindow, IsMadeShownAloneWithoutAMenuBar) {
    EXPECT_TRUE(about->IsVisible());
    EXPECT_FALSE(Exists(kMain));
    EXPECT_EQ(about->GetMenuBar(), nullptr);
    EXPECT_EQ(ContentOf(about)->size(), QSize(300, 243));
    EXPECT_EQ(about->StaticText1()->Text(), "Orvantide");
    ASSERT_NE(about->Canvas1()->Backdrop(), nullptr);
    EXPECT_EQ(about->Timer1()->Period(), 4000);
    EXPECT_EQ(about->Timer1()->RunMode(), 1);
}

TEST_F(AboutWindow, GivesWayToTheMainWindow4000msAfterItWasMade) {
    // The timer counts from when it was armed in real time, so leave the real time that the
    // test itself takes some room before the 4000 ms mark.
    fw::AdvanceTimersBy(3900);
    EXPECT_TRUE(about->IsVisible());
    EXPECT_FALSE(Exists(kMain));
    fw::AdvanceTimersBy(100);
    EXPECT_FALSE(about->IsVisible());
    EXPECT_TRUE(Shown(kMain));
}

TEST_F(AboutWindow, GivesWayAtOnceOnAKeyOrAClickAndTheTimerStillShowsTheMainWindow) {
    for (bool byKey : {true, false}) {
        AboutWnd::Instance()->Close();
        QCoreApplication::processEvents();
        if (auto* main = fw::GetImplicitWindow(kMain)) main->Hide();
        about = AboutWnd::Instance();
        byKey ? PressKey() : Click();
        EXPECT_FALSE(about->IsVisible()) << byKey;
        EXPECT_TRUE(Shown(kMain)) << byKey;

        fw::GetImplicitWindow(kMain)->Hide();
        fw::AdvanceTimersBy(4000);
        EXPECT_FALSE(about->IsVisible()) << byKey;
        EXPECT_TRUE(Shown(kMain)) << "the timer shows the main window once more";
    }
}

TEST_F(AboutWindow, ShownAgainBeforeTheTimerFiresItStillGoesAwayAt4000ms) {
    PressKey();
    fw::AdvanceTimersBy(1000);
    EXPECT_FALSE(AboutCommand());
    EXPECT_TRUE(about->IsVisible());
    EXPECT_EQ(AboutWnd::Instance(), about) << "no second About window";
    fw::AdvanceTimersBy(3000);
    EXPECT_FALSE(about->IsVisible());
}

TEST_F(AboutWindow, ItsTimerFiresOnlyOnce) {
    fw::AdvanceTimersBy(4000);
    AboutCommand();
    fw::AdvanceTimersBy(60000);
    EXPECT_TRUE(about->IsVisible());
    EXPECT_FALSE(about->Timer1()->IsArmed());
    PressKey();
    EXPECT_FALSE(about->IsVisible());
}

TEST_F(AboutWindow, ItsTimerLeavesAnOpenMessageBoxOnTopWithTheKeyboard) {
    for (bool mainWindowShownFirst : {true, false}) {
        AboutWnd::Instance()->Close();
        if (auto* main = fw::GetImplicitWindow(kMain)) main->Close();
        QCoreApplication::processEvents();
        about = AboutWnd::Instance();
        if (mainWindowShownFirst) PressKey();

        MessageLog log;
        bool boxWasActive = false, boxStayedActive = false;
        log.whileOpen = [&](const std::string&) {
            QWidget* box = QApplication::activeModalWidget();
            boxWasActive = box != nullptr && QTest::qWaitForWindowActive(box);
            fw::AdvanceTimersBy(4000);
            QTest::qWait(50);
            boxStayedActive = QApplication::activeWindow() == box && QApplication::activeModalWidget() == box;
        };
        fw::MsgBox("Variables must range from 2-99");
        ASSERT_TRUE(boxWasActive) << mainWindowShownFirst;
        EXPECT_TRUE(boxStayedActive) << mainWindowShownFirst;
        EXPECT_TRUE(Shown(kMain)) << "the main window is shown all the same";
        EXPECT_FALSE(about->IsVisible());
    }
}

TEST_F(AboutWindow, ItsKeyAndMouseHandlersGiveFalse) {
    EXPECT_FALSE(about->Event_KeyDown("a"));
    EXPECT_FALSE(about->Event_MouseDown(-5, 1000));
}

}  // namespace
