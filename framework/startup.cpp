// Start-up and shut-down: the toolkit's application object, the event loop, the exit code.
#include "framework/startup.hpp"

#include <QApplication>
#include <QGuiApplication>
#include <QThread>
#include <memory>

#include "framework/application.hpp"
#include "framework/device_pixels.hpp"
#include "framework/exceptions.hpp"
#include "framework/runtime_state.hpp"
#include "framework/window_impl.hpp"

namespace fw {
namespace {

struct RuntimeState {
    int argc = 0;
    char** argv = nullptr;
    bool hiDPI = false;
    std::unique_ptr<QApplication> ownApplication;  // when the framework made it
    bool running = false;
    bool quitting = false;
    int exitCode = 0;
    std::vector<std::string> trace;
};

RuntimeState& State() {
    static RuntimeState state;
    return state;
}

char* DefaultArgv[] = {const_cast<char*>("orvantide"), nullptr};

}  // namespace

namespace detail {

void EnsureApplication() {
    if (QApplication::instance() != nullptr) return;
    RuntimeState& s = State();
    if (s.argc <= 0 || s.argv == nullptr) {
        s.argc = 1;
        s.argv = DefaultArgv;
    }
    s.ownApplication = std::make_unique<QApplication>(s.argc, s.argv);
    if (const Application* app = GetAppObject(); app != nullptr && !app->Version().packageInfo.empty()) {
        QCoreApplication::setApplicationName(QString::fromStdString(app->Version().packageInfo));
    }
}

void RequireGuiThread() {
    const QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr) throw RuntimeException("The framework has not been initialised");
    if (QThread::currentThread() != app->thread()) throw ThreadAccessingUIException();
}

void EndApplication(int exitCode, bool force) {
    RuntimeState& s = State();
    if (s.quitting && !force) return;
    s.quitting = true;
    s.exitCode = exitCode;
    if (s.running) QCoreApplication::exit(exitCode);
}

bool IsQuitting() { return State().quitting; }
int ExitCode() { return State().exitCode; }

}  // namespace detail

void RuntimeInit(int argc, char** argv) {
    State().argc = argc;
    State().argv = argv;
}

void SetSupportsHiDPI(bool enabled) {
    TraceStartup("SetSupportsHiDPI");
    State().hiDPI = enabled;
    // Only takes effect before the toolkit's application exists, which is when it is called.
    if (QCoreApplication::instance() == nullptr) {
        QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
            enabled ? Qt::HighDpiScaleFactorRoundingPolicy::PassThrough
                    : Qt::HighDpiScaleFactorRoundingPolicy::Round);
    }
}

bool SupportsHiDPI() { return State().hiDPI; }

void InitExternalClasses() { TraceStartup("InitExternalClasses"); }
void InitPluginEntrypoints() { TraceStartup("InitPluginEntrypoints"); }

void RunFrameworkInitialization(const std::function<void()>& lateStartup) {
    detail::EnsureApplication();
    detail::InstallDevicePixelFrames();
    QGuiApplication::setQuitOnLastWindowClosed(true);
    TraceStartup("FrameworkInitialized");
    if (lateStartup) lateStartup();
}

void RuntimeRun() {
    TraceStartup("RuntimeRun");
    RuntimeState& s = State();
    if (s.quitting || QCoreApplication::instance() == nullptr) return;
    s.running = true;
    const int code = QCoreApplication::exec();
    s.running = false;
    // The loop also ends when the last visible window closes, with no request of ours.
    if (!s.quitting) {
        s.quitting = true;
        s.exitCode = code;
    }
}

int RuntimeExit() {
    RuntimeState& s = State();
    if (s.ownApplication) {
        detail::DestroyAllWindows();
        s.ownApplication.reset();
    }
    return s.exitCode;
}

const std::vector<std::string>& StartupTrace() { return State().trace; }
void TraceStartup(std::string step) { State().trace.push_back(std::move(step)); }

}  // namespace fw
