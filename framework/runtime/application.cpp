// The application object that the framework keeps, its menu handlers and version data, and
// quitting.
#include "framework/runtime/application.hpp"

#include <QCoreApplication>

#include "framework/runtime/run.hpp"
#include "framework/runtime/runtime_state.hpp"

namespace fw {
namespace {

std::unique_ptr<Application>& AppObject() { return CurrentRun().app; }

}  // namespace

bool Application::IsEventImplemented(std::string_view eventName) const {
    const auto event = AppEventNamed(eventName);
    return event.has_value() && IsEventImplemented(*event);
}

void Application::AddMenuHandler(std::string itemName, MenuHandler handler) {
    menuHandlers_.insert_or_assign(std::move(itemName), std::move(handler));
}

const MenuHandler* Application::FindMenuHandler(std::string_view itemName) const {
    auto it = menuHandlers_.find(itemName);
    return it == menuHandlers_.end() ? nullptr : &it->second;
}

void Application::SetVersionData(std::int64_t major, std::int64_t minor, std::int64_t bug,
                                 std::int64_t nonRelease, std::int64_t stageCode, std::string longVersion,
                                 std::string shortVersion, std::string packageInfo) {
    version_.majorVersion = major;
    version_.minorVersion = minor;
    version_.bugVersion = bug;
    version_.nonReleaseVersion = nonRelease;
    version_.stageCode = stageCode;
    version_.longVersion = std::move(longVersion);
    version_.shortVersion = std::move(shortVersion);
    version_.packageInfo = std::move(packageInfo);
}

void RegisterAppObject(std::unique_ptr<Application> app) {
    AppObject() = std::move(app);
}

Application* GetAppObject() { return AppObject().get(); }

void Quit(std::int64_t exitCode) { detail::EndApplication(static_cast<int>(exitCode), false); }

}  // namespace fw
