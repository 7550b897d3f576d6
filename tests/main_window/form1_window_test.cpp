// The main window as realised on Qt: sizes, places, stacking, states, focus,
// pictures and fonts.

#include "main_window/form1_description.h"
#include "shell/model/ordering.h"
#include "shell/qt/application.h"
#include "shell/qt/label_widget.h"
#include "shell/qt/window_builder.h"
#include "window_probe.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QScrollBar>
#include <QtTest>
#include <memory>

using testing_support::control;
using testing_support::controlAt;

class Form1WindowTest : public QObject {
    Q_OBJECT

    shell::WindowDescription description_;
    QObject context_;
    std::unique_ptr<QWidget> window_;
    QStringList clicks_;

    void rebuild() {
        window_.reset(qtshell::buildWindow(description_, &context_, [this](std::string_view name) {
            clicks_ << QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
        }));
    }

private slots:
    void initTestCase() {
        qtshell::configureApplication(runtime::ProjectDescriptor{});
        description_ = main_window::form1Description();
    }
    void init() {
        clicks_.clear();
        rebuild();
    }

    void fixedClientSize() {
        QCOMPARE(window_->size(), QSize(1008, 813));
        QCOMPARE(window_->minimumSize(), window_->maximumSize());
        QVERIFY(!(window_->windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(window_->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(window_->windowFlags() & Qt::WindowCloseButtonHint);
        QCOMPARE(window_->windowIcon().availableSizes().value(0), QSize(32, 32));
    }

    void stacking_data() {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QString>("expected");
        // Window-level buttons lying over Frame2 are in front of it.
        QTest::newRow("Command5 over Frame2") << QPoint(80, 424) << "Command5";
        QTest::newRow("Command10 over Frame2") << QPoint(200, 504) << "Command10";
        // Scroll bars are in front of the panes they overlap.
        QTest::newRow("VScroll3 over Text1") << QPoint(16 + 470, 248 + 100) << "VScroll3";
        QTest::newRow("HScroll2 over Text1") << QPoint(16 + 300, 248 + 412) << "HScroll2";
        QTest::newRow("HScroll1 over Text2") << QPoint(16 + 600, 248 + 412) << "HScroll1";
        QTest::newRow("VScroll2 over Text2's edge") << QPoint(16 + 808, 248 + 100) << "VScroll2";
        QTest::newRow("Text1 itself") << QPoint(16 + 300, 248 + 100) << "Text1";
        // Footer labels: the first listed in front.
        QTest::newRow("Label7 over Label6") << QPoint(300, 790) << "Label7";
        QTest::newRow("Label6 below Label7") << QPoint(300, 811) << "Label6";
        QTest::newRow("Label5 behind both") << QPoint(100, 800) << "Label5";
    }
    void stacking() {
        QFETCH(QPoint, point);
        QFETCH(QString, expected);
        QCOMPARE(controlAt(window_.get(), point), expected);
    }

    void bannerIsClippedOnThreeSides() {
        const QImage banner =
            testing_support::decodeBitmap(*shell::findControl(description_, "Picture1")->picture);
        QCOMPARE(banner.size(), QSize(1019, 132));
        const QImage shot = testing_support::grab(window_.get());
        // The box starts 8 px left of the client edge and is 129 rows tall.
        for (int y : {0, 64, 128})
            for (int x : {0, 1, 500, 1007})
                QVERIFY2(shot.pixel(x, y) == banner.pixel(x + 8, y),
                         qPrintable(QString("at %1,%2").arg(x).arg(y)));
        // Row 129 of the window is no longer the banner.
        int differing = 0;
        for (int x = 0; x < 1008; ++x)
            differing += shot.pixel(x, 129) != banner.pixel(x + 8, 129);
        QVERIFY(differing > 900);
    }

    void sidePictureShowsItsInnerAreaAndABandOfBackColour() {
        const auto* box = shell::findControl(description_, "Picture2");
        const QImage picture = testing_support::decodeBitmap(*box->picture);
        const QImage shot = testing_support::grab(window_.get());
        const QPoint inner(848 + 2, 160 + 2); // 2-pixel sunken border
        for (int y : {0, 250, 505})
            for (int x : {0, 70, 140})
                QVERIFY2(shot.pixel(inner + QPoint(x, y)) == picture.pixel(x, y),
                         qPrintable(QString("at %1,%2").arg(x).arg(y)));
        // The three rows under the picture, inside the border, are the back colour.
        const QRgb back = window_->palette().color(QPalette::Button).rgb();
        for (int y = 506; y < 509; ++y)
            for (int x = 0; x < 141; x += 20)
                QCOMPARE(shot.pixel(inner + QPoint(x, y)), back);
        // The sunken border's outer edge is darker than the face.
        QVERIFY(qGray(shot.pixel(848, 300)) < qGray(back));
    }

    // 12 px regular text comes from the face's own bitmaps, which are drawn
    // only without smoothing; bold text and the 21 px footer have none and
    // stay smoothed.
    void fontsAreChineseAndSmoothedOnlyWithoutBitmaps_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("pixelSize");
        QTest::addColumn<bool>("bold");
        QTest::newRow("body text") << "Label3" << 12 << false;
        QTest::newRow("button") << "Command12" << 12 << false;
        QTest::newRow("frame") << "Frame2" << 12 << false;
        QTest::newRow("text box") << "Text1" << 12 << false;
        QTest::newRow("heading") << "Label2" << 12 << true;
        QTest::newRow("footer") << "Label7" << 21 << true; // 15.75 pt at 96 dpi
    }
    void fontsAreChineseAndSmoothedOnlyWithoutBitmaps() {
        QFETCH(QString, name);
        QFETCH(int, pixelSize);
        QFETCH(bool, bold);
        const QFont font = control(window_.get(), qPrintable(name))->font();
        const QFontInfo info(font);
        QVERIFY2(QFontDatabase::families(QFontDatabase::SimplifiedChinese).contains(info.family()),
                 qPrintable(info.family()));
        QCOMPARE(font.pixelSize(), pixelSize);
        QCOMPARE(font.bold(), bold);
        QCOMPARE(!(font.styleStrategy() & QFont::NoAntialias), bold || pixelSize != 12);
    }

    void longParagraphWrapsWithinTheLabel() {
        auto* label = control<qtshell::LabelWidget>(window_.get(), "Label3");
        const QStringList lines = label->wrappedLines();
        QVERIFY(lines.size() > 4);
        const QFontMetrics metrics(label->font());
        for (const QString& line : lines)
            QVERIFY2(metrics.horizontalAdvance(line.trimmed()) <= label->width(), qPrintable(line));
        QVERIFY(lines.first().startsWith(QString(8, QLatin1Char(' '))));
    }

    void buttonsReportTheirClicks() {
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        QTest::mouseClick(control(window_.get(), "Command3"), Qt::LeftButton);
        control(window_.get(), "Command13")->setFocus();
        QTest::keyClick(control(window_.get(), "Command13"), Qt::Key_Return);
        QTest::keyClick(control(window_.get(), "Command13"), Qt::Key_Space);
        QCOMPARE(clicks_, (QStringList{"Command3", "Command13", "Command13"}));
    }
};

QTEST_MAIN(Form1WindowTest)
#include "form1_window_test.moc"
