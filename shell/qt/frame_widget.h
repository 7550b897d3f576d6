#pragma once

#include <QString>
#include <QWidget>

namespace qtshell {

class LabelWidget;

// A frame: a container with an etched border and its caption set into the top
// edge at the left. Its children are placed from its outer top-left corner.
// The caption is a label of its own, below every control of the frame, so
// that it is read wherever the frame's text is reviewed.
class FrameWidget : public QWidget {
public:
    FrameWidget(const QString& caption, QWidget* parent);
    const QString& caption() const { return caption_; }
    // The caption's label; none for a frame without a caption.
    LabelWidget* captionLabel() const { return captionLabel_; }

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The gap in the top edge that the caption sits in.
    QRect captionGap() const;
    void placeCaption();

    QString caption_;
    LabelWidget* captionLabel_ = nullptr;
};

} // namespace qtshell
