// The menu bar view on real windows: what it shows, how it follows the model, the enabling
// cycle, and how a chosen item (by menu or by shortcut) reaches its handlers.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/menus/menu.hpp"
#include "framework/runtime/application.hpp"
#include "framework/runtime/dispatch.hpp"
#include "framework/runtime/events.hpp"
#include "framework/text/exceptions.hpp"
#include "framework/windows/controls.hpp"
#include "framework/windows/native.hpp"
#include "framework/windows/window.hpp"
#include "tests/support/unhandled_exceptions.hpp"

namespace {

std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
}

// An item whose own action is recorded instead of doing anything.
class RecordingItem : public fw::MenuItem {
public:
    void OwnAction() override { Log().push_back("own " + Name()); }
};

class FixtureApp : public fw::Application {
public:
    std::string_view ClassName() const override { return "FixtureApp"; }
    fw::AppEvents ImplementedEvents() const override { return {fw::AppEvent::EnableMenuItems}; }
    void Event_EnableMenuItems() override { Log().push_back("app enable"); }
};

FixtureApp& App() {
    if (fw::GetAppObject() == nullptr) fw::RegisterAppObject(std::make_unique<FixtureApp>());
    return dynamic_cast<FixtureApp&>(*fw::GetAppObject());
}

class FixtureWindow : public fw::Window {
public:
    std::string_view FullName() const override { return "FixtureWindow.FixtureWindow"; }
    fw::WindowEvents ImplementedEvents() const override {
        return {fw::WindowEvent::EnableMenuItems};
    }
    void Event_EnableMenuItems() override {
        Log().push_back("window enable");
        if (onEnable) onEnable();
    }
    std::function<void()> onEnable;
};

struct Row {
    std::string menu;  // the top-level menu the entry goes in; empty for a top-level menu
    std::string name, text, key;
    bool autoEnable;
};

// File: Close, a blank item, Quit-like "Stop" (Ctrl+J); Edit: the five edit items with a
// separator; "Special" (Ctrl+G, not auto-enabled) in a third menu; a text-less last menu.
const std::vector<Row> kRows = {
    {"", "FileMenu", "&File", "", false},
    {"FileMenu", "CloseItem", "Close", "", true},
    {"FileMenu", "BlankItem", "", "", true},
    {"FileMenu", "StopItem", "Stop", "Ctrl+J", true},
    {"", "EditMenu", "Edit", "", false},
    {"EditMenu", "EditUndo", "Undo", "Ctrl+Z", false},
    {"EditMenu", "EditSeparator", "-", "", false},
    {"EditMenu", "EditCut", "Cut", "Ctrl+X", false},
    {"EditMenu", "EditCopy", "Copy", "Ctrl+C", false},
    {"EditMenu", "EditPaste", "Paste", "Ctrl+V", false},
    {"EditMenu", "EditClear", "Clear", "", false},
    {"", "ToolsMenu", "Tools", "", false},
    {"ToolsMenu", "Special", "Special", "Ctrl+G", false},
    {"", "LastMenu", "", "", false},
};

std::unique_ptr<fw::MenuBar> MakeBar() {
    auto bar = std::make_unique<fw::MenuBar>();
    for (const Row& row : kRows) {
        auto item = std::make_unique<RecordingItem>();
        item->SetName(row.name);
        item->SetAutoEnable(row.autoEnable);
        item->SetText(row.text);
        if (!row.key.empty()) item->SetCommandKey(row.key);
        if (row.menu.empty()) {
            bar->AddMenu(std::move(item));
        } else {
            bar->Child(row.menu)->AddMenu(std::move(item));
        }
    }
    return bar;
}

class MenuViewTest : public ::testing::Test {
public:
    void SetUp() override {
        Log().clear();
        App();
        QGuiApplication::clipboard()->clear();
        OpenWindow();
    }

    void OpenWindow() {
        window = static_cast<FixtureWindow*>(
            fw::Window::Construct(std::make_unique<FixtureWindow>()));
        window->SetMenuBar(bar.get());
        window->Show();
        native()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(native()));
    }
    void TearDown() override {
        fw::SetUnhandledExceptionHandler({});
        CloseAll();
    }

    void CloseAll() {
        for (fw::Window* w; (w = fw::GetImplicitWindow("FixtureWindow.FixtureWindow"));) {
            w->Close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    QMainWindow* native() const { return fw::detail::NativeWindow(*window); }
    fw::MenuItem& item(std::string_view name) const { return *bar->Lookup(name); }

    // The menu of a top-level entry in the window's view, by its title.
    static QMenu* MenuTitled(QMainWindow* w, const QString& title) {
        for (QAction* a : w->menuBar()->actions()) {
            if (a->menu() != nullptr && a->text() == title) return a->menu();
        }
        return nullptr;
    }

    static QAction* ActionTexted(QMainWindow* w, const QString& title, const QString& text) {
        for (QAction* a : MenuTitled(w, title)->actions()) {
            if (a->text().section('\t', 0, 0) == text) return a;
        }
        return nullptr;
    }

    static void OpenMenu(QMainWindow* w, const QString& title) {
        QMenu* menu = MenuTitled(w, title);
        menu->popup(w->mapToGlobal(QPoint(0, 0)));
        menu->hide();
    }

    QLineEdit* AddLineEdit(const QString& text) {
        auto* edit = new QLineEdit(text, native()->centralWidget());
        edit->show();
        edit->setFocus();
        return edit;
    }

    std::unique_ptr<fw::MenuBar> bar = MakeBar();  // outlives every window showing it
    FixtureWindow* window = nullptr;
};

TEST_F(MenuViewTest, ShowsEntriesWithTextInOrderWithSeparatorsAndShortcuts) {
    QStringList titles;
    for (QAction* a : native()->menuBar()->actions()) {
        if (a->isVisible()) titles << a->text();
    }
    EXPECT_EQ(titles, (QStringList{"&File", "Edit", "Tools"}));

    auto shown = [&](const QString& title) {
        QStringList entries;
        for (QAction* a : MenuTitled(native(), title)->actions()) {
            if (a->isVisible()) entries << (a->isSeparator() ? QString("---") : a->text());
        }
        return entries;
    };
    const QString ctrl = QKeySequence(Qt::CTRL).toString(QKeySequence::NativeText);
    EXPECT_EQ(shown("&File"), (QStringList{"Close", "Stop\t" + ctrl + "J"}));
    EXPECT_EQ(shown("Edit"), (QStringList{"Undo\t" + ctrl + "Z", "---", "Cut\t" + ctrl + "X",
                                          "Copy\t" + ctrl + "C", "Paste\t" + ctrl + "V",
                                          "Clear"}));
}

TEST_F(MenuViewTest, EveryViewFollowsTheSharedModel) {
    auto* second = fw::Window::Construct(std::make_unique<FixtureWindow>());
    second->SetMenuBar(bar.get());
    QMainWindow* views[] = {native(), fw::detail::NativeWindow(*second)};
    QAction* tools[] = {MenuTitled(views[0], "Tools")->menuAction(),
                        MenuTitled(views[1], "Tools")->menuAction()};

    item("CloseItem").SetEnabled(false);
    item("StopItem").SetText("Halt");
    item("ToolsMenu").SetText("");
    item("BlankItem").SetText("Now shown");
    for (int v = 0; v < 2; ++v) {
        SCOPED_TRACE(v);
        EXPECT_FALSE(ActionTexted(views[v], "&File", "Close")->isEnabled());
        EXPECT_NE(ActionTexted(views[v], "&File", "Halt"), nullptr);
        EXPECT_FALSE(tools[v]->isVisible());
        EXPECT_TRUE(ActionTexted(views[v], "&File", "Now shown")->isVisible());
    }
}

// Every entry takes its AutoEnable; the focused text control enables what it can serve; then
// the window's event, then the application's, have their say.
TEST_F(MenuViewTest, EnablingCycleBeforeAMenuOpens) {
    struct Case {
        const char* what;
        std::function<void(MenuViewTest&)> setUp;
        std::vector<std::string> enabledEditItems;
    };
    const std::vector<Case> cases = {
        {"no text control", [](MenuViewTest&) {}, {}},
        {"editable field with a selection and text to paste",
         [](MenuViewTest& t) {
             t.AddLineEdit("hello world")->setSelection(0, 5);
             QGuiApplication::clipboard()->setText("x");
         },
         {"EditCut", "EditCopy", "EditPaste", "EditClear"}},
        {"read-only field with a selection",
         [](MenuViewTest& t) {
             QLineEdit* e = t.AddLineEdit("hello");
             e->setReadOnly(true);
             e->selectAll();
             QGuiApplication::clipboard()->setText("x");
         },
         {"EditCopy"}},
        {"field after typing, nothing selected, empty clipboard",
         [](MenuViewTest& t) {
             QLineEdit* e = t.AddLineEdit("");
             QTest::keyClicks(e, "abc");
         },
         {"EditUndo"}},
        {"text area with a selection",
         [](MenuViewTest& t) {
             auto* area = new QPlainTextEdit("one\ntwo", t.native()->centralWidget());
             area->show();
             area->setFocus();
             area->selectAll();
         },
         {"EditCut", "EditCopy", "EditClear"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (QWidget* child : native()->centralWidget()->findChildren<QWidget*>()) delete child;
        QGuiApplication::clipboard()->clear();
        c.setUp(*this);
        // Items start opposite to their AutoEnable, so that the cycle is seen to set them; the
        // menus start on, but for Tools, and the cycle leaves them as they are.
        auto menuState = [](const Row& row) { return row.name != "ToolsMenu"; };
        for (const Row& row : kRows) {
            item(row.name).SetEnabled(row.menu.empty() ? menuState(row) : !row.autoEnable);
        }
        Log().clear();
        window->onEnable = [this] {
            Log().push_back(bar->Lookup("EditCut")->Enabled() ? "cut was on" : "cut was off");
            item("Special").SetEnabled(true);
        };

        OpenMenu(native(), "Edit");

        for (const Row& row : kRows) {
            SCOPED_TRACE(row.name);
            bool expected = row.autoEnable || row.name == "Special";
            for (const std::string& edit : c.enabledEditItems) expected |= edit == row.name;
            if (row.menu.empty()) expected = menuState(row);
            EXPECT_EQ(item(row.name).Enabled(), expected);
            // A title shows what its menu's model says.
            if (row.menu.empty() && !row.text.empty()) {
                EXPECT_EQ(MenuTitled(native(), QString::fromStdString(row.text))->menuAction()->isEnabled(),
                          expected);
            }
        }
        const bool cutOn = std::count(c.enabledEditItems.begin(), c.enabledEditItems.end(),
                                      std::string("EditCut")) > 0;
        EXPECT_EQ(Log(), (std::vector<std::string>{"window enable",
                                                   cutOn ? "cut was on" : "cut was off",
                                                   "app enable"}));
        EXPECT_EQ(ActionTexted(native(), "Edit", "Cut")->isEnabled(), cutOn);
    }
}

// The window's handler; when there is none or it gives False, the application's; when that
// leaves the item unhandled too, the item's own action.
TEST_F(MenuViewTest, AChosenItemReachesTheHandlersRegisteredUnderItsName) {
    struct Case {
        std::optional<bool> windowGives, appGives;
        std::vector<std::string> log;
    };
    const std::vector<Case> cases = {
        {std::nullopt, std::nullopt, {"own"}},
        {false, std::nullopt, {"window", "own"}},
        {true, false, {"window"}},
        {false, false, {"window", "app", "own"}},
        {false, true, {"window", "app"}},
        {std::nullopt, true, {"app"}},
    };
    QAction* close = ActionTexted(native(), "&File", "Close");
    for (std::size_t round = 0; round < cases.size(); ++round) {
        const Case& c = cases[round];
        SCOPED_TRACE(round);
        // A Name of its own for each round, so that earlier registrations play no part.
        const std::string name = "Close" + std::to_string(round);
        item(round == 0 ? "CloseItem" : "Close" + std::to_string(round - 1)).SetName(name);
        if (c.windowGives) {
            window->AddMenuHandler(name, [gives = *c.windowGives] {
                return Log().push_back("window"), gives;
            });
        }
        if (c.appGives) {
            App().AddMenuHandler(name, [gives = *c.appGives] {
                return Log().push_back("app"), gives;
            });
        }
        Log().clear();
        close->trigger();
        for (auto& line : Log()) {
            if (line.starts_with("own")) line = "own";
        }
        EXPECT_EQ(Log(), c.log);
    }
}

// From a focused text area or field, Alt with a menu's access key opens that menu; Alt with
// any other letter does nothing. Neither types into the control.
TEST_F(MenuViewTest, AccessKeysOpenTheirMenusAndTypeNothing) {
    auto area = std::make_unique<fw::TextArea>(*window);
    auto field = std::make_unique<fw::TextField>(*window);
    const std::vector<fw::TextEdit*> controls = {area.get(), field.get()};
    window->AddControl("Area", std::move(area));
    window->AddControl("Field", std::move(field));
    for (fw::TextEdit* control : controls) {
        QWidget* widget = fw::detail::NativeWidget(*control);
        widget->setGeometry(10, 10, 100, 40);
        control->SetText("text");
        control->SetFocus();
        ASSERT_TRUE(widget->hasFocus());
        QTest::keyClick(widget, Qt::Key_T, Qt::AltModifier);  // "Tools" gives no access key
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        QTest::keyClick(widget, Qt::Key_F, Qt::AltModifier);
        EXPECT_EQ(QApplication::activePopupWidget(), MenuTitled(native(), "&File"));
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
        EXPECT_EQ(control->Text(), "text");
    }
}

TEST_F(MenuViewTest, AShortcutRunsTheCycleThenChoosesAnEnabledItem) {
    int special = 0, stop = 0;
    window->AddMenuHandler("Special", [&] { return ++special, true; });
    window->AddMenuHandler("StopItem", [&] { return ++stop, true; });

    QTest::keyClick(native(), Qt::Key_J, Qt::ControlModifier);
    EXPECT_EQ(stop, 1);
    EXPECT_EQ(Log().front(), "window enable");

    // Not auto-enabled, and the window's event leaves it off: the key does nothing.
    QTest::keyClick(native(), Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(special, 0);

    window->onEnable = [this] { item("Special").SetEnabled(true); };
    QTest::keyClick(native(), Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(special, 1);

    // An item without a handler of the window: the application's, under the same Name.
    int appStop = 0;
    item("StopItem").SetName("AppStop");
    App().AddMenuHandler("AppStop", [&] { return ++appStop, true; });
    QTest::keyClick(native(), Qt::Key_J, Qt::ControlModifier);
    EXPECT_EQ(appStop, 1);
    EXPECT_EQ(stop, 1);
    item("AppStop").SetName("StopItem");
}

// A handler may close its window and have it deleted at once; the choice goes on without
// the window (and the view that made it) to the application's handler and the item's own
// action.
TEST_F(MenuViewTest, AHandlerThatDeletesItsWindowLeavesTheChoiceSafe) {
    struct Case {
        const char* what;
        bool byShortcut, inEnablingEvent;
        std::vector<std::string> log;
    };
    const std::vector<Case> cases = {
        {"chosen in its menu", false, false, {"app", "own StopItem"}},
        {"by its shortcut", true, false, {"window enable", "app enable", "app", "own StopItem"}},
        {"by its shortcut, deleted by the enabling event", true, true,
         {"window enable", "app enable", "app", "own StopItem"}},
    };
    App().AddMenuHandler("StopItem", [] { return Log().push_back("app"), false; });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (window == nullptr) OpenWindow();
        auto closeAndDelete = [this] {
            window->Close();
            window = nullptr;
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        };
        if (c.inEnablingEvent) {
            window->onEnable = closeAndDelete;
        } else {
            window->AddMenuHandler("StopItem", [closeAndDelete] { return closeAndDelete(), false; });
        }
        QPointer<QMainWindow> shown = native();
        Log().clear();

        if (c.byShortcut) {
            QTest::keyClick(shown, Qt::Key_J, Qt::ControlModifier);
        } else {
            ActionTexted(shown, "&File", "Stop")->trigger();
        }

        EXPECT_TRUE(shown.isNull()) << "the window was deleted";
        EXPECT_EQ(Log(), c.log);
    }
}

TEST_F(MenuViewTest, TheFocusedTextControlServesTheEditItems) {
    struct Case {
        const char* item;
        std::function<void(QLineEdit&)> before;
        QString text, clipboard;
    };
    const std::vector<Case> cases = {
        {"Copy", {}, "hello world", "world"},
        {"Cut", {}, "hello ", "world"},
        {"Paste", {}, "hello X", "X"},
        {"Clear", {}, "hello ", "X"},
        {"Undo", [](QLineEdit& e) { QTest::keyClicks(&e, "there"); }, "hello world", "X"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        QLineEdit* edit = AddLineEdit("hello world");
        edit->setSelection(6, 5);
        QGuiApplication::clipboard()->setText("X");
        if (c.before) c.before(*edit);

        OpenMenu(native(), "Edit");
        ActionTexted(native(), "Edit", c.item)->trigger();

        EXPECT_EQ(edit->text(), c.text);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), c.clipboard);
        delete edit;
    }

    auto* area = new QPlainTextEdit("one two", native()->centralWidget());
    area->show();
    area->setFocus();
    area->selectAll();
    OpenMenu(native(), "Edit");
    ActionTexted(native(), "Edit", "Cut")->trigger();
    EXPECT_EQ(area->toPlainText(), "");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "one two");
}

TEST_F(MenuViewTest, AnExceptionInAHandlerEndsTheChoiceInTheUnhandledHandling) {
    std::exception_ptr caught;
    fw::SetUnhandledExceptionHandler([&](std::exception_ptr e) { caught = e; });
    window->AddMenuHandler("CloseItem", []() -> bool { throw fw::NilObjectException(); });
    App().AddMenuHandler("CloseItem", [] { return Log().push_back("app"), false; });
    Log().clear();

    ActionTexted(native(), "&File", "Close")->trigger();

    ASSERT_TRUE(caught);
    EXPECT_THROW(std::rethrow_exception(caught), fw::NilObjectException);
    EXPECT_TRUE(Log().empty());
}

TEST_F(MenuViewTest, AViewGoesWithItsWindowOrItsBar) {
    // Another bar on the window: the old one's shortcuts stop.
    fw::MenuBar other;
    int stop = 0;
    window->AddMenuHandler("StopItem", [&] { return ++stop, true; });
    window->SetMenuBar(&other);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTest::keyClick(native(), Qt::Key_J, Qt::ControlModifier);
    EXPECT_EQ(stop, 0);
    window->SetMenuBar(bar.get());
    QTest::keyClick(native(), Qt::Key_J, Qt::ControlModifier);
    EXPECT_EQ(stop, 1);

    // The window gone, the model changes touch no view (AddressSanitizer watches this).
    CloseAll();
    item("CloseItem").SetText("Closed");
    item("CloseItem").SetEnabled(false);
    window = nullptr;
}

}  // namespace
