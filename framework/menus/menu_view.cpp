// The toolkit view of a menu bar model on one window: a QMenuBar whose menus and actions
// mirror the model's entries and follow every change of them, the keyboard shortcuts, the
// enabling cycle, and the dispatch of a chosen item to its handlers.
//
// The view lives in its window's parent tree; the window keeps a pointer to it. The bar
// outlives the view (a bar outlives every window that shows it), so the view and what it
// hands to a handler refer to the bar and its entries plainly. A handler may close and
// delete the window, and the view with it: what runs after one holds no reference to the
// view, and reaches the window only through a QPointer to its widget.
//
// Shortcuts are separate actions on the window, always enabled in the toolkit: the enabling
// cycle has to run before the item's state decides whether the key chooses it, and a
// disabled toolkit action would never let the key through. The menu entries only show the
// shortcut text.
#include "framework/menus/menu_view.hpp"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeySequence>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextCursor>
#include <QTextDocument>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/menus/menu.hpp"
#include "framework/runtime/application.hpp"
#include "framework/runtime/dispatch.hpp"
#include "framework/runtime/events.hpp"
#include "framework/windows/native.hpp"
#include "framework/windows/window.hpp"
#include "framework/windows/window_impl.hpp"

namespace fw::detail {
namespace {

bool IsSeparator(const MenuItem& item) { return item.Text() == "-"; }

// An entry without text is not shown.
bool IsShown(const MenuItem& item) { return item.Visible() && !item.Text().empty(); }

QKeySequence ShortcutOf(const MenuItem& item) {
    return QKeySequence::fromString(QString::fromStdString(item.CommandKey()),
                                    QKeySequence::PortableText);
}

// The edit items, by Name, that a focused text control serves.
enum class EditCommand { Undo, Cut, Copy, Paste, Clear };
constexpr std::array<std::pair<std::string_view, EditCommand>, 5> kEditItems{{
    {"EditUndo", EditCommand::Undo},
    {"EditCut", EditCommand::Cut},
    {"EditCopy", EditCommand::Copy},
    {"EditPaste", EditCommand::Paste},
    {"EditClear", EditCommand::Clear},
}};

std::optional<EditCommand> EditCommandNamed(std::string_view name) {
    for (const auto& [itemName, command] : kEditItems) {
        if (itemName == name) return command;
    }
    return std::nullopt;
}

// The window's focused text control (a text field or a text area), if it has one.
class FocusedText {
public:
    explicit FocusedText(const QMainWindow& window) {
        for (QWidget* w = window.focusWidget(); w != nullptr && w != &window;
             w = w->parentWidget()) {
            if ((field_ = qobject_cast<QLineEdit*>(w)) != nullptr) break;
            if ((area_ = qobject_cast<QPlainTextEdit*>(w)) != nullptr) break;
        }
        if ((field_ && !field_->isEnabled()) || (area_ && !area_->isEnabled())) {
            field_ = nullptr;
            area_ = nullptr;
        }
    }

    bool CanServe(EditCommand command) const {
        if (!field_ && !area_) return false;
        const bool concealed = field_ && field_->echoMode() != QLineEdit::Normal;
        switch (command) {
            case EditCommand::Undo: return Editable() && UndoAvailable();
            case EditCommand::Cut: return Editable() && HasSelection() && !concealed;
            case EditCommand::Copy: return HasSelection() && !concealed;
            case EditCommand::Paste: return Editable() && ClipboardHasText();
            case EditCommand::Clear: return Editable() && HasSelection();
        }
        return false;
    }

    void Serve(EditCommand command) const {
        if (field_) {
            switch (command) {
                case EditCommand::Undo: field_->undo(); break;
                case EditCommand::Cut: field_->cut(); break;
                case EditCommand::Copy: field_->copy(); break;
                case EditCommand::Paste: field_->paste(); break;
                case EditCommand::Clear: field_->del(); break;
            }
        } else if (area_) {
            switch (command) {
                case EditCommand::Undo: area_->undo(); break;
                case EditCommand::Cut: area_->cut(); break;
                case EditCommand::Copy: area_->copy(); break;
                case EditCommand::Paste: area_->paste(); break;
                case EditCommand::Clear: area_->textCursor().removeSelectedText(); break;
            }
        }
    }

private:
    bool Editable() const { return field_ ? !field_->isReadOnly() : !area_->isReadOnly(); }
    bool HasSelection() const {
        return field_ ? field_->hasSelectedText() : area_->textCursor().hasSelection();
    }
    bool UndoAvailable() const {
        return field_ ? field_->isUndoAvailable() : area_->document()->isUndoAvailable();
    }
    static bool ClipboardHasText() {
        const QClipboard* clipboard = QGuiApplication::clipboard();
        return clipboard != nullptr && !clipboard->text().isEmpty();
    }

    QLineEdit* field_ = nullptr;
    QPlainTextEdit* area_ = nullptr;
};

// Items take their AutoEnable; a menu keeps the state the model gives it (a title on the bar
// stays openable unless the system itself turns it off).
void ApplyAutoEnable(MenuItem& menu) {
    for (std::size_t i = 0; i < menu.Count(); ++i) {
        MenuItem& child = *menu.Item(i);
        if (child.Count() > 0) {
            ApplyAutoEnable(child);
        } else {
            child.SetEnabled(child.AutoEnable());
        }
    }
}

// Before a menu opens and before a shortcut chooses its item: every item takes its
// AutoEnable, the focused text control enables the edit items it can serve, then the
// window's and the application's EnableMenuItems events have their say. Nothing here is
// used once the window's event has run, which may close and delete the window.
void RunEnablingCycle(const QPointer<QMainWindow>& native, MenuBar& bar) {
    if (!native) return;
    for (std::size_t i = 0; i < bar.Count(); ++i) ApplyAutoEnable(*bar.Item(i));
    const FocusedText text(*native);
    for (const auto& [name, command] : kEditItems) {
        if (!text.CanServe(command)) continue;
        if (MenuItem* item = bar.Lookup(name)) item->SetEnabled(true);
    }
    Window* window = WindowOfNative(native);
    if (window != nullptr && window->IsEventImplemented(WindowEvent::EnableMenuItems)) {
        window->Event_EnableMenuItems();
    }
    Application* app = GetAppObject();
    if (app != nullptr && app->IsEventImplemented(AppEvent::EnableMenuItems)) {
        app->Event_EnableMenuItems();
    }
}

// What choosing an item needs, held by value: a handler may close and delete the window,
// and with it the view that made the choice.
struct Choice {
    QPointer<QMainWindow> native;
    MenuItem* item;
};

// Runs a handler through a copy of it: the handler may delete the window or application
// that holds the original.
bool RunHandler(const MenuHandler* handler) {
    if (handler == nullptr) return false;
    const MenuHandler call = *handler;
    return call();
}

// A chosen item: the window's handler for its Name; when there is none or it gives False,
// the application's; when that too leaves it unhandled, the focused text control serves an
// edit item, and the item's own action runs (a quit item quits).
void Choose(const Choice& choice) {
    const std::string name = choice.item->Name();
    bool handled = false;
    if (Window* window = choice.native ? WindowOfNative(choice.native) : nullptr) {
        handled = RunHandler(window->FindMenuHandler(name));
    }
    if (!handled) {
        if (Application* app = GetAppObject()) handled = RunHandler(app->FindMenuHandler(name));
    }
    if (handled) return;
    if (const auto command = EditCommandNamed(name); command && choice.native) {
        const FocusedText text(*choice.native);
        if (text.CanServe(*command)) text.Serve(*command);
    }
    choice.item->OwnAction();
}

}  // namespace

class MenuBarView : public QObject {
public:
    MenuBarView(QMainWindow& native, MenuBar& bar) : QObject(&native), native_(&native), bar_(bar) { Build(); }

    // Leaves the window: no more shortcuts, no more observing. The QMenuBar goes with the
    // next one the window is given.
    void Detach() {
        StopObserving();
        for (const QPointer<QAction>& key : keyActions_) {
            if (!key) continue;
            if (native_) native_->removeAction(key);
            key->deleteLater();
        }
        keyActions_.clear();
    }

private:
    struct Entry {
        MenuItem::Observation observation;
        std::size_t childCount = 0;
        QAction* shown = nullptr;       // the menu title or the menu entry
        QMenu* menu = nullptr;          // for an entry that holds entries
        QAction* key = nullptr;         // the shortcut, for a leaf
    };

    void Build() {
        auto* menuBar = new QMenuBar();
        native_->setMenuBar(menuBar);
        Observe(bar_, Entry{});
        for (std::size_t i = 0; i < bar_.Count(); ++i) {
            MenuItem& menu = *bar_.Item(i);
            AddMenu(menuBar->addMenu(QString()), menu);
        }
    }

    void Rebuild() {
        Detach();
        Build();
    }

    void AddMenu(QMenu* qmenu, MenuItem& menu) {
        connect(qmenu, &QMenu::aboutToShow, this, [this] {
            Dispatch([native = native_, bar = &bar_] { RunEnablingCycle(native, *bar); });
        });
        Entry entry;
        entry.shown = qmenu->menuAction();
        entry.menu = qmenu;
        Observe(menu, std::move(entry));
        for (std::size_t i = 0; i < menu.Count(); ++i) {
            MenuItem& child = *menu.Item(i);
            if (child.Count() > 0) {
                AddMenu(qmenu->addMenu(QString()), child);
            } else {
                AddLeaf(*qmenu, child);
            }
        }
    }

    // The lambdas below take copies of what they use before any handler runs, and never
    // this view afterwards: a handler may close and delete the window, and the view with it.
    void AddLeaf(QMenu& qmenu, MenuItem& item) {
        Entry entry;
        entry.shown = qmenu.addAction(QString());
        entry.shown->setMenuRole(QAction::NoRole);
        connect(entry.shown, &QAction::triggered, this, [this, chosen = &item] {
            Dispatch([choice = Choice{native_, chosen}] { Choose(choice); });
        });
        entry.key = new QAction(native_);
        entry.key->setShortcutContext(Qt::WindowShortcut);
        native_->addAction(entry.key);
        keyActions_.push_back(entry.key);
        connect(entry.key, &QAction::triggered, this, [this, chosen = &item] {
            Dispatch([choice = Choice{native_, chosen}, bar = &bar_] {
                RunEnablingCycle(choice.native, *bar);
                const MenuItem& item = *choice.item;
                if (IsShown(item) && !IsSeparator(item) && item.Enabled()) Choose(choice);
            });
        });
        Observe(item, std::move(entry));
    }

    void Observe(MenuItem& item, Entry entry) {
        entry.childCount = item.Count();
        entry.observation = item.Observe([this](const MenuItem& changed) { Follow(changed); });
        Show(item, entry);
        entries_.insert_or_assign(&item, std::move(entry));
    }

    void StopObserving() { entries_.clear(); }

    void Follow(const MenuItem& item) {
        auto it = entries_.find(&item);
        if (it == entries_.end()) return;
        if (it->second.childCount != item.Count()) {
            Rebuild();
            return;
        }
        Show(item, it->second);
    }

    // Brings the toolkit objects of one entry in line with the model.
    static void Show(const MenuItem& item, const Entry& entry) {
        if (entry.shown == nullptr) return;  // the bar itself
        const QString text = QString::fromStdString(item.Text());
        entry.shown->setVisible(IsShown(item));
        if (entry.menu != nullptr) {
            entry.menu->setTitle(text);
            entry.shown->setEnabled(item.Enabled());
            return;
        }
        const QKeySequence shortcut = ShortcutOf(item);
        entry.shown->setSeparator(IsSeparator(item));
        if (IsSeparator(item)) {
            entry.shown->setText(QString());  // a separator is a line, not the text "-"
        } else {
            entry.shown->setText(shortcut.isEmpty()
                                 ? text
                                     : text + QLatin1Char('\t') + shortcut.toString(QKeySequence::NativeText));
        }
        entry.shown->setEnabled(item.Enabled());
        entry.key->setShortcut(shortcut);
    }

    QPointer<QMainWindow> native_;
    MenuBar& bar_;
    std::map<const MenuItem*, Entry> entries_;
    std::vector<QPointer<QAction>> keyActions_;
};

void InstallMenuBarView(Window& window, MenuBar* bar) {
    Window::Impl& d = window.impl();
    if (MenuBarView* old = d.menuView) {
        // The old view may be running the handler that installs the new bar: it stops
        // following and goes once control is back in the event loop.
        old->Detach();
        old->deleteLater();
    }
    d.menuView = bar != nullptr ? new MenuBarView(*d.native, *bar) : nullptr;
    if (bar == nullptr) d.native->setMenuBar(nullptr);
}

}  // namespace fw::detail
