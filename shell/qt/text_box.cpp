#include "shell/qt/text_box.h"

#include "shell/qt/edges.h"
#include "shell/qt/text_pieces.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
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

QRect TextBoxWidget::characterRect(int offset) const {
    const QString shown = text();
    if (offset < 0 || offset >= shown.size())
        return {};
    // The cursor is drawn where the text is, however far it has scrolled.
    const QFontMetrics metrics(font());
    const QRect cursor = cursorRect();
    const int origin =
        cursor.center().x() - metrics.horizontalAdvance(shown.left(cursorPosition()));
    return QRect(origin + metrics.horizontalAdvance(shown.left(offset)),
                 cursor.center().y() - metrics.height() / 2,
                 metrics.horizontalAdvance(shown.mid(offset, 1)), metrics.height());
}

// The classic text box keeps its caret and selects nothing when Tab brings
// the focus; a line edit would select its whole text, and a screen reader
// would read it out as selected on the way in and unselected on the way out.
void TextBoxWidget::focusInEvent(QFocusEvent* event) {
    const bool byKey = event->reason() == Qt::TabFocusReason ||
                       event->reason() == Qt::BacktabFocusReason ||
                       event->reason() == Qt::ShortcutFocusReason;
    if (!byKey) {
        QLineEdit::focusInEvent(event);
        return;
    }
    QFocusEvent plain(event->type(), Qt::OtherFocusReason);
    QLineEdit::focusInEvent(&plain);
}

// Ctrl+Left and Ctrl+Right move by the words a screen reader reads, each
// Han character one: a line edit's own word moves pass over a whole run of
// Chinese text at once.
void TextBoxWidget::keyPressEvent(QKeyEvent* event) {
    const bool byWord =
        (event->modifiers() & ~Qt::ShiftModifier & ~Qt::KeypadModifier) == Qt::ControlModifier &&
        (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right);
    if (!byWord) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const int to = wordStartFrom(text(), cursorPosition(), event->key() == Qt::Key_Right ? 1 : -1);
    cursorForward(event->modifiers() & Qt::ShiftModifier, to - cursorPosition());
    event->accept();
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
