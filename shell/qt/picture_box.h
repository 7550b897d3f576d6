#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

namespace qtshell {

// A picture box: the picture unscaled at the inner top-left corner, clipped
// to the inner area, the rest in the back colour; with a fixed single border
// it has a 2-pixel sunken edge.
class PictureBoxWidget : public QWidget {
public:
    PictureBoxWidget(QImage picture, QColor back, bool sunkenBorder, QWidget* parent);

    int borderWidth() const { return sunken_ ? 2 : 0; }
    QRect innerRect() const {
        return rect().adjusted(borderWidth(), borderWidth(), -borderWidth(), -borderWidth());
    }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
    QColor back_;
    bool sunken_;
};

} // namespace qtshell
