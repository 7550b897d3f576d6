#include "shell/qt/check_box.h"

#include "shell/model/control_behaviour.h"
#include "shell/qt/accessibility.h"

namespace qtshell {

CheckBoxWidget::CheckBoxWidget(const QString& caption, Qt::CheckState initial, QWidget* parent)
    : QCheckBox(caption, parent) {
    // Tristate only so the grayed state can be shown; nextCheckState() keeps
    // the user's clicks to two states.
    setTristate(true);
    setCheckState(initial);
    describeAfresh(this);
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
