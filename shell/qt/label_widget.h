#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QTextLayout>
#include <QWidget>
#include <memory>
#include <vector>

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
    // One laid-out layout per paragraph, kept until the width or the font
    // changes: shaping hundreds of CJK characters is most of a repaint.
    // (Checked here rather than on resize and font events, which a hidden
    // widget does not get until it is shown.)
    const std::vector<std::unique_ptr<QTextLayout>>& paragraphs() const;

    QString caption_;
    QColor back_;
    QColor fore_;
    mutable std::vector<std::unique_ptr<QTextLayout>> paragraphs_;
    mutable int laidOutWidth_ = -1;
    mutable QFont laidOutFont_;
};

} // namespace qtshell
