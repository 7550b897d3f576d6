#include "shell/qt/window_builder.h"

#include "shell/model/control_behaviour.h"
#include "shell/model/ordering.h"
#include "shell/model/picture_check.h"
#include "shell/qt/check_box.h"
#include "shell/qt/conversions.h"
#include "shell/qt/frame_widget.h"
#include "shell/qt/label_widget.h"
#include "shell/qt/option_button.h"
#include "shell/qt/picture_box.h"
#include "shell/qt/text_box.h"

#include <QByteArrayView>
#include <QCoreApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <map>

namespace qtshell {

namespace {

QByteArrayView bytesOf(const shell::Picture& picture) {
    return QByteArrayView(reinterpret_cast<const char*>(picture.fileBytes.data()),
                          static_cast<qsizetype>(picture.fileBytes.size()));
}

// A checked bitmap's rows, bottom-up blue-green-red, turned into the image
// the picture box draws in one pass.
QImage imageOfBitmap(const shell::BitmapRows& rows) {
    QImage image(rows.width, rows.height, QImage::Format_RGB32);
    for (int y = 0; y < rows.height; ++y) {
        const std::uint8_t* in =
            rows.bytes.data() + static_cast<std::size_t>(rows.height - 1 - y) * rows.stride;
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < rows.width; ++x, in += 3)
            out[x] = qRgb(in[2], in[1], in[0]);
    }
    return image;
}

} // namespace

// The picture as its file describes it, or a null image when it cannot be
// shown so: a picture is shown as stored or not at all.
QImage decodePicture(const shell::Picture& picture) {
    // A bitmap's rows are in the record already: no image reader needed.
    if (picture.format() == shell::Picture::Format::Bitmap) {
        const auto rows = shell::bitmapRows(picture.fileBytes);
        return rows ? imageOfBitmap(*rows) : QImage();
    }
    // The image reader fills what a file lacks with black and reads what
    // it can of a damaged header: check the file first.
    if (shell::findPictureFault(picture.fileBytes))
        return QImage();
    QImage image = QImage::fromData(bytesOf(picture), "ICO");
    const auto size = shell::pictureSize(picture.fileBytes);
    if (!size || image.size() != QSize(size->width, size->height))
        return QImage();
    return image;
}

namespace {

// The window icon, made once per process for the same icon bytes: every new
// icon's pixmaps get new keys in Qt's pixmap cache, which then grew with
// each load of a window. Owned by the application, so it goes before Qt.
struct IconCache : QObject {
    using QObject::QObject;
    QByteArray bytes;
    QIcon icon;
};

QIcon windowIcon(const shell::Picture& picture) {
    static QPointer<IconCache> cache;
    if (!cache)
        cache = new IconCache(QCoreApplication::instance());
    if (cache->icon.isNull() || cache->bytes != bytesOf(picture)) {
        const QImage image = decodePicture(picture);
        if (image.isNull())
            return QIcon();
        cache->bytes = bytesOf(picture).toByteArray();
        cache->icon = QIcon(QPixmap::fromImage(image));
    }
    return cache->icon;
}

class Builder {
public:
    Builder(QObject* context, std::function<void(std::string_view)> clicked, qreal devicePixelRatio)
        : context_(context), clicked_(std::move(clicked)), devicePixelRatio_(devicePixelRatio) {}

    void addChildren(QWidget* container, const std::vector<shell::ControlDescription>& controls) {
        // Each new child goes on top of its siblings, so create back to front.
        for (const auto* control : shell::stackingBackToFront(controls)) {
            QWidget* widget = create(*control, container);
            widget->setObjectName(toQString(control->name));
            widget->setGeometry(toPixels(control->rect));
            if (control->font)
                widget->setFont(toQFont(*control->font, devicePixelRatio_));
            if (control->accessibleName)
                widget->setAccessibleName(toQString(*control->accessibleName));
            if (control->kind == shell::ControlKind::Frame)
                addChildren(widget, control->children);
        }
    }

    // Whether a picture could not be shown as stored.
    bool pictureUnshown() const { return pictureUnshown_; }

    QWidget* focusWidget(const std::string& name) const {
        const auto it = focusTargets_.find(name);
        return it == focusTargets_.end() ? nullptr : it->second;
    }

private:
    QWidget* create(const shell::ControlDescription& control, QWidget* parent) {
        const QString caption = toQString(control.caption.value_or(std::string()));
        const QPalette& palette = parent->palette();
        QWidget* widget = nullptr;
        QWidget* focusTarget = nullptr;
        switch (control.kind) {
        case shell::ControlKind::PictureBox: {
            const QImage picture = control.picture ? decodePicture(*control.picture) : QImage();
            if (control.picture && picture.isNull())
                pictureUnshown_ = true;
            const QColor back =
                toQColor(control.backColour.value_or(shell::system_colour::kButtonFace), palette);
            widget = new PictureBoxWidget(
                picture, back, control.effectiveBorder() == shell::PictureBorder::FixedSingle,
                parent);
            focusTarget = widget;
            break;
        }
        case shell::ControlKind::Label:
            widget = new LabelWidget(caption,
                                     control.backColour.value_or(shell::system_colour::kButtonFace),
                                     control.foreColour, parent);
            break;
        case shell::ControlKind::TextBox:
            widget = focusTarget = new TextBoxWidget(caption, parent);
            break;
        case shell::ControlKind::Frame:
            widget = new FrameWidget(caption, parent);
            break;
        case shell::ControlKind::CommandButton: {
            auto* button = new QPushButton(caption, parent);
            // Enter presses the focused button, as Space does.
            button->setAutoDefault(true);
            QObject::connect(button, &QPushButton::clicked, context_,
                             [clicked = clicked_, name = control.name] { clicked(name); });
            widget = focusTarget = button;
            break;
        }
        case shell::ControlKind::CheckBox: {
            const auto value = static_cast<shell::CheckValue>(control.value.value_or(0));
            const Qt::CheckState state = value == shell::CheckValue::Checked  ? Qt::Checked
                                         : value == shell::CheckValue::Grayed ? Qt::PartiallyChecked
                                                                              : Qt::Unchecked;
            widget = focusTarget = new CheckBoxWidget(caption, state, parent);
            break;
        }
        case shell::ControlKind::OptionButton:
            // Option buttons with the same parent form one exclusive group.
            widget = focusTarget = new OptionButtonWidget(caption, control.tabIndex,
                                                          control.value.value_or(0) != 0, parent);
            break;
        case shell::ControlKind::HScrollBar:
        case shell::ControlKind::VScrollBar: {
            auto* bar = new QScrollBar(
                control.kind == shell::ControlKind::HScrollBar ? Qt::Horizontal : Qt::Vertical,
                parent);
            bar->setRange(shell::kScrollBarMinimum, shell::kScrollBarMaximum);
            bar->setSingleStep(shell::kScrollBarSmallChange);
            bar->setPageStep(shell::kScrollBarLargeChange);
            bar->setFocusPolicy(Qt::StrongFocus);
            widget = focusTarget = bar;
            break;
        }
        }
        if (focusTarget)
            focusTargets_.emplace(control.name, focusTarget);
        return widget;
    }

    QObject* context_;
    std::function<void(std::string_view)> clicked_;
    qreal devicePixelRatio_;
    std::map<std::string, QWidget*, std::less<>> focusTargets_;
    bool pictureUnshown_ = false;
};

} // namespace

FormWindow* buildWindow(const shell::WindowDescription& description, QObject* context,
                        std::function<void(std::string_view)> clicked) {
    auto* window = new FormWindow(description);
    window->setObjectName(toQString(description.name));
    // Fonts are smoothed for the screen the window opens on, and again if it
    // moves to one of another scale.
    const qreal ratio = window->fontsRatio();
    window->setFont(toQFont(shell::defaultWindowFont(), ratio));
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, toQColor(shell::system_colour::kButtonFace, palette));
    window->setPalette(palette);
    if (description.icon) {
        const QIcon icon = windowIcon(*description.icon);
        if (icon.isNull()) {
            delete window;
            return nullptr;
        }
        window->setWindowIcon(icon);
    }

    Builder builder(context, std::move(clicked), ratio);
    builder.addChildren(window, description.controls);
    if (builder.pictureUnshown()) {
        delete window;
        return nullptr;
    }

    std::vector<QWidget*> order;
    for (const auto* control : shell::focusOrder(description))
        if (QWidget* target = builder.focusWidget(control->name))
            order.push_back(target);
    window->setFocusOrder(std::move(order));
    if (QWidget* first = window->nextInFocusOrder(nullptr, true))
        first->setFocus(Qt::OtherFocusReason);
    return window;
}

} // namespace qtshell
