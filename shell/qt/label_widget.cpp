#include "shell/qt/label_widget.h"

#include "shell/qt/conversions.h"

#include <QPainter>
#include <QTextLayout>

namespace qtshell {

namespace {

// Lays out each paragraph to the given width: at word boundaries where the
// text has them (Latin), between any characters otherwise (CJK runs, long
// words), so no line ever runs past the right edge.
template <typename Visit>
void layoutLines(const QString& text, const QFont& font, int width, Visit visit) {
    const QStringList paragraphs = text.split(QLatin1Char('\n'));
    qreal y = 0;
    for (const QString& paragraph : paragraphs) {
        QTextLayout layout(paragraph, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            line.setPosition(QPointF(0, y));
            y += line.height();
        }
        layout.endLayout();
        visit(layout, paragraph);
    }
}

} // namespace

LabelWidget::LabelWidget(const QString& caption, QColor back, QColor fore, QWidget* parent)
    : QWidget(parent), caption_(normaliseLineBreaks(caption)), back_(back), fore_(fore) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QStringList LabelWidget::wrappedLines() const {
    QStringList lines;
    layoutLines(caption_, font(), width(), [&](const QTextLayout& layout, const QString& text) {
        for (int i = 0; i < layout.lineCount(); ++i) {
            const QTextLine line = layout.lineAt(i);
            lines << text.mid(line.textStart(), line.textLength());
        }
    });
    return lines;
}

void LabelWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), back_);
    painter.setPen(fore_);
    painter.setClipRect(rect());
    layoutLines(caption_, font(), width(), [&](const QTextLayout& layout, const QString&) {
        layout.draw(&painter, QPointF());
    });
}

} // namespace qtshell
