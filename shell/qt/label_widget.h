#pragma once

#include "shell/model/colour.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QTextLayout>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

namespace qtshell {

// A label: an opaque rectangle in its back colour with its caption
// left-aligned, word-wrapped to the width and clipped to the rectangle. It
// never takes the focus and lies below every windowed control of its
// container (it is created first there).
class LabelWidget : public QWidget {
public:
    // `fore` absent: the desktop's button text colour, as described.
    LabelWidget(const QString& caption, shell::Colour back, std::optional<shell::Colour> fore,
                QWidget* parent);

    // The caption with its line breaks as '\n'.
    const QString& caption() const { return caption_; }
    // The caption's lines as drawn: each paragraph wrapped to the width.
    QStringList wrappedLines() const;
    // Where in the caption each drawn line begins.
    QList<int> lineStarts() const;

    // The colours as drawn against the current palette. A stated fore colour
    // keeps its hue but is lightened or darkened as little as it takes to
    // read against the background, so the designer's navy on a dark desktop
    // does not vanish into the dark face.
    QColor backColour() const;
    QColor textColour() const;

    // Where the caption's character at `offset` is drawn, in the label's
    // coordinates; empty past the end.
    QRect characterRect(int offset) const;
    // The caption's offset drawn at `point`, or -1.
    int offsetAt(QPoint point) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // One laid-out layout per paragraph, kept until the width or the font
    // changes: shaping hundreds of CJK characters is most of a repaint.
    // (Checked here rather than on resize and font events, which a hidden
    // widget does not get until it is shown.)
    const std::vector<std::unique_ptr<QTextLayout>>& paragraphs() const;

    QString caption_;
    shell::Colour back_;
    std::optional<shell::Colour> fore_;
    mutable std::vector<std::unique_ptr<QTextLayout>> paragraphs_;
    mutable int laidOutWidth_ = -1;
    mutable QFont laidOutFont_;
};

} // namespace qtshell
