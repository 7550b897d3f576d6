#include "shell/qt/accessibility.h"

#include "shell/qt/check_box.h"
#include "shell/qt/form_window.h"
#include "shell/qt/frame_widget.h"
#include "shell/qt/label_widget.h"
#include "shell/qt/option_button.h"
#include "shell/qt/picture_box.h"

#include <QAccessibleWidget>
#include <QMessageBox>

namespace qtshell {

namespace {

// The caption in one line, as a screen reader announces a name.
QString oneLine(const QString& caption) {
    QString name = caption;
    name.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return name.trimmed();
}

class LabelAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit LabelAccessible(LabelWidget* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text type) const override {
        return type == QAccessible::Name ? oneLine(label()->caption())
                                         : QAccessibleWidget::text(type);
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // Read-only text: no selection, no cursor.
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

    QString text(int start, int end) const override {
        return label()->caption().mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(label()->caption().size()); }
    QRect characterRect(int offset) const override {
        const QRect local = label()->characterRect(offset);
        return local.isEmpty() ? QRect() : local.translated(label()->mapToGlobal(QPoint(0, 0)));
    }
    int offsetAtPoint(const QPoint& point) const override {
        return label()->offsetAt(label()->mapFromGlobal(point));
    }

private:
    LabelWidget* label() const { return static_cast<LabelWidget*>(widget()); }
};

class FrameAccessible : public QAccessibleWidget {
public:
    explicit FrameAccessible(FrameWidget* frame)
        : QAccessibleWidget(frame, QAccessible::Grouping) {}
    QString text(QAccessible::Text type) const override {
        return type == QAccessible::Name ? static_cast<FrameWidget*>(widget())->caption()
                                         : QAccessibleWidget::text(type);
    }
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

class MessageBoxAccessible : public QAccessibleWidget {
public:
    explicit MessageBoxAccessible(QMessageBox* box)
        : QAccessibleWidget(box, QAccessible::AlertMessage) {}
    QString text(QAccessible::Text type) const override {
        if (type == QAccessible::Description)
            return static_cast<QMessageBox*>(widget())->text();
        return QAccessibleWidget::text(type);
    }
};

QAccessibleInterface* describe(const QString&, QObject* object) {
    // Called for each class up the object's ancestry, most derived first;
    // the widgets here carry no meta-object of their own, so ask the object.
    if (auto* window = dynamic_cast<FormWindow*>(object))
        return new QAccessibleWidget(window, QAccessible::Window);
    if (auto* label = dynamic_cast<LabelWidget*>(object))
        return new LabelAccessible(label);
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
    return nullptr;
}

} // namespace

void describeAfresh(QWidget* widget) {
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

void installAccessibility() {
    static bool installed = false;
    if (!installed)
        QAccessible::installFactory(describe);
    installed = true;
}

} // namespace qtshell
