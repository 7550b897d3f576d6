#pragma once

#include <QFrame>
#include <QLineEdit>

namespace qtshell {

// A single-line text field with a sunken 3-D border. The text sits on the
// first line at the top of the box, however tall the box is; the rest of the
// box is the field's background.
class TextBoxWidget : public QFrame {
public:
    TextBoxWidget(const QString& text, QWidget* parent);
    QLineEdit* editor() const { return editor_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QLineEdit* editor_;
};

} // namespace qtshell
