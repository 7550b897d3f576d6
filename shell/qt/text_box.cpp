#include "shell/qt/text_box.h"

namespace qtshell {

TextBoxWidget::TextBoxWidget(const QString& text, QWidget* parent)
    : QFrame(parent), editor_(new QLineEdit(this)) {
    // Given its text in the constructor, the editor would lay it out once
    // before it takes the box's font and again after.
    editor_->setText(text);
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setLineWidth(2);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    editor_->setFrame(false);
    editor_->setCursorPosition(0);
    // Clicks anywhere in the box reach the editor; the tab order holds the
    // editor alone.
    // (Qt hands a policy on to an existing proxy, so set it first.)
    setFocusPolicy(Qt::ClickFocus);
    setFocusProxy(editor_);
}

void TextBoxWidget::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    const QRect inner = contentsRect();
    const int lineHeight = editor_->sizeHint().height();
    editor_->setGeometry(inner.x(), inner.y(), inner.width(), std::min(lineHeight, inner.height()));
}

} // namespace qtshell
