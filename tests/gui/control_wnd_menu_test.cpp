// The main window's menu commands, its enabling step and its menu items found by Name.
// (Activation against the About window: control_wnd_commands_test.)
#include <QTest>

#include <string>
#include <utility>
#include <vector>

#include "calculator/control_wnd.hpp"
#include "calculator/module1.hpp"
#include "framework/menus/menu.hpp"
#include "info/description_wnd.hpp"
#include "tests/support/system_window_test.hpp"

namespace {

constexpr const char* kDescription = "DescriptionWnd.DescriptionWnd";

class MainWindowMenu : public SystemWindowTest {
protected:
    void SetUp() override {
        SystemWindowTest::SetUp();
        window = ControlWnd::Instance();
        window->Show();
    }

    void ClickHelpPicture() { QTest::mouseClick(Native(window->Canvas2()), Qt::LeftButton); }

    ControlWnd* window = nullptr;
};

TEST_F(MainWindowMenu, DescriptionCommandsShowTheOneDescriptionWindow) {
    EXPECT_FALSE(window->DescriptionMenuItem_Action());
    fw::Window* description = fw::GetImplicitWindow(kDescription);
    ASSERT_NE(description, nullptr);
    EXPECT_TRUE(description->IsVisible());
    description->Hide();
    ClickHelpPicture();
    EXPECT_EQ(fw::GetImplicitWindow(kDescription), description);
    EXPECT_TRUE(description->IsVisible());
    EXPECT_FALSE(window->DescriptionMenuItem_Action());
    EXPECT_EQ(fw::GetImplicitWindow(kDescription), description);

    description->Close();
    EXPECT_FALSE(Exists(kDescription));
    ClickHelpPicture();
    EXPECT_TRUE(Shown(kDescription)) << "a new one after the close";
}

TEST_F(MainWindowMenu, EnablingSetsFiveItemsInOrder) {
    std::vector<std::pair<std::string, bool>> changes;
    std::vector<fw::MenuItem::Observation> observations;
    // Every item starts in the opposite state, so that each setting is seen as a change.
    const std::pair<fw::MenuItem*, bool> items[] = {
        {window->ControlMenuItem(), false}, {window->DescriptionMenuItem(), true},
        {window->AboutMenuItem(), true},    {window->CloseMenuItem(), true},
        {window->ResultsMenuItem(), false},
    };
    for (auto [item, enabled] : items) {
        item->SetEnabled(!enabled);
        observations.push_back(item->Observe([&changes](const fw::MenuItem& changed) {
            changes.emplace_back(changed.Name(), changed.Enabled());
        }));
    }
    window->Event_EnableMenuItems();
    observations.clear();
    const std::vector<std::pair<std::string, bool>> expected = {
        {"ControlMenuItem", false}, {"DescriptionMenuItem", true}, {"AboutMenuItem", true},
        {"CloseMenuItem", true},    {"ResultsMenuItem", false},
    };
    EXPECT_EQ(changes, expected);

    Module1::dirty = "yes";
    window->Event_EnableMenuItems();
    EXPECT_TRUE(window->ResultsMenuItem()->Enabled());
}

TEST_F(MainWindowMenu, MenuItemAccessorsFindTheItemsOfTheirNames) {
    const std::pair<const char*, fw::MenuItem*> items[] = {
        {"UntitledMenu4", window->UntitledMenu4()}, {"WindowMenu", window->WindowMenu()},
        {"UntitledMenu5", window->UntitledMenu5()}, {"AboutQor", window->AboutQor()},
        {"UntitledMenu6", window->UntitledMenu6()}, {"ResultsMenuItem", window->ResultsMenuItem()},
        {"DescriptionMenuItem", window->DescriptionMenuItem()},
        {"AboutMenuItem", window->AboutMenuItem()}, {"ControlMenuItem", window->ControlMenuItem()},
        {"UntitledMenu0", window->UntitledMenu0()}, {"UntitledMenu7", window->UntitledMenu7()},
        {"EditClear", window->EditClear()},         {"EditPaste", window->EditPaste()},
        {"EditCopy", window->EditCopy()},           {"EditCut", window->EditCut()},
        {"UntitledMenu1", window->UntitledMenu1()}, {"EditUndo", window->EditUndo()},
        {"UntitledMenu2", window->UntitledMenu2()}, {"UntitledMenu8", window->UntitledMenu8()},
        {"FileQuit", window->FileQuit()},           {"CloseMenuItem", window->CloseMenuItem()},
        {"UntitledMenu3", window->UntitledMenu3()},
    };
    for (auto [name, item] : items) {
        ASSERT_NE(item, nullptr) << name;
        EXPECT_EQ(item->Name(), name);
    }
}

TEST_F(MainWindowMenu, TheCloseItemClosesTheMainWindow) {
    EXPECT_FALSE(window->CloseMenuItem_Action());
    EXPECT_FALSE(Exists("ControlWnd.ControlWnd"));
}

TEST_F(MainWindowMenu, RegistersItsSixHandlersByItemName) {
    for (const char* name : {"DescriptionMenuItem", "AboutQor", "ResultsMenuItem", "FileQuit",
                             "CloseMenuItem", "AboutMenuItem"}) {
        EXPECT_NE(window->FindMenuHandler(name), nullptr) << name;
    }
    for (const char* name : {"ControlMenuItem", "EditCopy", "WindowMenu"}) {
        EXPECT_EQ(window->FindMenuHandler(name), nullptr) << name;
    }
    const fw::MenuHandler* results = window->FindMenuHandler("ResultsMenuItem");
    ASSERT_NE(results, nullptr);
    EXPECT_FALSE((*results)());
}

}  // namespace
