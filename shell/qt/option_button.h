#pragma once

#include <QRadioButton>
#include <vector>

namespace shell::qt {

// An option button. The option buttons of one container form one group, and
// the group is a single Tab stop at its selected option; the arrow keys move
// to the group's next or previous option in tab order, wrapping round, and
// select it, as on the classic desktop. A click anywhere in its rectangle
// acts on it.
class OptionButtonWidget : public QRadioButton {
public:
    OptionButtonWidget(const QString& caption, int tabIndex, bool selected, QWidget* parent);

    int tabIndex() const { return tabIndex_; }

    // This button's group, in tab order.
    std::vector<OptionButtonWidget*> group() const;
    // Whether Tab stops here: the selected option of the group, or the
    // group's first option while none is selected.
    bool isGroupTabStop() const;

protected:
    bool hitButton(const QPoint& position) const override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int tabIndex_;
};

} // namespace shell::qt
