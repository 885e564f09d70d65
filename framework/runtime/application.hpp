#pragma once
// The framework's application object, its version data, and quitting.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "framework/runtime/events.hpp"

namespace fw {

using MenuHandler = std::function<bool()>;

struct VersionData {
    std::int64_t majorVersion = 0, minorVersion = 0, bugVersion = 0, nonReleaseVersion = 0;
    std::int64_t stageCode = 0;  // 0 development, 1 alpha, 2 beta, 3 final
    std::string longVersion, shortVersion, packageInfo;
    std::int64_t regionCode = 0;
};

class Application {
public:
    virtual ~Application() = default;

    // The name under which the run time knows the class ("HandleAboutMenu").
    virtual std::string_view ClassName() const = 0;
    virtual AppEvents ImplementedEvents() const = 0;
    bool IsEventImplemented(std::string_view eventName) const;
    bool IsEventImplemented(AppEvent event) const { return ImplementedEvents().Contains(event); }
    virtual void Event_EnableMenuItems() {}

    // `Application._AddMenuHandler`: a handler for the item Name, asked when the window in
    // which the item was chosen has none (or its handler gives False).
    void AddMenuHandler(std::string itemName, MenuHandler handler);
    const MenuHandler* FindMenuHandler(std::string_view itemName) const;

    // `_x_SetVersionData`, in its argument order.
    void SetVersionData(std::int64_t major, std::int64_t minor, std::int64_t bug,
                        std::int64_t nonRelease, std::int64_t stageCode, std::string longVersion,
                        std::string shortVersion, std::string packageInfo);
    const VersionData& Version() const { return version_; }

private:
    std::map<std::string, MenuHandler, std::less<>> menuHandlers_;
    VersionData version_;
};

// `_RuntimeRegisterAppObject` / `_GetAppObject`: the framework keeps the one application.
void RegisterAppObject(std::unique_ptr<Application> app);
Application* GetAppObject();

// Asks the framework to end the application with this exit code: the event loop ends once;
// a second request while quitting does nothing.
void Quit(std::int64_t exitCode);

}  // namespace fw
