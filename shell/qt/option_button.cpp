#include "shell/qt/option_button.h"

#include "shell/model/ordering.h"
#include "shell/qt/accessibility.h"

#include <QKeyEvent>
#include <algorithm>

namespace shell::qt {

OptionButtonWidget::OptionButtonWidget(const QString& caption, int tabIndex, bool selected,
                                       QWidget* parent)
    : QRadioButton(caption, parent), tabIndex_(tabIndex) {
    setChecked(selected);
    describeAfresh(this);
}

std::vector<OptionButtonWidget*> OptionButtonWidget::group() const {
    std::vector<OptionButtonWidget*> members;
    for (QObject* sibling : parentWidget()->children())
        if (auto* option = dynamic_cast<OptionButtonWidget*>(sibling))
            members.push_back(option);
    std::sort(members.begin(), members.end(),
              [](const auto* a, const auto* b) { return a->tabIndex() < b->tabIndex(); });
    return members;
}

bool OptionButtonWidget::isGroupTabStop() const {
    const auto members = group();
    const auto selected =
        std::find_if(members.begin(), members.end(), [](const auto* m) { return m->isChecked(); });
    return (selected != members.end() ? *selected : members.front()) == this;
}

bool OptionButtonWidget::hitButton(const QPoint& position) const {
    return rect().contains(position);
}

void OptionButtonWidget::keyPressEvent(QKeyEvent* event) {
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Down:
    case Qt::Key_Right:
        step = 1;
        break;
    case Qt::Key_Up:
    case Qt::Key_Left:
        step = -1;
        break;
    default:
        QRadioButton::keyPressEvent(event);
        return;
    }
    const auto members = group();
    const auto here =
        static_cast<std::size_t>(std::find(members.begin(), members.end(), this) - members.begin());
    const auto next = shell::model::nextRound(members.size(), here, step, [&](std::size_t i) {
        return i != here && members[i]->isEnabled() && members[i]->isVisible();
    });
    if (next) {
        members[*next]->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        members[*next]->setChecked(true);
    }
    event->accept();
}

} // namespace shell::qt
