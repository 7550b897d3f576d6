#pragma once

#include <QString>
#include <QWidget>

namespace qtshell {

// A frame: a container with an etched border and its caption set into the top
// edge at the left. Its children are placed from its outer top-left corner.
class FrameWidget : public QWidget {
public:
    FrameWidget(const QString& caption, QWidget* parent);
    const QString& caption() const { return caption_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
};

} // namespace qtshell
