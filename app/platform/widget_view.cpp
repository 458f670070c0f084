#include "platform/widget_view.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSlider>
#include <QTreeWidget>
#include <functional>
#include <map>
#include <set>

#include "event_loop/owned_timer.h"
#include "platform/menus.h"
#include "platform/window.h"

namespace platform {

namespace {

QString qtext(const std::string& text) {
    QString converted = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    converted.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    converted.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return converted;
}

std::string stdtext(const QString& text) {
    QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

// The view follows the control from now on: its own state by update, and what every control's
// view shows besides.
QWidget* following(Control& control, QWidget* view, std::function<void()> update) {
    auto sync = [&control, view, update = std::move(update)] {
        update();
        view->setVisible(control.visible());
        view->setEnabled(control.enabled());
    };
    control.setObserver(sync);
    sync();
    return view;
}

QWidget* labelView(StaticText& label, bool heading) {
    auto* view = new QLabel;
    view->setTextFormat(Qt::PlainText);  // captions come from the network: never markup
    view->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    view->setTextInteractionFlags(Qt::TextSelectableByMouse);
    const QString style = heading ? QStringLiteral("font-weight: bold;") : QString();
    view->setStyleSheet(style);
    return following(label, view, [&label, view, style] {
        view->setText(qtext(label.caption()));
        QString wanted = label.alert() ? style + QStringLiteral("color: red;") : style;
        if (view->styleSheet() != wanted) view->setStyleSheet(wanted);
    });
}

QWidget* editView(EditField& field) {
    if (field.multiline()) {
        auto* view = new QPlainTextEdit;
        view->setReadOnly(true);
        return following(field, view, [&field, view] { view->setPlainText(qtext(field.text())); });
    }
    auto* view = new QLineEdit;
    QObject::connect(view, &QLineEdit::textEdited,
                     [&field](const QString& text) { field.userEdited(stdtext(text)); });
    return following(field, view, [&field, view] {
        if (stdtext(view->text()) != field.text()) view->setText(qtext(field.text()));
    });
}

QWidget* checkView(CheckBox& box) {
    auto* view = new QCheckBox(qtext(box.caption()));
    QObject::connect(view, &QCheckBox::clicked, [&box](bool checked) {
        if (box.value() != checked) box.click();
    });
    return following(box, view, [&box, view] {
        QSignalBlocker block(view);
        view->setChecked(box.value());
    });
}

QWidget* buttonView(PushButton& button) {
    auto* view = new QPushButton(qtext(button.caption()));
    QObject::connect(view, &QPushButton::clicked, [&button] { button.push(); });
    return following(button, view, [] {});
}

QWidget* popupView(PopupMenu& menu) {
    auto* view = new QComboBox;
    view->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    QObject::connect(view, &QComboBox::activated, [&menu](int index) { menu.setListIndex(index); });
    return following(menu, view, [&menu, view] {
        QSignalBlocker block(view);
        view->clear();
        for (const auto& row : menu.rows()) view->addItem(qtext(row));
        view->setCurrentIndex(menu.listIndex());
    });
}

QWidget* sliderView(Slider& slider) {
    auto* view = new QSlider(Qt::Horizontal);
    view->setRange(slider.minimum(), slider.maximum());
    QObject::connect(view, &QSlider::valueChanged,
                     [&slider](int value) { slider.userMoved(value); });
    return following(slider, view, [&slider, view] {
        QSignalBlocker block(view);
        view->setValue(slider.value());
    });
}

QStringList qtexts(const ListBox::Row& row) {
    QStringList texts;
    for (const auto& cell : row) texts.append(qtext(cell));
    return texts;
}

void highlight(QTreeWidgetItem& item, const QPalette& palette) {
    QFont font = item.font(0);
    font.setBold(true);
    for (int column = 0; column < item.columnCount(); ++column) {
        item.setFont(column, font);
        item.setBackground(column, palette.highlight());
        item.setForeground(column, palette.highlightedText());
    }
}

QWidget* listView(ListBox& list) {
    auto* view = new QTreeWidget;
    view->setRootIsDecorated(false);
    view->setSelectionMode(QAbstractItemView::NoSelection);
    view->setHeaderLabels(qtexts(list.headings()));
    view->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return following(list, view, [&list, view] {
        view->clear();
        for (const auto& row : list.rows()) new QTreeWidgetItem(view, qtexts(row));
        if (QTreeWidgetItem* item = view->topLevelItem(list.highlightedRow()))
            highlight(*item, view->palette());
    });
}

QWidget* controlView(Control& control) {
    if (auto* group = dynamic_cast<GroupBox*>(&control)) return labelView(*group, true);
    if (auto* label = dynamic_cast<StaticText*>(&control)) return labelView(*label, false);
    if (auto* field = dynamic_cast<EditField*>(&control)) return editView(*field);
    if (auto* box = dynamic_cast<CheckBox*>(&control)) return checkView(*box);
    if (auto* button = dynamic_cast<PushButton*>(&control)) return buttonView(*button);
    if (auto* popup = dynamic_cast<PopupMenu*>(&control)) return popupView(*popup);
    if (auto* slider = dynamic_cast<Slider*>(&control)) return sliderView(*slider);
    if (auto* list = dynamic_cast<ListBox*>(&control)) return listView(*list);
    return new QWidget;
}

QKeySequence shortcutFor(const std::string& shortcut) {
    QString text = qtext(shortcut);
    text.replace(QStringLiteral("Cmd+"), QStringLiteral("Ctrl+"));
    return QKeySequence(text);
}

// Items without a command of their own do the standard editing on the focused text field.
void standardEdit(const std::string& name) {
    static const std::map<std::string, const char*> editActions = {
        {"EditUndo", "undo"},   {"EditCut", "cut"},   {"EditCopy", "copy"},
        {"EditPaste", "paste"}, {"EditClear", "del"}, {"EditSelectAll", "selectAll"}};
    auto action = editActions.find(name);
    QWidget* focus = QApplication::focusWidget();
    if (action != editActions.end() && focus) QMetaObject::invokeMethod(focus, action->second);
}

void buildMenus(QMenuBar& bar, const MenuItem& menuBar) {
    for (const auto& menu : menuBar.children()) {
        QMenu* view = bar.addMenu(qtext(menu->text()));
        for (const auto& item : menu->children()) {
            if (item->isSeparator()) {
                view->addSeparator();
                continue;
            }
            MenuItem* model = item.get();
            QAction* action = view->addAction(qtext(model->text()));
            action->setShortcut(shortcutFor(model->keyboardShortcut()));
            if (model->isQuitItem()) action->setMenuRole(QAction::QuitRole);
            QObject::connect(action, &QAction::triggered, [model] {
                if (model->handler) {
                    model->choose();
                } else {
                    standardEdit(model->name());
                }
            });
            auto sync = [model, action] {
                action->setCheckable(model->checked());
                action->setChecked(model->checked());
            };
            model->observer = sync;
            sync();
        }
    }
}

class WindowWidget : public QMainWindow {
  public:
    explicit WindowWidget(Window& window) : window_(window) {
        auto* body = new QWidget;
        auto* grid = new QGridLayout(body);
        grid->setContentsMargins(14, 12, 14, 12);
        grid->setHorizontalSpacing(14);
        grid->setVerticalSpacing(8);
        for (const auto& placement : window.layout()) {
            QWidget* view = controlView(*placement.control);
            grid->addWidget(view, placement.row, placement.column, placement.rowSpan,
                            placement.columnSpan);
        }
        grid->setColumnStretch(grid->columnCount() - 1, 1);
        grid->setRowStretch(grid->rowCount(), 1);
        setCentralWidget(body);
        for (const Window::Shortcut& shortcut : window.shortcuts()) {
            auto* key = new QShortcut(shortcutFor(shortcut.key), this);
            QObject::connect(key, &QShortcut::activated, shortcut.action);
        }
        menuBar_ = window.menuBar();
        if (menuBar_) buildMenus(*menuBar(), *menuBar_);
        resize(window.width(), window.height());
        sync();
    }

    ~WindowWidget() override {
        if (menuBar_) {
            for (const auto& menu : menuBar_->children()) {
                for (const auto& item : menu->children()) item->observer = nullptr;
            }
        }
        if (!windowGone_) {
            for (const auto& placement : window_.layout()) placement.control->setObserver({});
        }
    }

    // The window is being destroyed: its controls may be gone already and are not to be touched.
    void windowGone() { windowGone_ = true; }

    void sync() {
        setWindowTitle(qtext(window_.title()));
        move(window_.left(), window_.top());
        if (!window_.visible()) {
            hide();
        } else if (window_.minimized()) {
            showMinimized();
        } else {
            showNormal();
        }
    }

  protected:
    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::WindowStateChange) window_.viewMinimized(isMinimized());
        QMainWindow::changeEvent(event);
    }

    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        window_.closeBoxClicked();
    }

  private:
    Window& window_;
    const MenuItem* menuBar_ = nullptr;
    bool windowGone_ = false;
};

class WidgetViewHost : public WindowViewHost {
  public:
    void windowChanged(Window& window) override {
        if (auto view = views_.find(&window); view != views_.end()) {
            view->second->sync();
            return;
        }
        if (!window.visible() || !waiting_.insert(&window).second) return;
        // Widgets are made on the next turn of the event loop, so a window shown and hidden again
        // within one handler never costs any.
        callLater(context_, 0, [this, &window] {
            if (!waiting_.erase(&window) || !window.visible()) return;
            views_[&window] = std::make_unique<WindowWidget>(window);
        });
    }

    void windowDestroyed(Window& window) override {
        waiting_.erase(&window);
        if (auto view = views_.find(&window); view != views_.end()) {
            view->second->windowGone();
            views_.erase(view);
        }
    }

    WindowWidget* viewNow(Window& window) {
        if (auto view = views_.find(&window); view != views_.end()) return view->second.get();
        if (!window.visible()) return nullptr;
        waiting_.erase(&window);
        return (views_[&window] = std::make_unique<WindowWidget>(window)).get();
    }

    void clear() {
        waiting_.clear();
        views_.clear();
    }

  private:
    QObject context_;
    std::set<Window*> waiting_;
    std::map<Window*, std::unique_ptr<WindowWidget>> views_;
};

}  // namespace

std::unique_ptr<WindowViewHost> makeWidgetViewHost() {
    return std::make_unique<WidgetViewHost>();
}

bool saveWindowImage(Window& window, const std::string& path) {
    auto* host = dynamic_cast<WidgetViewHost*>(windowViewHost());
    WindowWidget* view = host ? host->viewNow(window) : nullptr;
    return view && view->grab().save(QString::fromStdString(path), "PNG");
}

}  // namespace platform
