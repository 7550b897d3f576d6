#include "shell/qt/text_box.h"

#include "shell/qt/edges.h"

#include <QEvent>
#include <QPainter>

namespace qtshell {

namespace {
constexpr int kBorder = 2; // the sunken edge, two pixels on each side
} // namespace

TextBoxWidget::TextBoxWidget(const QString& text, QWidget* parent) : QLineEdit(parent) {
    // Given its text before its font, the field would lay it out once in the
    // application font and again in its own.
    setText(text);
    setFrame(false);
    setCursorPosition(0);
}

void TextBoxWidget::placeTextLine() {
    setTextMargins(0, 0, 0, 0);
    const int line = sizeHint().height();
    setTextMargins(kBorder, kBorder, kBorder, std::max(kBorder, height() - kBorder - line));
}

void TextBoxWidget::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        placeTextLine();
}

void TextBoxWidget::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    placeTextLine();
}

void TextBoxWidget::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    drawSunkenEdge(painter, rect(), palette());
}

} // namespace qtshell
