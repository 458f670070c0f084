#pragma once
// Menus: named items with a text, a shortcut and a check mark. Handlers are registered per item
// name.

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

class MenuItem {
  public:
    MenuItem(std::string name, std::string text, std::string keyboardShortcut = {})
        : name_(std::move(name)),
          text_(std::move(text)),
          keyboardShortcut_(std::move(keyboardShortcut)) {}

    const std::string& name() const { return name_; }
    const std::string& text() const { return text_; }
    const std::string& keyboardShortcut() const { return keyboardShortcut_; }
    bool checked() const { return checked_; }
    void setChecked(bool checked);
    bool isSeparator() const { return text_ == "-"; }
    bool isQuitItem() const { return quitItem_; }
    void markAsQuitItem() { quitItem_ = true; }

    MenuItem& append(std::unique_ptr<MenuItem> item);
    const std::vector<std::unique_ptr<MenuItem>>& children() const { return children_; }
    // The child with that name, null when there is none.
    MenuItem* Child(const std::string& name) const;

    // The item's command; the view calls it when the user picks the item.
    std::function<void()> handler;
    void choose() const;
    // Told after a change of the check mark.
    std::function<void()> observer;

  private:
    std::string name_;
    std::string text_;
    std::string keyboardShortcut_;
    bool checked_ = false;
    bool quitItem_ = false;
    std::vector<std::unique_ptr<MenuItem>> children_;
};

}  // namespace platform
