#include "app/startup.hpp"

#include <exception>
#include <memory>

#include "app/file_types.hpp"
#include "app/handle_about_menu.hpp"
#include "frame/credit.hpp"
#include "frame/menu_frame.hpp"
#include "framework/runtime/application.hpp"
#include "framework/runtime/dispatch.hpp"
#include "framework/runtime/startup.hpp"
#include "framework/text/exceptions.hpp"
#include "info/about_wnd.hpp"

void Main() {
    try {
        EarlyStartup();
        fw::RunFrameworkInitialization(LateStartup);
        fw::RuntimeRun();
    } catch (...) {
        fw::UnhandledException(std::current_exception());
    }
}

void EarlyStartup() {
    fw::SetSupportsHiDPI(true);
    fw::InitExternalClasses();
    fw::InitPluginEntrypoints();
    InitFileTypes();
    NewAppInstance();
    ApplicationAddMenuHandlers();
}

void InitFileTypes() { FileTypes::Initialize(); }

void NewAppInstance() {
    auto app = std::make_unique<HandleAboutMenu>();
    app->SetVersionData(3, 0, 0, 0, 3, kCreditLine, "3.0", "Orvantide");
    fw::RegisterAppObject(std::move(app));
}

void ApplicationAddMenuHandlers() {
    HandleAboutMenu& app = fw::NotNil(App());
    AddAppMenuHandler(app, "AboutMenuItem", &HandleAboutMenu::AboutMenuItem_Action);
}

void LateStartup() { MakeDefaultView(); }

void MakeDefaultView() { AboutWnd::Instance(); }
