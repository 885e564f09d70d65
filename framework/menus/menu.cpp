// The menu model: entries with their properties, their children, and the observers (the
// toolkit views) that follow every change.
#include "framework/menus/menu.hpp"

#include <algorithm>
#include <utility>

#include "framework/runtime/application.hpp"
#include "framework/text/exceptions.hpp"

namespace fw {

MenuItem::MenuItem() = default;
MenuItem::~MenuItem() = default;

void MenuItem::SetName(std::string name) {
    name_ = std::move(name);
    Changed();
}

void MenuItem::SetAutoEnable(bool autoEnable) {
    autoEnable_ = autoEnable;
    Changed();
}

void MenuItem::SetText(std::string text) {
    text_ = std::move(text);
    Changed();
}

void MenuItem::SetVisible(bool visible) {
    visible_ = visible;
    Changed();
}

void MenuItem::SetCommandKey(std::string key) {
    commandKey_ = std::move(key);
    commandKeySet_ = true;
    Changed();
}

void MenuItem::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    Changed();
}

void MenuItem::AddMenu(std::unique_ptr<MenuItem> entry) {
    MenuItem& child = NotNil(entry.get());
    child.parent_ = this;
    children_.push_back(std::move(entry));
    Changed();
}

MenuItem* MenuItem::Item(std::size_t index) const {
    if (index >= children_.size()) {
        throw OutOfBoundsException("menu item index " + std::to_string(index) + " of " +
                                   std::to_string(children_.size()));
    }
    return children_[index].get();
}

MenuItem* MenuItem::Child(std::string_view name) const {
    for (const auto& child : children_) {
        if (child->Name() == name) return child.get();
    }
    return nullptr;
}

// Depth first, in menu order: a menu is found before the items inside it.
MenuItem* MenuItem::Lookup(std::string_view name) const {
    for (const auto& child : children_) {
        if (child->Name() == name) return child.get();
        if (MenuItem* found = child->Lookup(name)) return found;
    }
    return nullptr;
}

MenuItem::Observation MenuItem::Observe(Observer observer) {
    const std::size_t id = nextObserverId_++;
    observers_.emplace_back(id, std::move(observer));
    return Observation(*this, id);
}

void MenuItem::RemoveObserver(std::size_t id) {
    std::erase_if(observers_, [id](const auto& entry) { return entry.first == id; });
}

// An observer may add or remove observers while it is told: each one still registered is
// found anew by its id and called through a copy.
void MenuItem::Changed() {
    std::vector<std::size_t> ids;
    for (const auto& entry : observers_) ids.push_back(entry.first);
    for (std::size_t id : ids) {
        auto it = std::find_if(observers_.begin(), observers_.end(),
                               [id](const auto& entry) { return entry.first == id; });
        if (it == observers_.end()) continue;
        Observer observer = it->second;
        observer(*this);
    }
}

MenuItem::Observation::Observation(Observation&& other) noexcept
    : item_(std::exchange(other.item_, nullptr)), id_(other.id_) {}

MenuItem::Observation& MenuItem::Observation::operator=(Observation&& other) noexcept {
    if (this != &other) {
        if (item_ != nullptr) item_->RemoveObserver(id_);
        item_ = std::exchange(other.item_, nullptr);
        id_ = other.id_;
    }
    return *this;
}

MenuItem::Observation::~Observation() {
    if (item_ != nullptr) item_->RemoveObserver(id_);
}

void QuitMenuItem::OwnAction() { Quit(0); }

}  // namespace fw
