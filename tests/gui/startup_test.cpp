// Start-up as the framework sees it, the application object and its version data, and the
// events that each of the system's classes declares.
#include <QGuiApplication>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/file_types.hpp"
#include "app/handle_about_menu.hpp"
#include "app/startup.hpp"
#include "calculator/control_wnd.hpp"
#include "framework/runtime/application.hpp"
#include "framework/runtime/file_type.hpp"
#include "framework/runtime/startup.hpp"
#include "info/about_wnd.hpp"
#include "info/description_wnd.hpp"
#include "tests/support/system_window_test.hpp"
#include "tests/support/test_resources.hpp"

namespace {

class StartUp : public SystemWindowTest {};

std::vector<std::string> RegisteredFileTypeNames() {
    std::vector<std::string> names;
    for (const auto& registration : fw::RegisteredFileTypes()) names.push_back(registration.name);
    return names;
}

bool HasAboutHandler() {
    const fw::Application* app = fw::GetAppObject();
    return app != nullptr && app->FindMenuHandler("AboutMenuItem") != nullptr;
}

const HandleAboutMenu* ProgramsApp() { return dynamic_cast<const HandleAboutMenu*>(fw::GetAppObject()); }

bool EventLoopRunning() { return QThread::currentThread()->loopLevel() > 0; }

// An application object in place before start-up: registering the program's own destroys it,
// which lets the test look at the moment of that registration.
class EarlierApp final : public fw::Application {
public:
    explicit EarlierApp(std::function<void()> atRegistration) : atRegistration_(std::move(atRegistration)) {}
    ~EarlierApp() override { atRegistration_(); }
    std::string_view ClassName() const override { return "EarlierApp"; }
    fw::AppEvents ImplementedEvents() const override { return {}; }

private:
    std::function<void()> atRegistration_;
};

// Each step is seen by what it has done, at the moments the test can look from: when the
// start-up replaces the text file type held before it, when it registers the application
// object, when the first window looks up its picture while it is made, and in the event loop.
TEST_F(StartUp, RunsItsStepsInOrderAndMakesTheAboutWindowFirst) {
    QGuiApplication::setQuitOnLastWindowClosed(false);
    std::vector<std::string> moments;
    FileTypes::pText = std::shared_ptr<fw::FileType>(new fw::FileType, [&](fw::FileType* replaced) {
        moments.push_back("file types");
        EXPECT_TRUE(fw::SupportsHiDPI());
        EXPECT_TRUE(RegisteredFileTypeNames().empty());
        EXPECT_EQ(ProgramsApp(), nullptr);
        delete replaced;
    });
    fw::RegisterAppObject(std::make_unique<EarlierApp>([&] {
        moments.push_back("application object");
        EXPECT_TRUE(fw::SupportsHiDPI());
        EXPECT_EQ(RegisteredFileTypeNames(), (std::vector<std::string>{"text", ""}));
        EXPECT_NE(ProgramsApp(), nullptr);
        EXPECT_FALSE(HasAboutHandler());
        EXPECT_FALSE(QGuiApplication::quitOnLastWindowClosed());
        EXPECT_FALSE(Exists("AboutWnd.AboutWnd"));
    }));
    fw::WatchResourceLookups([&](std::string_view) {
        if (std::find(moments.begin(), moments.end(), "first window") != moments.end()) return;
        moments.push_back("first window");
        EXPECT_TRUE(HasAboutHandler());
        EXPECT_TRUE(QGuiApplication::quitOnLastWindowClosed());
        EXPECT_TRUE(Exists("AboutWnd.AboutWnd"));
        EXPECT_FALSE(Exists("ControlWnd.ControlWnd"));
        EXPECT_FALSE(EventLoopRunning());
    });
    QTimer::singleShot(0, [&] {
        moments.push_back("event loop");
        EXPECT_TRUE(Shown("AboutWnd.AboutWnd"));
        EXPECT_FALSE(Exists("ControlWnd.ControlWnd"));
        EXPECT_FALSE(Exists("DescriptionWnd.DescriptionWnd"));
        EXPECT_TRUE(EventLoopRunning());
        fw::Quit(0);
    });
    Main();
    fw::WatchResourceLookups({});
    EXPECT_EQ(moments, (std::vector<std::string>{"file types", "application object", "first window", "event loop"}));
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
