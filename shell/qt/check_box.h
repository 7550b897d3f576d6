#pragma once

#include <QCheckBox>

namespace qtshell {

// A check box whose description may start it grayed (the indeterminate
// state). A click on a grayed box ticks it; from then on clicks toggle
// between ticked and clear, so the user never cycles back into grayed.
// A click anywhere in its rectangle acts on it, as on the classic desktop.
class CheckBoxWidget : public QCheckBox {
public:
    CheckBoxWidget(const QString& caption, Qt::CheckState initial, QWidget* parent);

protected:
    bool hitButton(const QPoint& position) const override;
    void nextCheckState() override;

private:
    // Tells assistive technologies of a change between grayed and ticked.
    void announce(Qt::CheckState now);

    Qt::CheckState announced_;
};

} // namespace qtshell
