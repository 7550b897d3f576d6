// The troubleshooting window as realised on Qt.

#include "shell/model/ordering.h"
#include "shell/qt/application.h"
#include "shell/qt/label_widget.h"
#include "shell/qt/window_builder.h"
#include "troubleshooting_window/form2_description.h"
#include "window_probe.h"

#include <QtTest>
#include <memory>

using testing_support::control;

namespace {

// Rows that hold dark (navy) text on the light background, grouped into
// bands, one per drawn line.
int inkBands(const QImage& image, QRect area) {
    int bands = 0;
    bool inBand = false;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        bool hasInk = false;
        for (int x = area.left(); x <= area.right() && !hasInk; ++x)
            hasInk = qGray(image.pixel(x, y)) < 110;
        bands += hasInk && !inBand;
        inBand = hasInk;
    }
    return bands;
}

} // namespace

class Form2WindowTest : public QObject {
    Q_OBJECT

    shell::WindowDescription description_;
    QObject context_;
    std::unique_ptr<QWidget> window_;

private slots:
    void initTestCase() {
        qtshell::configureApplication(runtime::ProjectDescriptor{});
        description_ = troubleshooting_window::form2Description();
    }
    void init() { window_.reset(qtshell::buildWindow(description_, &context_, {})); }

    void fixedClientSize() {
        QCOMPARE(window_->size(), QSize(769, 565));
        QCOMPARE(window_->minimumSize(), window_->maximumSize());
        QVERIFY(window_->windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!(window_->windowFlags() &
                  (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    }

    void codePictureCoversItsNavyBox() {
        const QImage picture =
            testing_support::decodeBitmap(*shell::findControl(description_, "Picture1")->picture);
        const QImage shot = testing_support::grab(window_.get());
        const QPoint origin(536, 336);
        for (int y = 0; y < 217; ++y)
            for (int x = 0; x < 217; ++x)
                if (shot.pixel(origin + QPoint(x, y)) != picture.pixel(x, y))
                    QFAIL(qPrintable(
                        QString("pixel %1,%2 of the code picture differs").arg(x).arg(y)));
        // Just outside the box is the window, not the picture's cut-off columns.
        QCOMPARE(shot.pixel(origin + QPoint(217, 100)),
                 window_->palette().color(QPalette::Window).rgb());
    }

    void supportListKeepsItsLineBreaksWithinTheLabel() {
        auto* label = control<qtshell::LabelWidget>(window_.get(), "Label8");
        const QStringList lines = label->wrappedLines();
        QVERIFY(lines.size() >= 5);
        const QFontMetrics metrics(label->font());
        for (const QString& line : lines)
            QVERIFY2(metrics.horizontalAdvance(line) <= label->width(), qPrintable(line));
        QVERIFY(lines.first().startsWith("iPhone"));
        QVERIFY(lines.last().startsWith("Android"));

        // Read the drawn lines back from the pixels.
        const QImage shot = testing_support::grab(window_.get());
        const int fitting = (label->height() + metrics.lineSpacing() - 1) / metrics.lineSpacing();
        QCOMPARE(inkBands(shot, label->geometry()),
                 std::min(fitting, static_cast<int>(lines.size())));
    }

    void narrowLabelWrapsAndClips() {
        // The same caption in a label too small for it.
        qtshell::LabelWidget label(
            QString::fromStdString(*shell::findControl(description_, "Label8")->caption),
            shell::Colour::rgb(255, 255, 255), shell::Colour::rgb(0, 0, 128), nullptr);
        label.setFont(window_->font());
        // Laid out wide first: the label must lay itself out again when it
        // is narrowed, and again when its font grows.
        label.resize(600, 60);
        const qsizetype wideLines = label.wrappedLines().size();
        label.resize(150, 60);
        const QStringList lines = label.wrappedLines();
        QVERIFY(lines.size() > 10);
        QVERIFY(lines.size() > wideLines);
        QFont larger = label.font();
        larger.setPixelSize(2 * larger.pixelSize());
        label.setFont(larger);
        QVERIFY(label.wrappedLines().size() > lines.size());
        label.setFont(window_->font());
        const QFontMetrics metrics(label.font());
        for (const QString& line : lines)
            QVERIFY2(metrics.horizontalAdvance(line) <= 150, qPrintable(line));
        const QImage shot = label.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const int fitting = (60 + metrics.lineSpacing() - 1) / metrics.lineSpacing();
        QCOMPARE(inkBands(shot, shot.rect()), fitting);
    }

    void trailingBreaksAddNoText() {
        auto* note = control<qtshell::LabelWidget>(window_.get(), "Label9");
        const QStringList lines = note->wrappedLines();
        QCOMPARE(lines.mid(lines.size() - 2), (QStringList{"", ""}));
        QVERIFY(!lines.front().isEmpty());
    }
};

QTEST_MAIN(Form2WindowTest)
#include "form2_window_test.moc"
