#include "platform/controls.h"

#include <algorithm>

namespace platform {

void Control::setVisible(bool visible) {
    visible_ = visible;
    changed();
}

void Control::setEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    changed();
}

void Control::changed() const {
    if (observer_) observer_();
}

void StaticText::setCaption(std::string caption) {
    caption_ = std::move(caption);
    changed();
}

void StaticText::appendCaption(std::string_view text) {
    caption_ += text;
    changed();
}

void StaticText::setAlert(bool alert) {
    if (alert == alert_) return;
    alert_ = alert;
    changed();
}

void EditField::setText(std::string text) {
    text_ = std::move(text);
    changed();
}

void EditField::appendText(std::string_view text) {
    text_ += text;
    changed();
}

void CheckBox::setValue(bool value) {
    value_ = value;
    changed();
}

void CheckBox::click() {
    setValue(!value_);
    if (action) action();
}

void PushButton::push() const {
    if (action) action();
}

void PopupMenu::deleteAllRows() {
    rows_.clear();
    listIndex_ = -1;
    changed();
}

void PopupMenu::addRow(std::string text) {
    rows_.push_back(std::move(text));
    changed();
}

void PopupMenu::setListIndex(int32_t index) {
    if (index < -1 || index >= static_cast<int32_t>(rows_.size())) index = -1;
    if (index == listIndex_) return;  // only a change of selection runs the handler
    listIndex_ = index;
    changed();
    if (change) change();
}

std::string PopupMenu::text() const {
    return listIndex_ >= 0 ? rows_[static_cast<size_t>(listIndex_)] : std::string();
}

void Slider::setValue(int32_t value) {
    value_ = std::clamp(value, minimum_, maximum_);
    changed();
}

void Slider::userMoved(int32_t value) {
    value = std::clamp(value, minimum_, maximum_);
    if (value == value_) return;
    value_ = value;
    if (action) action();
}

void ListBox::setRows(std::vector<Row> rows, int32_t highlightedRow) {
    if (rows == rows_ && highlightedRow == highlightedRow_) return;
    rows_ = std::move(rows);
    highlightedRow_ = highlightedRow;
    changed();
}

}  // namespace platform
