#include "shell/qt/label_widget.h"

#include "shell/model/contrast.h"
#include "shell/qt/conversions.h"

#include <QPainter>

namespace qtshell {

namespace {

shell::Colour fromQColor(const QColor& colour) {
    return shell::Colour::rgb(static_cast<std::uint8_t>(colour.red()),
                              static_cast<std::uint8_t>(colour.green()),
                              static_cast<std::uint8_t>(colour.blue()));
}

} // namespace

LabelWidget::LabelWidget(const QString& caption, shell::Colour back,
                         std::optional<shell::Colour> fore, QWidget* parent)
    : QWidget(parent), caption_(normaliseLineBreaks(caption)), back_(back), fore_(fore) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QColor LabelWidget::backColour() const {
    return toQColor(back_, palette());
}

QColor LabelWidget::textColour() const {
    if (!fore_)
        return toQColor(shell::system_colour::kButtonText, palette());
    const shell::Colour fore = fromQColor(toQColor(*fore_, palette()));
    const shell::Colour readable = shell::readableOn(fore, fromQColor(backColour()));
    return QColor(readable.red(), readable.green(), readable.blue());
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

QList<int> LabelWidget::lineStarts() const {
    QList<int> starts;
    int paragraphStart = 0;
    for (const auto& layout : paragraphs()) {
        for (int i = 0; i < layout->lineCount(); ++i)
            starts << paragraphStart + layout->lineAt(i).textStart();
        paragraphStart += static_cast<int>(layout->text().size()) + 1;
    }
    return starts;
}

// Each paragraph is followed in the caption by the '\n' that split it off.
QRect LabelWidget::characterRect(int offset) const {
    int start = 0;
    for (const auto& layout : paragraphs()) {
        const int length = static_cast<int>(layout->text().size());
        if (offset <= start + length) {
            const int position = offset - start;
            const QTextLine line = layout->lineForTextPosition(position);
            if (!line.isValid())
                return {};
            const qreal x = line.cursorToX(position);
            const qreal next = position < length ? line.cursorToX(position + 1) : x;
            return QRectF(x, line.y(), std::max<qreal>(next - x, 1), line.height()).toAlignedRect();
        }
        start += length + 1;
    }
    return {};
}

int LabelWidget::offsetAt(QPoint point) const {
    int start = 0;
    for (const auto& layout : paragraphs()) {
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            if (point.y() >= line.y() && point.y() < line.y() + line.height())
                return start + line.xToCursor(point.x(), QTextLine::CursorOnCharacter);
        }
        start += static_cast<int>(layout->text().size()) + 1;
    }
    return -1;
}

void LabelWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), backColour());
    painter.setPen(textColour());
    painter.setClipRect(rect());
    for (const auto& layout : paragraphs())
        layout->draw(&painter, QPointF());
}

} // namespace qtshell
