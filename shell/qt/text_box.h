#pragma once

#include <QLineEdit>

namespace qtshell {

// A single-line text field with a sunken 3-D border. The text sits on the
// first line at the top of the box, however tall the box is; the rest of the
// box is the field's background. One widget, so a screen reader finds one
// text field where the user sees one.
class TextBoxWidget : public QLineEdit {
public:
    TextBoxWidget(const QString& text, QWidget* parent);

    // Where the text's character at `offset` is drawn, in the box's
    // coordinates; empty past the end.
    QRect characterRect(int offset) const;

protected:
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Keeps the text's line just inside the border: the margins leave one
    // line's height, in which the field centres its text as a one-line
    // field of that height would.
    void placeTextLine();
};

} // namespace qtshell
