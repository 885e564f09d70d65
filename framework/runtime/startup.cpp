// Start-up and shut-down: the toolkit's application object, the event loop, the exit code.
#include "framework/runtime/startup.hpp"

#include <QApplication>
#include <QGuiApplication>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>

#include "framework/runtime/application.hpp"
#include "framework/runtime/runtime_state.hpp"
#include "framework/text/exceptions.hpp"
#include "framework/windows/device_pixels.hpp"
#include "framework/windows/window_impl.hpp"

namespace fw {
namespace {

// A message that the toolkit logged while it opened its platform.
struct HeldMessage {
    QtMsgType type;
    std::string file, function, category;
    int line;
    QString text;
};

struct RuntimeState {
    // The toolkit gets the program's name and nothing else: the program reads no options,
    // so none of the toolkit's own (-stylesheet, -reverse, ...) may take effect either.
    std::string programName = "orvantide";
    int toolkitArgc = 1;
    char* toolkitArgv[2] = {nullptr, nullptr};
    bool hiDPI = false;
    std::unique_ptr<QApplication> ownApplication;  // when the framework made it
    bool running = false;
    bool quitting = false;
    int exitCode = 0;
    std::vector<std::string> trace;
    std::mutex heldMutex;
    std::vector<HeldMessage> held;
    QtMessageHandler toolkitHandler = nullptr;
};

RuntimeState& State() {
    static RuntimeState state;
    return state;
}

std::string ProductName() {
    const Application* app = GetAppObject();
    return app != nullptr && !app->Version().packageInfo.empty() ? app->Version().packageInfo : "This program";
}

// While the toolkit opens its platform, its messages are held back. When no platform can be
// opened (no display, an unreachable one), the toolkit ends the process from a fatal message
// with advice about reinstalling; the user gets one plain line and exit code 1 instead.
void HoldWhileOpening(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s needs a graphical display, and none could be opened.\n", ProductName().c_str());
        std::fflush(stderr);
        std::_Exit(1);
    }
    auto text8 = [](const char* s) { return std::string(s != nullptr ? s : ""); };
    RuntimeState& s = State();
    const std::lock_guard lock(s.heldMutex);
    s.held.push_back({type, text8(context.file), text8(context.function), text8(context.category), context.line, text});
}

// The platform is open: the held messages go where they would have gone.
void ReleaseHeldMessages() {
    RuntimeState& s = State();
    qInstallMessageHandler(s.toolkitHandler);
    std::vector<HeldMessage> held;
    {
        const std::lock_guard lock(s.heldMutex);
        held.swap(s.held);
    }
    auto orNull = [](const std::string& text) { return text.empty() ? nullptr : text.c_str(); };
    for (const HeldMessage& m : held) {
        const QMessageLogContext context(orNull(m.file), m.line, orNull(m.function), orNull(m.category));
        s.toolkitHandler(m.type, context, m.text);
    }
}

}  // namespace

namespace detail {

void EnsureApplication() {
    if (QApplication::instance() != nullptr) return;
    RuntimeState& s = State();
    s.toolkitArgv[0] = s.programName.data();
    s.toolkitHandler = qInstallMessageHandler(HoldWhileOpening);
    s.ownApplication = std::make_unique<QApplication>(s.toolkitArgc, s.toolkitArgv);
    ReleaseHeldMessages();
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

void ResetRuntimeState() {
    RuntimeState& s = State();
    s.hiDPI = s.quitting = false;
    s.exitCode = 0;
    s.trace.clear();
}

}  // namespace detail

void RuntimeInit(int argc, char** argv) {
    if (argc > 0 && argv != nullptr && argv[0] != nullptr && *argv[0] != '\0') State().programName = argv[0];
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
