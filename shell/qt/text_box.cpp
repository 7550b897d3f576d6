#include "shell/qt/text_box.h"

#include <QPainter>
#include <qdrawutil.h>

namespace qtshell {

namespace {
constexpr int kBorder = 2; // the sunken edge, two pixels on each side
} // namespace

TextBoxWidget::TextBoxWidget(const QString& text, QWidget* parent) : QLineEdit(parent) {
    // Given its text before its font, the field would lay it out once in the
    // application font and again in its own.
    setText(text);
    setFrame(false);
    // The border is drawn over the margins; the text starts where it would
    // in a one-line field inside the border.
    setTextMargins(kBorder, kBorder, kBorder, kBorder);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setCursorPosition(0);
}

void TextBoxWidget::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), /*sunken=*/true);
}

} // namespace qtshell
