#include "shell/qt/label_widget.h"

#include "shell/qt/conversions.h"

#include <QPainter>

namespace qtshell {

LabelWidget::LabelWidget(const QString& caption, QColor back, QColor fore, QWidget* parent)
    : QWidget(parent), caption_(normaliseLineBreaks(caption)), back_(back), fore_(fore) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

// Lays out each paragraph to the width: at word boundaries where the text
// has them (Latin), between any characters otherwise (CJK runs, long
// words), so no line ever runs past the right edge.
const std::vector<std::unique_ptr<QTextLayout>>& LabelWidget::paragraphs() const {
    if (laidOutWidth_ == width() && laidOutFont_ == font())
        return paragraphs_;
    paragraphs_.clear();
    laidOutWidth_ = width();
    laidOutFont_ = font();
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    qreal y = 0;
    for (const QString& paragraph : caption_.split(QLatin1Char('\n'))) {
        auto layout = std::make_unique<QTextLayout>(paragraph, font());
        layout->setTextOption(option);
        layout->beginLayout();
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            line.setLineWidth(width());
            line.setPosition(QPointF(0, y));
            y += line.height();
        }
        layout->endLayout();
        paragraphs_.push_back(std::move(layout));
    }
    return paragraphs_;
}

QStringList LabelWidget::wrappedLines() const {
    QStringList lines;
    for (const auto& layout : paragraphs()) {
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            lines << layout->text().mid(line.textStart(), line.textLength());
        }
    }
    return lines;
}

void LabelWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), back_);
    painter.setPen(fore_);
    painter.setClipRect(rect());
    for (const auto& layout : paragraphs())
        layout->draw(&painter, QPointF());
}

} // namespace qtshell
