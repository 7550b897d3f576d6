#include "shell/qt/accessibility.h"

#include "shell/qt/check_box.h"
#include "shell/qt/form_window.h"
#include "shell/qt/frame_widget.h"
#include "shell/qt/label_widget.h"
#include "shell/qt/option_button.h"
#include "shell/qt/picture_box.h"
#include "shell/qt/text_box.h"
#include "shell/qt/text_pieces.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QMessageBox>

namespace shell::qt {

namespace {

// The caption in one line, as a screen reader announces a name.
QString oneLine(const QString& caption) {
    QString name = caption;
    name.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return name.trimmed();
}

using Relations = QList<QPair<QAccessibleInterface*, QAccessible::Relation>>;

// Text that is read, not edited: named by what it shows, on one line, and
// read through the text interface, with no selection and the cursor at its
// start.
class StaticTextAccessible : public QAccessibleWidget, public PiecewiseText {
public:
    explicit StaticTextAccessible(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::StaticText) {}

    // The text as shown, line breaks as '\n'.
    virtual QString shown() const = 0;

    QString text(QAccessible::Text type) const override {
        return type == QAccessible::Name ? oneLine(shown()) : QAccessibleWidget::text(type);
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(int start, int end) const override { return shown().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(shown().size()); }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }
};

class LabelAccessible : public StaticTextAccessible {
public:
    explicit LabelAccessible(LabelWidget* label) : StaticTextAccessible(label) {}

    QString shown() const override { return label()->caption(); }

    // A frame's caption labels its frame.
    Relations relations(QAccessible::Relation match) const override {
        Relations found = QAccessibleWidget::relations(match);
        auto* frame = dynamic_cast<FrameWidget*>(label()->parentWidget());
        if ((match & QAccessible::Labelled) && frame && frame->captionLabel() == label())
            found.append({QAccessible::queryAccessibleInterface(frame), QAccessible::Labelled});
        return found;
    }

    QRect characterRect(int offset) const override {
        const QRect local = label()->characterRect(offset);
        return local.isEmpty() ? QRect() : local.translated(label()->mapToGlobal(QPoint(0, 0)));
    }
    int offsetAtPoint(const QPoint& point) const override {
        return label()->offsetAt(label()->mapFromGlobal(point));
    }

protected:
    QList<int> lineStarts() const override { return label()->lineStarts(); }

private:
    LabelWidget* label() const { return static_cast<LabelWidget*>(widget()); }
};

// A message box's prompt: the one place its text is given, so it is read
// once and can be reviewed by word and line.
class PromptAccessible : public StaticTextAccessible {
public:
    explicit PromptAccessible(QLabel* prompt) : StaticTextAccessible(prompt) {}

    QString shown() const override { return prompt()->text(); }

    // The prompt's characters on one line from the label's left edge, centred
    // vertically, as the box draws a prompt that fits its width.
    QRect characterRect(int offset) const override {
        const QString all = shown();
        if (offset < 0 || offset >= all.size())
            return {};
        const QFontMetrics metrics(prompt()->font());
        const QRect area = prompt()->contentsRect();
        const QRect local(area.left() + metrics.horizontalAdvance(all.left(offset)),
                          area.top() + (area.height() - metrics.height()) / 2,
                          metrics.horizontalAdvance(all.mid(offset, 1)), metrics.height());
        return local.translated(prompt()->mapToGlobal(QPoint(0, 0)));
    }
    int offsetAtPoint(const QPoint& point) const override {
        for (int offset = 0; offset < characterCount(); ++offset)
            if (characterRect(offset).contains(point))
                return offset;
        return -1;
    }

private:
    QLabel* prompt() const { return static_cast<QLabel*>(widget()); }
};

// A text box: one line of editable text. Qt's own description of a line edit
// asks its words through a default that never returns for Chinese text.
class TextBoxAccessible : public QAccessibleWidget,
                          public PiecewiseText,
                          public QAccessibleEditableTextInterface {
public:
    explicit TextBoxAccessible(TextBoxWidget* box)
        : QAccessibleWidget(box, QAccessible::EditableText) {}

    QString text(QAccessible::Text type) const override {
        return type == QAccessible::Value ? box()->text() : QAccessibleWidget::text(type);
    }
    void setText(QAccessible::Text type, const QString& text) override {
        if (type == QAccessible::Value)
            box()->setText(text);
        else
            QAccessibleWidget::setText(type, text);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = true;
        state.selectableText = true;
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    void selection(int index, int* start, int* end) const override {
        *start = *end = 0;
        if (index == 0 && box()->hasSelectedText()) {
            *start = box()->selectionStart();
            *end = *start + box()->selectionLength();
        }
    }
    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override {
        if (index == 0)
            box()->deselect();
    }
    void setSelection(int index, int start, int end) override {
        if (index == 0)
            box()->setSelection(start, end - start);
    }
    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }
    void scrollToSubstring(int start, int end) override {
        box()->setCursorPosition(end);
        box()->setCursorPosition(start);
    }
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }
    QString text(int start, int end) const override {
        return box()->text().mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(box()->text().size()); }
    QRect characterRect(int offset) const override {
        const QRect local = box()->characterRect(offset);
        return local.isEmpty() ? QRect() : local.translated(box()->mapToGlobal(QPoint(0, 0)));
    }
    int offsetAtPoint(const QPoint& point) const override {
        return box()->cursorPositionAt(box()->mapFromGlobal(point));
    }

    void deleteText(int start, int end) override { replaceText(start, end, QString()); }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int start, int end, const QString& text) override {
        box()->setText(box()->text().replace(start, end - start, text));
    }

private:
    TextBoxWidget* box() const { return static_cast<TextBoxWidget*>(widget()); }
};

// A frame: a grouping named and labelled by its caption, which is also a
// label of its own, so a review of the screen reads it.
class FrameAccessible : public QAccessibleWidget {
public:
    explicit FrameAccessible(FrameWidget* frame)
        : QAccessibleWidget(frame, QAccessible::Grouping) {}
    QString text(QAccessible::Text type) const override {
        return type == QAccessible::Name ? frame()->caption() : QAccessibleWidget::text(type);
    }
    Relations relations(QAccessible::Relation match) const override {
        Relations found = QAccessibleWidget::relations(match);
        if ((match & QAccessible::Label) && frame()->captionLabel())
            found.append({QAccessible::queryAccessibleInterface(frame()->captionLabel()),
                          QAccessible::Label});
        return found;
    }

private:
    FrameWidget* frame() const { return static_cast<FrameWidget*>(widget()); }
};

// A check box or option button over its whole rectangle (Qt's own reports
// only the box and caption), with its state and its one action.
class ToggleAccessible : public QAccessibleWidget {
public:
    ToggleAccessible(QAbstractButton* button, QAccessible::Role role)
        : QAccessibleWidget(button, role) {}

    QString text(QAccessible::Text type) const override {
        return type == QAccessible::Name ? button()->text() : QAccessibleWidget::text(type);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        const auto* box = qobject_cast<const QCheckBox*>(button());
        state.checkStateMixed = box && box->checkState() == Qt::PartiallyChecked;
        state.checked = box ? box->checkState() == Qt::Checked : button()->isChecked();
        return state;
    }
    QStringList actionNames() const override {
        return QStringList{QAccessibleActionInterface::toggleAction()} +
               QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == QAccessibleActionInterface::toggleAction() ||
            action == QAccessibleActionInterface::pressAction())
            button()->click();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }
};

// A message box is an alert named by its title. Its prompt is read from the
// label inside it, once: no description repeats it.
class MessageBoxAccessible : public QAccessibleWidget {
public:
    explicit MessageBoxAccessible(QMessageBox* box)
        : QAccessibleWidget(box, QAccessible::AlertMessage) {}
};

QAccessibleInterface* describe(const QString&, QObject* object) {
    // Called for each class up the object's ancestry, most derived first;
    // the widgets here carry no meta-object of their own, so ask the object.
    if (auto* window = dynamic_cast<FormWindow*>(object))
        return new QAccessibleWidget(window, QAccessible::Window);
    if (auto* label = dynamic_cast<LabelWidget*>(object))
        return new LabelAccessible(label);
    if (auto* box = dynamic_cast<TextBoxWidget*>(object))
        return new TextBoxAccessible(box);
    if (auto* frame = dynamic_cast<FrameWidget*>(object))
        return new FrameAccessible(frame);
    if (auto* picture = dynamic_cast<PictureBoxWidget*>(object))
        return new QAccessibleWidget(picture, QAccessible::Graphic);
    if (auto* box = dynamic_cast<CheckBoxWidget*>(object))
        return new ToggleAccessible(box, QAccessible::CheckBox);
    if (auto* option = dynamic_cast<OptionButtonWidget*>(object))
        return new ToggleAccessible(option, QAccessible::RadioButton);
    if (auto* box = qobject_cast<QMessageBox*>(object))
        return new MessageBoxAccessible(box);
    if (auto* label = qobject_cast<QLabel*>(object)) {
        const auto* box = qobject_cast<QMessageBox*>(label->window());
        if (box && !box->text().isEmpty() && label->text() == box->text())
            return new PromptAccessible(label);
    }
    return nullptr;
}

} // namespace

void describeAfresh(QWidget* widget) {
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

void describePromptAfresh(QMessageBox& box) {
    for (QLabel* label : box.findChildren<QLabel*>())
        describeAfresh(label);
}

void installAccessibility() {
    static bool installed = false;
    if (!installed)
        QAccessible::installFactory(describe);
    installed = true;
}

} // namespace shell::qt
