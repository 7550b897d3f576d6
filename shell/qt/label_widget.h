#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

namespace qtshell {

// A label: an opaque rectangle in its back colour with its caption
// left-aligned, word-wrapped to the width and clipped to the rectangle. It
// never takes the focus and lies below every windowed control of its
// container (it is created first there).
class LabelWidget : public QWidget {
public:
    LabelWidget(const QString& caption, QColor back, QColor fore, QWidget* parent);

    const QString& caption() const { return caption_; }
    // The caption's lines as drawn: each paragraph wrapped to the width.
    QStringList wrappedLines() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
    QColor back_;
    QColor fore_;
};

} // namespace qtshell
