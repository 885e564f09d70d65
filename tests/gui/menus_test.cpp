// The two menu bars against their tables, the one way they are built (and rebuilt after a
// failed build), and the menu frame: items by Name, handler lists and enabling lists.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <typeinfo>
#include <vector>

#include "calculator/main_menu.hpp"
#include "frame/menu_bar_scheme.hpp"
#include "frame/menu_frame.hpp"
#include "frame/window_frame.hpp"
#include "framework/menus/menu.hpp"
#include "framework/runtime/application.hpp"
#include "framework/text/exceptions.hpp"
#include "info/menu_bar2.hpp"

namespace {

enum class Kind { Plain, Quit, Apple };

struct Expected {
    int depth;  // 0 a top-level menu, 1 an item of the last top-level menu above it
    const char* name;
    Kind kind;
    const char* text;
    std::optional<const char*> commandKey;  // none: never set
    bool autoEnable;
};

const std::optional<const char*> kNotSet;

const std::vector<Expected> kMainBar = {
    {0, "UntitledMenu3", Kind::Plain, "", "", false},
    {0, "UntitledMenu2", Kind::Plain, "File", "", false},
    {1, "CloseMenuItem", Kind::Plain, "Close", "", true},
    {1, "FileQuit", Kind::Quit, "Quit", "Ctrl+Q", true},
    {1, "UntitledMenu8", Kind::Plain, "", "", true},
    {0, "UntitledMenu0", Kind::Plain, "Edit", "", false},
    {1, "EditUndo", Kind::Plain, "Undo", "Ctrl+Z", false},
    {1, "UntitledMenu1", Kind::Plain, "-", kNotSet, false},
    {1, "EditCut", Kind::Plain, "Cut", "Ctrl+X", false},
    {1, "EditCopy", Kind::Plain, "Copy", "Ctrl+C", false},
    {1, "EditPaste", Kind::Plain, "Paste", "Ctrl+V", false},
    {1, "EditClear", Kind::Plain, "", "", false},
    {1, "UntitledMenu7", Kind::Plain, "", "", false},
    {0, "WindowMenu", Kind::Plain, "Window", "", false},
    {1, "ControlMenuItem", Kind::Plain, "Control", "", false},
    {1, "AboutMenuItem", Kind::Plain, "About Orvantide", "", false},
    {1, "DescriptionMenuItem", Kind::Plain, "Description", "", false},
    {1, "ResultsMenuItem", Kind::Plain, "Results", "", false},
    {1, "UntitledMenu6", Kind::Plain, "", "", true},
    {1, "AboutQor", Kind::Apple, "About Orvantide", "", false},
    {1, "UntitledMenu5", Kind::Apple, "", "", false},
    {0, "UntitledMenu4", Kind::Plain, "", "", false},
};

const std::vector<Expected> kDescriptionBar = {
    {0, "UntitledMenu1", Kind::Plain, "", "", true},
    {0, "FileMenu", Kind::Plain, "&File", "", true},
    {1, "PrintMenuItem", Kind::Plain, "Print", "Ctrl+P", true},
    {1, "CloseMenuItem", Kind::Plain, "Close", "", true},
    {1, "FileQuit", Kind::Quit, "Quit", "Ctrl+Q", true},
    {1, "UntitledMenu6", Kind::Plain, "", "", true},
    {0, "EditMenu", Kind::Plain, "&Edit", "", true},
    {1, "EditUndo", Kind::Plain, "Undo", "Ctrl+Z", true},
    {1, "UntitledMenu0", Kind::Plain, "-", kNotSet, true},
    {1, "EditCut", Kind::Plain, "Cut", "Ctrl+X", true},
    {1, "EditCopy", Kind::Plain, "Copy", "Ctrl+C", true},
    {1, "EditPaste", Kind::Plain, "Paste", "Ctrl+V", true},
    {1, "EditClear", Kind::Plain, "Clear", "", true},
    {1, "UntitledMenu5", Kind::Plain, "", "", true},
    {0, "WindowMenu", Kind::Plain, "Window", "", true},
    {1, "ControlMenuItem", Kind::Plain, "Control", "", true},
    {1, "UntitledMenu4", Kind::Plain, "", "", true},
    {1, "UntitledMenu3", Kind::Apple, "", "", true},
    {0, "UntitledMenu2", Kind::Plain, "", "", true},
};

const std::type_info& TypeOf(Kind kind) {
    switch (kind) {
        case Kind::Quit: return typeid(fw::QuitMenuItem);
        case Kind::Apple: return typeid(fw::AppleMenuItem);
        case Kind::Plain: break;
    }
    return typeid(fw::MenuItem);
}

// The bar walked in order, each entry with its depth: exactly two levels, nothing below.
std::vector<std::pair<int, fw::MenuItem*>> Walk(const fw::MenuBar& bar) {
    std::vector<std::pair<int, fw::MenuItem*>> entries;
    for (std::size_t m = 0; m < bar.Count(); ++m) {
        fw::MenuItem* menu = bar.Item(m);
        entries.emplace_back(0, menu);
        for (std::size_t i = 0; i < menu->Count(); ++i) {
            entries.emplace_back(1, menu->Item(i));
            EXPECT_EQ(menu->Item(i)->Count(), 0u) << menu->Item(i)->Name();
        }
    }
    return entries;
}

void ExpectBarMatches(const fw::MenuBar& bar, const std::vector<Expected>& table) {
    const auto entries = Walk(bar);
    ASSERT_EQ(entries.size(), table.size());
    std::set<std::string> names;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const Expected& want = table[i];
        const auto& [depth, entry] = entries[i];
        SCOPED_TRACE(want.name);
        EXPECT_EQ(depth, want.depth);
        EXPECT_EQ(entry->Name(), want.name);
        EXPECT_EQ(typeid(*entry), TypeOf(want.kind));
        EXPECT_EQ(entry->Text(), want.text);
        EXPECT_EQ(entry->CommandKeyWasSet(), want.commandKey.has_value());
        EXPECT_EQ(entry->CommandKey(), want.commandKey.value_or(""));
        EXPECT_EQ(entry->AutoEnable(), want.autoEnable);
        EXPECT_TRUE(entry->Visible());
        // Found by its Name at any depth, and it is the one entry of that Name.
        EXPECT_EQ(bar.Lookup(want.name), entry);
        EXPECT_TRUE(names.insert(want.name).second);
    }
    EXPECT_EQ(bar.Lookup("NoSuchItem"), nullptr);
}

TEST(MenuBars, TheMainBarIsItsTableBuiltOnceAndShared) {
    Menu* bar = Menu::Instance();
    ASSERT_NE(bar, nullptr);
    ExpectBarMatches(*bar, kMainBar);
    EXPECT_EQ(Menu::Instance(), bar);
    EXPECT_EQ(Menu::implicitInstance.get(), bar);
    EXPECT_EQ(bar->Lookup("AboutMenuItem")->Parent(), bar->Child("WindowMenu"));
}

TEST(MenuBars, TheDescriptionBarIsItsTableBuiltOnceAndShared) {
    MenuBar2* bar = MenuBar2::Instance();
    ASSERT_NE(bar, nullptr);
    ExpectBarMatches(*bar, kDescriptionBar);
    EXPECT_EQ(MenuBar2::Instance(), bar);
    EXPECT_EQ(bar->Lookup("AboutMenuItem"), nullptr);
    EXPECT_NE(static_cast<fw::MenuBar*>(bar), static_cast<fw::MenuBar*>(Menu::Instance()));
}

TEST(MenuModel, ChildFindsOnlyDirectChildrenAndItemChecksItsIndex) {
    Menu* bar = Menu::Instance();
    EXPECT_EQ(bar->Child("UntitledMenu2"), bar->Item(1));
    EXPECT_EQ(bar->Child("CloseMenuItem"), nullptr);
    EXPECT_EQ(bar->Item(1)->Child("CloseMenuItem"), bar->Lookup("CloseMenuItem"));
    EXPECT_THROW(bar->Item(5), fw::OutOfBoundsException);
    EXPECT_THROW(bar->Item(0)->Item(0), fw::OutOfBoundsException);
}

// An observation ends with the object that holds it, wherever it was moved; one that ends
// while the entry tells its observers is not told.
TEST(MenuModel, AnObserverIsToldOfChangesUntilItsObservationGoes) {
    fw::MenuItem item;
    std::vector<std::string> told;
    auto first = std::make_unique<fw::MenuItem::Observation>();
    fw::MenuItem::Observation second = item.Observe([&](const fw::MenuItem& changed) {
        told.push_back("second " + changed.Text());
    });
    *first = item.Observe([&](const fw::MenuItem& changed) {
        told.push_back("first " + changed.Text());
        if (changed.Text() == "end second") second = {};
    });

    item.SetText("a");
    item.SetEnabled(true);  // no change
    fw::MenuItem::Observation moved = std::move(second);
    item.SetText("b");
    moved = {};
    item.SetText("c");
    second = item.Observe([&](const fw::MenuItem& changed) { told.push_back("again " + changed.Text()); });
    item.SetText("end second");
    first.reset();
    item.SetText("d");

    EXPECT_EQ(told, (std::vector<std::string>{"second a", "first a", "second b", "first b",
                                              "first c", "first end second"}));
}

// An entry that cannot be made.
std::unique_ptr<fw::MenuItem> Unmakeable() { throw fw::RuntimeException("no entry"); }

constexpr MenuEntry kFailingItems[] = {
    {"First", kMenuItem, "First", "", true},
    {"Second", kQuitMenuItem, "Second", "Ctrl+S", true},
    {"Third", &Unmakeable, "Third", "", true},
    {"Fourth", kMenuItem, "Fourth", "", true},
};
constexpr MenuTable kFailingMenu{{"Failing", kMenuItem, "Failing", "", false}, kFailingItems};

TEST(MenuBuilder, AFailureAtTheThirdItemLeavesTheFirstTwoAndPassesOn) {
    fw::MenuBar bar;
    EXPECT_THROW(BuildMenu(bar, kFailingMenu), fw::RuntimeException);
    ASSERT_EQ(bar.Count(), 1u);
    const fw::MenuItem& menu = *bar.Child("Failing");
    ASSERT_EQ(menu.Count(), 2u);
    EXPECT_EQ(menu.Item(0)->Name(), "First");
    EXPECT_EQ(menu.Item(1)->Name(), "Second");
    EXPECT_EQ(bar.Lookup("Fourth"), nullptr);
}

TEST(MenuBuilder, AnItemForAMenuTheBarLacksRaisesNilObject) {
    fw::MenuBar bar;
    EXPECT_THROW(AppendMenuItem(bar, "NoMenu", MakeMenuEntry(kFailingItems[0])),
                 fw::NilObjectException);
    EXPECT_EQ(bar.Count(), 0u);
}

// A bar whose Edit builder fails while `failures` is above zero.
class FlakyBar : public BuiltMenuBar<FlakyBar> {
public:
    static inline int failures = 0;
    static inline std::vector<int> builderRuns;

protected:
    void Untitled0() override { Run(0, {{"Menu0", kMenuItem, "", "", false}, {}}); }
    void Untitled1() override { Run(1, {{"Menu1", kMenuItem, "File", "", false}, kItems}); }
    void Untitled2() override {
        if (failures > 0) {
            --failures;
            Run(2, kFailingMenu);
        } else {
            Run(2, {{"Failing", kMenuItem, "Failing", "", false}, kItems});
        }
    }
    void Untitled3() override { Run(3, {{"Menu3", kMenuItem, "Window", "", false}, {}}); }
    void Untitled4() override { Run(4, {{"Menu4", kMenuItem, "", "", false}, {}}); }

private:
    static constexpr MenuEntry kItems[] = {{"Item", kMenuItem, "Item", "", true}};
    void Run(int builder, const MenuTable& table) {
        builderRuns.push_back(builder);
        BuildMenu(*this, table);
    }
};

TEST(MenuBarScheme, AFailedBuildStoresNoBarAndTheNextRequestBuildsAnew) {
    FlakyBar::implicitInstance.reset();  // a repeated run finds the bar of the last one
    FlakyBar::builderRuns.clear();
    FlakyBar::failures = 1;
    EXPECT_THROW(FlakyBar::Instance(), fw::RuntimeException);
    EXPECT_EQ(FlakyBar::implicitInstance, nullptr);
    EXPECT_EQ(FlakyBar::builderRuns, (std::vector<int>{0, 1, 2}));

    FlakyBar::builderRuns.clear();
    FlakyBar* bar = FlakyBar::Instance();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(FlakyBar::builderRuns, (std::vector<int>{0, 1, 2, 3, 4}));
    ASSERT_EQ(bar->Count(), 5u);
    EXPECT_EQ(bar->Child("Failing")->Count(), 1u);

    EXPECT_EQ(FlakyBar::Instance(), bar);
    EXPECT_EQ(FlakyBar::builderRuns.size(), 5u);
}

// A window for the frame's tests: it installs the bar it is told to, and its AddMenuHandlers
// event registers a list whose third pair has no handler.
class MenuFrameWnd : public FramedWindow<MenuFrameWnd> {
public:
    static constexpr std::string_view kFullName = "MenuFrameWnd.MenuFrameWnd";
    static fw::WindowEvents Events() { return {fw::WindowEvent::AddMenuHandlers}; }

    void AddMenuHandlers(fw::Window& window) override {
        RegisterMenuHandlers<MenuFrameWnd>(*this, window, {
            {"First", &MenuFrameWnd::First_Action},
            {"Second", &MenuFrameWnd::Second_Action},
            {"Third", nullptr},
            {"Fourth", &MenuFrameWnd::First_Action},
        });
    }
    bool First_Action() { return ++firstCalls, false; }
    bool Second_Action() { return false; }

    fw::MenuItem* CloseMenuItem() const { return MenuItemOf<fw::MenuItem>(this, "CloseMenuItem"); }
    fw::MenuItem* NoSuchItem() const { return MenuItemOf<fw::MenuItem>(this, "NoSuchItem"); }
    fw::MenuItem* ResultsMenuItem() const { return MenuItemOf<fw::MenuItem>(this, "ResultsMenuItem"); }

    int firstCalls = 0;

protected:
    void CreateControls0() override {}
};

// Made through the framework; its AddMenuHandlers event fails at the third pair.
MenuFrameWnd& FrameWindow() {
    if (auto* w = fw::GetImplicitWindow(MenuFrameWnd::kFullName)) return *fw::CheckCast<MenuFrameWnd>(w);
    EXPECT_THROW(MenuFrameWnd::Instance(), fw::NilObjectException);
    return *fw::CheckCast<MenuFrameWnd>(fw::GetImplicitWindow(MenuFrameWnd::kFullName));
}

TEST(MenuFrame, AccessorsFindItemsByNameTypedByTheirClass) {
    MenuFrameWnd& window = FrameWindow();
    window.SetMenuBar(nullptr);
    EXPECT_THROW(MenuItemOf<fw::MenuItem>(&window, "CloseMenuItem"), fw::NilObjectException);
    EXPECT_THROW(MenuItemOf<fw::MenuItem>(static_cast<fw::Window*>(nullptr), "CloseMenuItem"),
                 fw::NilObjectException);

    Menu* bar = Menu::Instance();
    window.SetMenuBar(bar);
    EXPECT_EQ(window.CloseMenuItem(), bar->Lookup("CloseMenuItem"));
    EXPECT_EQ(MenuItemOf<fw::MenuItem>(window, "UntitledMenu2"), bar->Item(1));
    EXPECT_EQ(MenuItemOf<fw::QuitMenuItem>(window, "FileQuit"), bar->Lookup("FileQuit"));
    EXPECT_EQ(MenuItemOf<fw::AppleMenuItem>(window, "AboutQor"), bar->Lookup("AboutQor"));
    EXPECT_NE(MenuItemOf<fw::AppleMenuItem>(window, "UntitledMenu5"), nullptr);
    EXPECT_EQ(window.NoSuchItem(), nullptr);
    EXPECT_EQ(MenuItemOf<fw::QuitMenuItem>(window, "NoSuchItem"), nullptr);
    EXPECT_THROW(MenuItemOf<fw::QuitMenuItem>(window, "CloseMenuItem"), fw::IllegalCastException);
    EXPECT_THROW(MenuItemOf<fw::AppleMenuItem>(window, "FileQuit"), fw::IllegalCastException);
}

TEST(MenuFrame, AHandlerListThatFailsAtItsThirdPairKeepsTheFirstTwo) {
    MenuFrameWnd& window = FrameWindow();
    ASSERT_NE(window.FindMenuHandler("First"), nullptr);
    ASSERT_NE(window.FindMenuHandler("Second"), nullptr);
    EXPECT_EQ(window.FindMenuHandler("Third"), nullptr);
    EXPECT_EQ(window.FindMenuHandler("Fourth"), nullptr);

    const int before = window.firstCalls;
    EXPECT_FALSE((*window.FindMenuHandler("First"))());
    EXPECT_EQ(window.firstCalls, before + 1);
}

class OtherWnd : public FramedWindow<OtherWnd> {
public:
    static constexpr std::string_view kFullName = "OtherWnd.OtherWnd";
    static fw::WindowEvents Events() { return {}; }

protected:
    void CreateControls0() override {}
};

TEST(MenuFrame, AnEventWindowOfAnotherClassRegistersNothing) {
    OtherWnd& other = *OtherWnd::Instance();
    EXPECT_THROW(RegisterMenuHandlers<MenuFrameWnd>(other, other,
                                                    {{"First", &MenuFrameWnd::First_Action}}),
                 fw::IllegalCastException);
    EXPECT_EQ(other.FindMenuHandler("First"), nullptr);
}

TEST(MenuFrame, EnablingListsSetItemsInOrderAndStopAtAMissingItem) {
    MenuFrameWnd& window = FrameWindow();
    Menu* bar = Menu::Instance();
    window.SetMenuBar(bar);
    fw::MenuItem& close = *bar->Lookup("CloseMenuItem");
    fw::MenuItem& results = *bar->Lookup("ResultsMenuItem");

    close.SetEnabled(true);
    results.SetEnabled(true);
    EnableMenuItems(window, {{&MenuFrameWnd::CloseMenuItem, false},
                             {&MenuFrameWnd::ResultsMenuItem, false}});
    EXPECT_FALSE(close.Enabled());
    EXPECT_FALSE(results.Enabled());

    EXPECT_THROW(EnableMenuItems(window, {{&MenuFrameWnd::CloseMenuItem, true},
                                          {&MenuFrameWnd::NoSuchItem, true},
                                          {&MenuFrameWnd::ResultsMenuItem, true}}),
                 fw::NilObjectException);
    EXPECT_TRUE(close.Enabled());
    EXPECT_FALSE(results.Enabled());

    EXPECT_THROW(EnableMenuItemsByName(window, {{"CloseMenuItem", false},
                                                {"NoSuchItem", true},
                                                {"ResultsMenuItem", true}}),
                 fw::NilObjectException);
    EXPECT_FALSE(close.Enabled());
    EXPECT_FALSE(results.Enabled());
}

class FrameApp : public fw::Application {
public:
    std::string_view ClassName() const override { return "FrameApp"; }
    fw::AppEvents ImplementedEvents() const override { return {}; }
    bool About_Action() { return ++calls, false; }
    int calls = 0;
};

TEST(MenuFrame, TheApplicationsHandlerIsRegisteredOnTheApplicationObject) {
    if (fw::GetAppObject() == nullptr) {
        EXPECT_THROW(RegisterAppMenuHandler("AboutMenuItem", &FrameApp::About_Action),
                     fw::NilObjectException);
        fw::RegisterAppObject(std::make_unique<FrameApp>());
    }
    auto& app = *fw::CheckCast<FrameApp>(fw::GetAppObject());
    RegisterAppMenuHandler("AboutMenuItem", &FrameApp::About_Action);
    const fw::MenuHandler* handler = app.FindMenuHandler("AboutMenuItem");
    ASSERT_NE(handler, nullptr);
    EXPECT_FALSE((*handler)());
    EXPECT_EQ(app.calls, 1);
}

}  // namespace
