#include "shell/qt/check_box.h"

namespace qtshell {

CheckBoxWidget::CheckBoxWidget(const QString& caption, Qt::CheckState initial, QWidget* parent)
    : QCheckBox(caption, parent) {
    // Tristate only so the grayed state can be shown; nextCheckState() keeps
    // the user's clicks to two states.
    setTristate(true);
    setCheckState(initial);
}

void CheckBoxWidget::nextCheckState() {
    setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

} // namespace qtshell
