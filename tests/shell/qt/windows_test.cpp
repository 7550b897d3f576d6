// Both windows as realised on Qt: sizes, stacking, the side picture's border
// and band, fonts, wrapped text and clicks. Where each picture box lies is in
// the accessibility test's table; what it shows, in the damaged-records test.

#include "main_window/form1_description.h"
#include "shell/model/ordering.h"
#include "shell/qt/application.h"
#include "shell/qt/label_widget.h"
#include "shell/qt/window_builder.h"
#include "troubleshooting_window/form2_description.h"
#include "window_probe.h"

#include <QFontDatabase>
#include <QFontInfo>
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

class WindowsTest : public QObject {
    Q_OBJECT

    const shell::WindowDescription descriptions_[2] = {main_window::form1Description(),
                                                       troubleshooting_window::form2Description()};
    QObject context_;
    std::unique_ptr<QWidget> windows_[2];
    QStringList clicks_;

    QWidget* form1() { return windows_[0].get(); }
    QWidget* form2() { return windows_[1].get(); }

private slots:
    void initTestCase() { qtshell::configureApplication(runtime::ProjectDescriptor{}); }
    void init() {
        clicks_.clear();
        for (int i : {0, 1})
            windows_[i].reset(qtshell::buildWindow(descriptions_[i], &context_, [this](auto name) {
                clicks_ << QString::fromUtf8(name.data(), std::ssize(name));
            }));
    }

    void fixedClientSize_data() {
        QTest::addColumn<int>("form");
        QTest::addColumn<QSize>("size");
        QTest::newRow("Form1") << 1 << QSize(1008, 813);
        QTest::newRow("Form2") << 2 << QSize(769, 565);
    }
    void fixedClientSize() {
        QFETCH(int, form);
        QFETCH(QSize, size);
        QWidget* window = windows_[form - 1].get();
        QCOMPARE(window->size(), size);
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QVERIFY(window->windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!(window->windowFlags() &
                  (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(window->windowIcon().availableSizes().value(0), QSize(32, 32));
    }

    void stacking_data() {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QString>("expected");
        // Window-level buttons lying over Frame2 are in front of it.
        const QPoint buttons[] = {{80, 424},  {200, 424}, {80, 464},
                                  {200, 464}, {80, 504},  {200, 504}};
        for (int i = 0; i < 6; ++i)
            QTest::addRow("Command%d over Frame2", i + 5)
                << buttons[i] << QString("Command%1").arg(i + 5);
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
        QCOMPARE(testing_support::controlAt(form1(), point), expected);
    }

    void sidePictureShowsItsInnerAreaAndABandOfBackColour() {
        const QImage side = testing_support::decodeBitmap(
            *shell::findControl(descriptions_[0], "Picture2")->picture);
        const QImage shot = testing_support::grab(form1());
        const QPoint inner(848 + 2, 160 + 2); // 2-pixel sunken border
        for (int y : {0, 250, 505})
            for (int x : {0, 70, 140})
                QVERIFY2(shot.pixel(inner + QPoint(x, y)) == side.pixel(x, y),
                         qPrintable(QString("at %1,%2").arg(x).arg(y)));
        // The three rows under the picture, inside the border, are the back colour.
        const QRgb back = form1()->palette().color(QPalette::Button).rgb();
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
        const QFont font = control(form1(), qPrintable(name))->font();
        const QFontInfo info(font);
        QVERIFY2(QFontDatabase::families(QFontDatabase::SimplifiedChinese).contains(info.family()),
                 qPrintable(info.family()));
        QCOMPARE(font.pixelSize(), pixelSize);
        QCOMPARE(font.bold(), bold);
        QCOMPARE(!(font.styleStrategy() & QFont::NoAntialias), bold || pixelSize != 12);
    }

    // Each label's lines fit its width and keep its leading spaces and breaks;
    // navy text on the light face is read back from the pixels.
    void wrappedLinesFitTheirLabel_data() {
        QTest::addColumn<int>("form");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("minLines");
        QTest::addColumn<QString>("first");      // what the first line starts with
        QTest::addColumn<QString>("last");       // and the last
        QTest::addColumn<int>("trailingBreaks"); // empty lines at the end
        QTest::addColumn<bool>("navy");
        QTest::newRow("long paragraph") << 1 << "Label3" << 5 << "        "
                                        << "" << 0 << false;
        QTest::newRow("support list") << 2 << "Label8" << 5 << "iPhone"
                                      << "Android" << 0 << true;
        QTest::newRow("note ending in two breaks") << 2 << "Label9" << 3 << ""
                                                   << "" << 2 << false;
    }
    void wrappedLinesFitTheirLabel() {
        QFETCH(int, form);
        QFETCH(QString, name);
        QFETCH(int, minLines);
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(int, trailingBreaks);
        QFETCH(bool, navy);
        QWidget* window = windows_[form - 1].get();
        auto* label = control<qtshell::LabelWidget>(window, qPrintable(name));
        const QStringList lines = label->wrappedLines();
        QVERIFY(lines.size() >= minLines);
        const QFontMetrics metrics(label->font());
        for (const QString& line : lines)
            QVERIFY2(metrics.horizontalAdvance(line.trimmed()) <= label->width(), qPrintable(line));
        QVERIFY(!lines.first().isEmpty() && lines.first().startsWith(first));
        const auto text = lines.mid(0, lines.size() - trailingBreaks);
        QVERIFY(!text.last().isEmpty() && text.last().startsWith(last));
        QCOMPARE(lines.mid(text.size()), QStringList(trailingBreaks, QString()));
        if (navy) {
            const int fitting =
                (label->height() + metrics.lineSpacing() - 1) / metrics.lineSpacing();
            QCOMPARE(inkBands(testing_support::grab(window), label->geometry()),
                     std::min(fitting, static_cast<int>(lines.size())));
        }
    }

    void narrowLabelWrapsAndClips() {
        // The same caption in a label too small for it.
        qtshell::LabelWidget label(
            QString::fromStdString(*shell::findControl(descriptions_[1], "Label8")->caption),
            shell::Colour::rgb(255, 255, 255), shell::Colour::rgb(0, 0, 128), nullptr);
        label.setFont(form2()->font());
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
        label.setFont(form2()->font());
        const QFontMetrics metrics(label.font());
        for (const QString& line : lines)
            QVERIFY2(metrics.horizontalAdvance(line) <= 150, qPrintable(line));
        const QImage shot = label.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const int fitting = (60 + metrics.lineSpacing() - 1) / metrics.lineSpacing();
        QCOMPARE(inkBands(shot, shot.rect()), fitting);
    }

    void buttonsReportTheirClicks() {
        form1()->show();
        QVERIFY(QTest::qWaitForWindowExposed(form1()));
        QTest::mouseClick(control(form1(), "Command3"), Qt::LeftButton);
        control(form1(), "Command13")->setFocus();
        QTest::keyClick(control(form1(), "Command13"), Qt::Key_Return);
        QTest::keyClick(control(form1(), "Command13"), Qt::Key_Space);
        QCOMPARE(clicks_, (QStringList{"Command3", "Command13", "Command13"}));
    }
};

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
