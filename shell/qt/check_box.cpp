#include "shell/qt/check_box.h"

#include "shell/model/control_behaviour.h"
#include "shell/qt/accessibility.h"
#include "shell/qt/atspi_events.h"

#include <QAccessible>

namespace qtshell {

CheckBoxWidget::CheckBoxWidget(const QString& caption, Qt::CheckState initial, QWidget* parent)
    : QCheckBox(caption, parent), announced_(initial) {
    // Tristate only so the grayed state can be shown; nextCheckState() keeps
    // the user's clicks to two states.
    setTristate(true);
    setCheckState(initial);
    connect(this, &QCheckBox::stateChanged, this,
            [this](int now) { announce(static_cast<Qt::CheckState>(now)); });
    describeAfresh(this);
}

// Qt holds grayed as ticked-and-mixed and reports a change of "ticked" only:
// between grayed and ticked it reports nothing a screen reader hears, and no
// change of "mixed" reaches one at all, so it would go on saying "partly
// ticked". Those changes are told here: "mixed" first, so that the screen
// reader has it when the change of "ticked" has it read the box again.
void CheckBoxWidget::announce(Qt::CheckState now) {
    const Qt::CheckState before = announced_;
    announced_ = now;
    if ((before == Qt::PartiallyChecked) != (now == Qt::PartiallyChecked))
        tellIndeterminateChanged(this, now == Qt::PartiallyChecked);
    const auto grayedAndTicked = [](Qt::CheckState a, Qt::CheckState b) {
        return a == Qt::PartiallyChecked && b == Qt::Checked;
    };
    if (!grayedAndTicked(before, now) && !grayedAndTicked(now, before))
        return;
    QAccessible::State changed;
    changed.checked = true;
    changed.checkStateMixed = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

bool CheckBoxWidget::hitButton(const QPoint& position) const {
    return rect().contains(position);
}

void CheckBoxWidget::nextCheckState() {
    const shell::CheckValue current = checkState() == Qt::Checked ? shell::CheckValue::Checked
                                      : checkState() == Qt::PartiallyChecked
                                          ? shell::CheckValue::Grayed
                                          : shell::CheckValue::Unchecked;
    setCheckState(shell::checkValueAfterClick(current) == shell::CheckValue::Checked
                      ? Qt::Checked
                      : Qt::Unchecked);
}

} // namespace qtshell
