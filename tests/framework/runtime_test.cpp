// The dispatch point, the unhandled-exception handling, the message box, the beep,
// quitting and start-up, on the real toolkit.
#include <QApplication>
#include <QGuiApplication>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

#include "framework/dialogs/dialogs.hpp"
#include "framework/runtime/application.hpp"
#include "framework/runtime/dispatch.hpp"
#include "framework/runtime/startup.hpp"
#include "tests/framework/fixture_windows.hpp"
#include "tests/support/test_presenter.hpp"
#include "tests/support/unhandled_exceptions.hpp"

namespace {

// Records every message box while it is open, then dismisses it.
struct Boxes {
    std::vector<std::string> texts;
    std::vector<bool> modal;
    Boxes() {
        fw::SetMessageBoxObserver([this](const std::string& text) {
            texts.push_back(text);
            modal.push_back(QApplication::activeModalWidget() != nullptr);
            EXPECT_TRUE(fw::DismissMessageBox());
        });
    }
    ~Boxes() { fw::SetMessageBoxObserver({}); }
};

TEST(Dispatch, AnExceptionFromAHandlerGoesToTheUnhandledExceptionHandling) {
    std::vector<std::string> caught;
    fw::SetUnhandledExceptionHandler([&](std::exception_ptr e) {
        try {
            std::rethrow_exception(e);
        } catch (const fw::RuntimeException& r) {
            caught.emplace_back(r.TypeName());
        }
    });
    fixture::FormWnd* form = fixture::FormWnd::Instance();
    form->CalculateBtn()->OnAction([](fw::PushButton&) { throw fw::NilObjectException(); });
    form->CalculateBtn()->Push();
    EXPECT_FALSE(fw::DispatchBool([]() -> bool { throw fw::OutOfBoundsException(); }));
    EXPECT_EQ(caught, (std::vector<std::string>{"NilObjectException", "OutOfBoundsException"}));
    fw::SetUnhandledExceptionHandler({});
}

TEST(Dispatch, AnUnhandledExceptionIsNamedInAModalMessageAndEndsTheLoopWithCode1) {
    Boxes boxes;
    QTimer::singleShot(0, [] { fw::Dispatch([] { throw fw::IllegalCastException(); }); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });  // never reached when it works
    fw::RuntimeRun();
    EXPECT_EQ(fw::RuntimeExit(), 1);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "An exception of class IllegalCastException was not handled. The application must shut down.");
    EXPECT_TRUE(boxes.modal[0]);

    fw::UnhandledException(std::make_exception_ptr(std::runtime_error("disk full")));
    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_NE(boxes.texts[1].find("std::exception"), std::string::npos);
    EXPECT_NE(boxes.texts[1].find("disk full"), std::string::npos);
}

TEST(MsgBox, ShowsTheTextAsGivenModallyAndReturnsWhenDismissed) {
    EXPECT_FALSE(fw::DismissMessageBox());
    Boxes boxes;
    const std::string text = "Please check <b>V</b> & S\tnow";
    fw::MsgBox(text);
    fw::MsgBox("second");
    EXPECT_EQ(boxes.texts, (std::vector<std::string>{text, "second"}));
    EXPECT_EQ(boxes.modal, (std::vector<bool>{true, true}));
    EXPECT_FALSE(fw::DismissMessageBox());

    const std::int64_t beeps = fw::BeepCount();
    fw::Beep();
    EXPECT_EQ(fw::BeepCount(), beeps + 1);
}

TEST(Quit, EndsTheLoopOnceWithTheFirstRequestsCode) {
    QTimer::singleShot(0, [] {
        fw::Quit(4);
        fw::Quit(7);
    });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
    fw::RuntimeRun();
    EXPECT_EQ(fw::RuntimeExit(), 4);
    fw::Quit(0);
    fw::RuntimeRun();  // quitting already: returns at once
    EXPECT_EQ(fw::RuntimeExit(), 4);
}

// Each step is seen by what it has done: the framework's own set-up (quitting when the last
// window closes) comes before the late start-up, and the event loop runs only in RuntimeRun.
TEST(FrameworkStartUp, TheStepsTakeEffectInOrderAndRunTheLateStartup) {
    fw::SetSupportsHiDPI(true);
    fw::InitExternalClasses();
    fw::InitPluginEntrypoints();
    struct App : fw::Application {
        std::string_view ClassName() const override { return "App"; }
        fw::AppEvents ImplementedEvents() const override { return {fw::AppEvent::EnableMenuItems}; }
    };
    fw::RegisterAppObject(std::make_unique<App>());
    fw::GetAppObject()->AddMenuHandler("AboutMenuItem", [] { return false; });
    EXPECT_NE(fw::GetAppObject()->FindMenuHandler("AboutMenuItem"), nullptr);
    EXPECT_TRUE(fw::GetAppObject()->IsEventImplemented("EnableMenuItems"));
    EXPECT_FALSE(fw::GetAppObject()->IsEventImplemented("Open"));

    const auto frameworkReady = [] {
        EXPECT_TRUE(QGuiApplication::quitOnLastWindowClosed());
        EXPECT_EQ(QThread::currentThread()->loopLevel(), 0);
    };
    QGuiApplication::setQuitOnLastWindowClosed(false);
    fw::RunFrameworkInitialization([&] {
        frameworkReady();
        fixture::FormWnd::Instance();
    });
    EXPECT_NE(fw::GetImplicitWindow("FormWnd.FormWnd"), nullptr);
    QGuiApplication::setQuitOnLastWindowClosed(false);
    EXPECT_THROW(fw::RunFrameworkInitialization([&] {
        frameworkReady();
        throw fw::NilObjectException();
    }), fw::NilObjectException);

    int loopLevel = 0;
    QTimer::singleShot(0, [&] {
        loopLevel = QThread::currentThread()->loopLevel();
        fw::Quit(0);
    });
    fw::RuntimeRun();
    EXPECT_EQ(loopLevel, 1);
    EXPECT_TRUE(fw::SupportsHiDPI());
}

}  // namespace
