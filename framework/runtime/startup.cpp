// Start-up and shut-down: the toolkit's application object, the event loop, the exit code.
#include "framework/runtime/startup.hpp"

#include <QApplication>
#include <QGuiApplication>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "framework/runtime/application.hpp"
#include "framework/runtime/run.hpp"
#include "framework/runtime/runtime_state.hpp"
#include "framework/text/exceptions.hpp"
#include "framework/windows/device_pixels.hpp"

namespace fw {
namespace {

Toolkit& State() { return CurrentRun().toolkit; }

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
    Toolkit& s = State();
    const std::lock_guard lock(s.heldMutex);
    s.held.push_back({type, text8(context.file), text8(context.function), text8(context.category), context.line, text});
}

// The platform is open: the held messages go where they would have gone.
void ReleaseHeldMessages() {
    Toolkit& s = State();
    qInstallMessageHandler(s.handler);
    std::vector<HeldMessage> held;
    {
        const std::lock_guard lock(s.heldMutex);
        held.swap(s.held);
    }
    auto orNull = [](const std::string& text) { return text.empty() ? nullptr : text.c_str(); };
    for (const HeldMessage& m : held) {
        const QMessageLogContext context(orNull(m.file), m.line, orNull(m.function), orNull(m.category));
        s.handler(m.type, context, m.text);
    }
}

}  // namespace

namespace detail {

void EnsureApplication() {
    if (QApplication::instance() != nullptr) return;
    Toolkit& s = State();
    s.argv[0] = s.programName.data();
    s.handler = qInstallMessageHandler(HoldWhileOpening);
    s.ownApplication = std::make_unique<QApplication>(s.argc, s.argv);
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
    Toolkit& s = State();
    if (s.quitting && !force) return;
    s.quitting = true;
    s.exitCode = exitCode;
    if (s.running) QCoreApplication::exit(exitCode);
}

bool IsQuitting() { return State().quitting; }
int ExitCode() { return State().exitCode; }

}  // namespace detail

void RuntimeInit(int argc, char** argv) {
    if (argc > 0 && argv != nullptr && argv[0] != nullptr && *argv[0] != '\0') State().programName = argv[0];
}

void SetSupportsHiDPI(bool enabled) {
    State().hiDPI = enabled;
    // Only takes effect before the toolkit's application exists, which is when it is called.
    if (QCoreApplication::instance() == nullptr) {
        QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
            enabled ? Qt::HighDpiScaleFactorRoundingPolicy::PassThrough
                    : Qt::HighDpiScaleFactorRoundingPolicy::Round);
    }
}

bool SupportsHiDPI() { return State().hiDPI; }

void InitExternalClasses() {}
void InitPluginEntrypoints() {}

void RunFrameworkInitialization(const std::function<void()>& lateStartup) {
    detail::EnsureApplication();
    detail::InstallDevicePixelFrames();
    QGuiApplication::setQuitOnLastWindowClosed(true);
    if (lateStartup) lateStartup();
}

void RuntimeRun() {
    Toolkit& s = State();
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
    Toolkit& s = State();
    if (s.ownApplication) {
        CurrentRun().windows.DestroyAll();
        s.ownApplication.reset();
    }
    return s.exitCode;
}

}  // namespace fw
