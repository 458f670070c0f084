#pragma once
// Controls of the program's windows. Each keeps its own state (caption, text, value, rows), so the
// program's logic and its tests need no widgets; a view (a widget, or the headless printer)
// attaches through the observer and is told after every change.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {

class Control {
  public:
    explicit Control(std::string name) : name_(std::move(name)) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& name() const { return name_; }
    bool visible() const { return visible_; }
    void setVisible(bool visible);
    // A disabled control is shown greyed and takes no input from the user.
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);

    // One observer at a time: the attached view. Called after each change of state.
    void setObserver(std::function<void()> observer) { observer_ = std::move(observer); }

  protected:
    void changed() const;

  private:
    std::string name_;
    bool visible_ = true;
    bool enabled_ = true;
    std::function<void()> observer_;
};

// A label. Its caption is plain text: views never interpret it as markup.
class StaticText : public Control {
  public:
    StaticText(std::string name, std::string caption)
        : Control(std::move(name)), caption_(std::move(caption)) {}
    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);
    void appendCaption(std::string_view text);
    // An alert label asks for attention: the view shows it in red.
    bool alert() const { return alert_; }
    void setAlert(bool alert);

  private:
    std::string caption_;
    bool alert_ = false;
};

class GroupBox : public StaticText {
  public:
    using StaticText::StaticText;
};

// A text field, one line or several. Its text is plain text.
class EditField : public Control {
  public:
    EditField(std::string name, std::string text = {}, bool multiline = false)
        : Control(std::move(name)), text_(std::move(text)), multiline_(multiline) {}
    const std::string& text() const { return text_; }
    void setText(std::string text);
    void appendText(std::string_view text);
    bool multiline() const { return multiline_; }
    // A change made by the user in the view: updates the state without echoing back to the view.
    void userEdited(std::string text) { text_ = std::move(text); }

  private:
    std::string text_;
    bool multiline_;
};

class CheckBox : public Control {
  public:
    CheckBox(std::string name, std::string caption)
        : Control(std::move(name)), caption_(std::move(caption)) {}
    const std::string& caption() const { return caption_; }
    bool value() const { return value_; }
    void setValue(bool value);
    // The user clicked the box: the value flips and the action runs.
    void click();
    std::function<void()> action;

  private:
    std::string caption_;
    bool value_ = false;
};

class PushButton : public Control {
  public:
    PushButton(std::string name, std::string caption)
        : Control(std::move(name)), caption_(std::move(caption)) {}
    const std::string& caption() const { return caption_; }
    void push() const;
    std::function<void()> action;

  private:
    std::string caption_;
};

class PopupMenu : public Control {
  public:
    explicit PopupMenu(std::string name) : Control(std::move(name)) {}
    const std::vector<std::string>& rows() const { return rows_; }
    void deleteAllRows();
    void addRow(std::string text);
    int32_t listIndex() const { return listIndex_; }
    // Selecting a row (or none, -1) runs the change handler, whether the program or the user chose
    // it.
    void setListIndex(int32_t index);
    // The text of the selected row, empty when none is selected.
    std::string text() const;
    std::function<void()> change;

  private:
    std::vector<std::string> rows_;
    int32_t listIndex_ = -1;
};

// A horizontal slider over a range of whole values.
class Slider : public Control {
  public:
    Slider(std::string name, int32_t minimum, int32_t maximum)
        : Control(std::move(name)), minimum_(minimum), maximum_(maximum), value_(minimum) {}
    int32_t minimum() const { return minimum_; }
    int32_t maximum() const { return maximum_; }
    int32_t value() const { return value_; }
    // Set by the program, held to the range: the view follows and the action does not run, so a
    // slider that follows a value set elsewhere never sends it back.
    void setValue(int32_t value);
    // The user moved the slider in the view: the action runs for a new value, without an echo.
    void userMoved(int32_t value);
    std::function<void()> action;

  private:
    int32_t minimum_;
    int32_t maximum_;
    int32_t value_;
};

// A read-only table: rows of cells under the column headings, one of them highlighted or none.
class ListBox : public Control {
  public:
    using Row = std::vector<std::string>;
    ListBox(std::string name, Row headings)
        : Control(std::move(name)), headings_(std::move(headings)) {}
    const Row& headings() const { return headings_; }
    const std::vector<Row>& rows() const { return rows_; }
    int32_t highlightedRow() const { return highlightedRow_; }
    // Only a real change is told: the view redraws no more often than the rows change.
    void setRows(std::vector<Row> rows, int32_t highlightedRow = -1);

  private:
    Row headings_;
    std::vector<Row> rows_;
    int32_t highlightedRow_ = -1;
};

}  // namespace platform
