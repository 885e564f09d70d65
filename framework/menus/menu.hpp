#pragma once
// Menus as a model held by the framework. A MenuBar is a MenuItem whose children are the
// top-level menus. Each window that installs a bar gets its own toolkit view of the same
// items, so enabled state and texts are shared.
//
// Showing: an entry whose Text is empty is not shown; "-" is a separator; "&" marks the
// access key; CommandKey "Ctrl+Q" is the platform's Ctrl shortcut; an AppleMenuItem is an
// ordinary item here.
//
// Choosing an item runs the handler that the window registered under the item's Name; if
// there is none, or it gives False, the application's handler for that Name; a QuitMenuItem
// then quits with code 0. The edit items (EditUndo, EditCut, EditCopy, EditPaste,
// EditClear) are served by the focused text control.
//
// The enabling cycle runs before a menu opens and before a shortcut is matched: every item's
// Enabled takes its AutoEnable; the focused text control enables the edit items it can
// serve; then the window's EnableMenuItems event; then the application's. A menu (a title
// on the bar, or an entry that holds entries) is no item here: it keeps the Enabled that the
// model gives it, and its title shows exactly that.
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

class Window;

class MenuItem {
public:
    MenuItem();
    virtual ~MenuItem();
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    const std::string& Name() const { return name_; }
    void SetName(std::string name);
    bool AutoEnable() const { return autoEnable_; }
    void SetAutoEnable(bool autoEnable);
    const std::string& Text() const { return text_; }
    void SetText(std::string text);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // "" when never set (the framework's default) as when set to "".
    const std::string& CommandKey() const { return commandKey_; }
    bool CommandKeyWasSet() const { return commandKeySet_; }
    void SetCommandKey(std::string key);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    // `AddMenu`: the entry becomes this entry's last child, owned by it.
    void AddMenu(std::unique_ptr<MenuItem> entry);
    std::size_t Count() const { return children_.size(); }
    MenuItem* Item(std::size_t index) const;  // OutOfBoundsException past the end
    MenuItem* Parent() const { return parent_; }
    // `Child`: the direct child of that Name, or none.
    MenuItem* Child(std::string_view name) const;
    // `_Lookup`: the entry of that Name at any depth below this one, or none.
    MenuItem* Lookup(std::string_view name) const;

    // What choosing the item does by itself after the handlers (a QuitMenuItem quits).
    virtual void OwnAction() {}

    // Views observe the model (framework-internal). The observer is called after every
    // change of this entry for as long as the observation lives; the entry must outlive it,
    // as a bar outlives every window that shows it.
    using Observer = std::function<void(const MenuItem&)>;
    class Observation;
    [[nodiscard]] Observation Observe(Observer observer);

private:
    void RemoveObserver(std::size_t id);
    void Changed();

    std::string name_, text_, commandKey_;
    bool autoEnable_ = false, visible_ = true, enabled_ = true, commandKeySet_ = false;
    MenuItem* parent_ = nullptr;
    std::vector<std::unique_ptr<MenuItem>> children_;
    std::vector<std::pair<std::size_t, Observer>> observers_;
    std::size_t nextObserverId_ = 1;
};

// An observer's registration; ends when it goes.
class MenuItem::Observation {
public:
    Observation() = default;
    Observation(Observation&& other) noexcept;
    Observation& operator=(Observation&& other) noexcept;
    ~Observation();

private:
    friend class MenuItem;
    Observation(MenuItem& item, std::size_t id) : item_(&item), id_(id) {}

    MenuItem* item_ = nullptr;
    std::size_t id_ = 0;
};

class MenuBar : public MenuItem {};

// The framework's quit item: its own action quits with code 0.
class QuitMenuItem : public MenuItem {
public:
    void OwnAction() override;
};

// An ordinary item here (on another platform it would go to the application menu).
class AppleMenuItem : public MenuItem {};

}  // namespace fw
