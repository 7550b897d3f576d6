#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

namespace shell::qt {

// A picture box: the picture unscaled at the inner top-left corner, clipped
// to the inner area, the rest in the back colour; with a fixed single border
// it has a 2-pixel sunken edge. With the focus it shows a dotted rectangle
// just inside its border.
class PictureBoxWidget : public QWidget {
public:
    PictureBoxWidget(QImage picture, QColor back, bool sunkenBorder, QWidget* parent);

    int borderWidth() const { return sunken_ ? 2 : 0; }
    QRect innerRect() const {
        return rect().adjusted(borderWidth(), borderWidth(), -borderWidth(), -borderWidth());
    }
    // The focus rectangle's outline, in the box's coordinates, clipped to
    // what the window shows of the box.
    QRect focusRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QImage picture_;
    QColor back_;
    bool sunken_;
};

} // namespace shell::qt
