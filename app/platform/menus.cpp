#include "platform/menus.h"

namespace platform {

void MenuItem::setChecked(bool checked) {
    checked_ = checked;
    if (observer) observer();
}

MenuItem& MenuItem::append(std::unique_ptr<MenuItem> item) {
    children_.push_back(std::move(item));
    return *children_.back();
}

MenuItem* MenuItem::Child(const std::string& name) const {
    for (const auto& child : children_) {
        if (child->name() == name) return child.get();
    }
    return nullptr;
}

void MenuItem::choose() const {
    if (handler) handler();
}

}  // namespace platform
