// Both windows drawn at the display scale QT_SCALE_FACTOR sets (ctest runs
// this program at 1, 1.25, 1.5 and 2), headless: the client keeps the
// layout times the factor, text comes from the face's bitmaps exactly where
// it carries a strike at the size drawn and is smoothed elsewhere, the focus
// rectangle stays dotted in device pixels and the 3-D edges gain no side
// the 1x look lacks. Everything is measured from grabbed pixels.

#include "area_colours.h"
#include "main_window/form1_description.h"
#include "shell/qt/application.h"
#include "shell/qt/conversions.h"
#include "shell/qt/picture_box.h"
#include "shell/qt/text_smoothing.h"
#include "shell/qt/window_builder.h"
#include "shown_windows.h"
#include "troubleshooting_window/form2_description.h"
#include "window_probe.h"

#include <QAbstractButton>
#include <QRawFont>
#include <QtTest>
#include <cmath>
#include <map>
#include <memory>
#include <set>

using testing_support::control;

namespace {

// AR PL UMing, which tools/setup.sh installs as 宋体's stand-in, carries
// bitmaps at these pixel sizes.
const QList<int> kUmingStrikes = {11, 12, 13, 14, 15, 16};

QImage grab(QWidget* widget) {
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

int distance(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

// Of the pixels that make up the text in `area` (the commonest colour being
// the background), the share that are neither background nor ink: none for
// text copied from bitmaps, many for smoothed outlines. Only pixels beside
// ink count, so a background's own gradient does not.
double intermediateShare(const QImage& image, const QRect& area) {
    const auto colours = testing_support::areaColours(image, area);
    const QRgb background = colours.background;
    int strongest = 0;
    for (const auto& [rgb, count] : colours.counts)
        strongest = std::max(strongest, distance(rgb, background));
    const auto isInk = [&](int x, int y) {
        return area.contains(x, y) && 4 * distance(image.pixel(x, y), background) >= 3 * strongest;
    };
    int ink = 0;
    int intermediate = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (isInk(x, y)) {
                ++ink;
                continue;
            }
            if (4 * distance(image.pixel(x, y), background) <= strongest)
                continue;
            bool besideInk = false;
            for (int dy = -1; dy <= 1 && !besideInk; ++dy)
                for (int dx = -1; dx <= 1 && !besideInk; ++dx)
                    besideInk = isInk(x + dx, y + dy);
            intermediate += besideInk;
        }
    }
    return ink == 0 ? -1.0 : static_cast<double>(intermediate) / (ink + intermediate);
}

// A logical rectangle's pixels on a device of that ratio.
QRect onDevice(const QRect& logical, qreal ratio) {
    const auto at = [ratio](int v) { return static_cast<int>(std::lround(v * ratio)); };
    return QRect(QPoint(at(logical.left()), at(logical.top())),
                 QPoint(at(logical.right() + 1) - 1, at(logical.bottom() + 1) - 1));
}

// The intermediate share (above) of a control's text: a button's caption
// centred, a frame's in its top edge, a label's everywhere.
double textShare(QWidget* widget, qreal ratio) {
    const QFontMetrics metrics(widget->font());
    QRect text = widget->rect();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        text = QRect(QPoint(), metrics.size(0, button->text()));
        text.moveCenter(widget->rect().center());
    } else if (widget->objectName().startsWith("Frame")) {
        text = QRect(0, 0, widget->width(), metrics.height()).adjusted(8, 0, -16, 0);
    }
    return intermediateShare(grab(widget), onDevice(text, ratio));
}

// The colours found in a rectangle of the image.
std::set<QRgb> coloursIn(const QImage& image, const QRect& area) {
    std::set<QRgb> colours;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            colours.insert(image.pixel(x, y));
    return colours;
}

QByteArray strikeTable(quint32 version, quint32 count, std::initializer_list<quint8> ppems) {
    QByteArray table;
    const auto put32 = [&table](quint32 v) {
        for (int shift = 24; shift >= 0; shift -= 8)
            table.append(static_cast<char>(v >> shift & 0xFF));
    };
    put32(version);
    put32(count);
    for (quint8 ppem : ppems) {
        QByteArray record(48, '\0');
        record[44] = static_cast<char>(ppem);
        record[45] = static_cast<char>(ppem);
        table += record;
    }
    return table;
}

} // namespace

class ScaledDrawingTest : public QObject {
    Q_OBJECT

    testing_support::ShownWindows shown_;

    qreal factor_ = 1;
    QWidget* window(const QString& name) { return shown_.window(name); }

private slots:
    void initTestCase() {
        shell::qt::configureApplication();
        shown_.descriptions["Form1"] = main_window::form1Description();
        shown_.descriptions["Form2"] = troubleshooting_window::form2Description();
        factor_ = qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble();
        QVERIFY(factor_ >= 1);
    }
    void cleanupTestCase() { shown_.clear(); }

    void clientIsTheLayoutTimesTheFactor_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QSize>("layout");
        QTest::newRow("main window") << "Form1" << QSize(1008, 813);
        QTest::newRow("troubleshooting window")
            << "Form2" << shell::qt::toPixels(shown_.descriptions.at("Form2").client);
    }
    void clientIsTheLayoutTimesTheFactor() {
        QFETCH(QString, form);
        QFETCH(QSize, layout);
        QWidget* w = window(form);
        QCOMPARE(w->devicePixelRatioF(), factor_);
        QCOMPARE(w->size(), layout);
        QCOMPARE(grab(w).size(), (QSizeF(layout) * factor_).toSize());
    }

    void textIsBitmapsOnlyWhereTheFaceHasAStrike_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("pixelSize");
        QTest::addColumn<bool>("bold");
        QTest::newRow("button") << "Form1"
                                << "Command13" << 12 << false;
        QTest::newRow("body text") << "Form1"
                                   << "Label3" << 12 << false;
        QTest::newRow("frame") << "Form1"
                               << "Frame2" << 12 << false;
        QTest::newRow("bold heading") << "Form1"
                                      << "Label2" << 12 << true;
        QTest::newRow("bold footer") << "Form1"
                                     << "Label7" << 21 << true; // 15.75 pt
        QTest::newRow("second window's text") << "Form2"
                                              << "Label8" << 12 << false;
    }
    void textIsBitmapsOnlyWhereTheFaceHasAStrike() {
        QFETCH(QString, form);
        QFETCH(QString, name);
        QFETCH(int, pixelSize);
        QFETCH(bool, bold);
        QWidget* widget = control(window(form), qPrintable(name));
        QVERIFY(widget);
        QCOMPARE(QFontInfo(widget->font()).family(), QStringLiteral("AR PL UMing CN"));
        QCOMPARE(widget->font().pixelSize(), pixelSize);
        QCOMPARE(widget->font().bold(), bold);

        const double share = textShare(widget, factor_);
        const bool fromBitmaps =
            !bold && kUmingStrikes.contains(static_cast<int>(std::lround(pixelSize * factor_)));
        QVERIFY2(fromBitmaps ? share >= 0 && share < 0.02 : share > 0.2,
                 qPrintable(QString("%1 of the text's pixels are intermediate").arg(share)));
    }

    // Moved to a screen of another scale (the two-screen run has one at 1x
    // and one at 2x), a window draws its text as that scale needs.
    void textIsChosenAgainOnAScreenOfAnotherScale() {
        const QList<QScreen*> screens = QGuiApplication::screens();
        if (screens.size() < 2 || screens[0]->devicePixelRatio() == screens[1]->devicePixelRatio())
            QSKIP("needs two screens of different scales");
        QWidget* form1 = window("Form1");
        QWidget* button = control(form1, "Command13");
        for (QScreen* screen : {screens[1], screens[0]}) {
            form1->windowHandle()->setScreen(screen);
            form1->move(screen->geometry().topLeft() + QPoint(10, 10));
            QCoreApplication::processEvents();
            const qreal ratio = screen->devicePixelRatio();
            QCOMPARE(form1->devicePixelRatioF(), ratio);
            const double share = textShare(button, ratio);
            QVERIFY2(kUmingStrikes.contains(static_cast<int>(std::lround(12 * ratio)))
                         ? share >= 0 && share < 0.02
                         : share > 0.2,
                     qPrintable(QString("at %1x, %2 intermediate").arg(ratio).arg(share)));
        }
    }

    void strikesAreReadFromTheFacesTable_data() {
        QTest::addColumn<QByteArray>("table");
        QTest::addColumn<QList<int>>("strikes");
        QFont uming(QStringLiteral("AR PL UMing CN"));
        uming.setPixelSize(12);
        QTest::newRow("AR PL UMing")
            << QRawFont::fromFont(uming).fontTable("EBLC") << kUmingStrikes;
        QTest::newRow("colour bitmaps") << strikeTable(0x30000, 2, {20, 40}) << QList<int>{20, 40};
        QTest::newRow("none") << strikeTable(0x20000, 0, {}) << QList<int>{};
        QTest::newRow("no table") << QByteArray() << QList<int>{};
        QTest::newRow("cut in its header") << strikeTable(0x20000, 1, {12}).left(6) << QList<int>{};
        QTest::newRow("more strikes than bytes") << strikeTable(0x20000, 2, {12}) << QList<int>{};
        QTest::newRow("another version") << strikeTable(0x10000, 1, {12}) << QList<int>{};
    }
    void strikesAreReadFromTheFacesTable() {
        QFETCH(QByteArray, table);
        QFETCH(QList<int>, strikes);
        QCOMPARE(shell::qt::strikesInTable(table), strikes);
    }

    void focusRectangleIsDottedInDevicePixels() {
        QWidget* form1 = window("Form1");
        form1->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form1));
        auto* picture = control<shell::qt::PictureBoxWidget>(form1, "Picture2");
        control(form1, "Command12")->setFocus();
        const QImage without = grab(picture);
        picture->setFocus();
        QVERIFY(picture->hasFocus());
        const QImage with = grab(picture);

        // Every changed pixel is inverted, and they outline the focus
        // rectangle's place on the device.
        QRect changed;
        for (int y = 0; y < with.height(); ++y)
            for (int x = 0; x < with.width(); ++x)
                if (with.pixel(x, y) != without.pixel(x, y)) {
                    QCOMPARE(with.pixel(x, y), without.pixel(x, y) ^ 0xFFFFFFu);
                    changed |= QRect(x, y, 1, 1);
                }
        const QRect expected = onDevice(picture->focusRect(), factor_);
        for (const auto& [got, want] : {std::pair{changed.topLeft(), expected.topLeft()},
                                        std::pair{changed.bottomRight(), expected.bottomRight()}})
            QVERIFY2((got - want).manhattanLength() <= 2,
                     qPrintable(QString("a corner at %1,%2").arg(got.x()).arg(got.y())));
        QCOMPARE(coloursIn(with, changed.adjusted(1, 1, -1, -1)),
                 coloursIn(without, changed.adjusted(1, 1, -1, -1)));
        // Along each side every other device pixel: no two changed side by side.
        const auto dots = [&](QPoint from, QPoint step, int length) {
            int count = 0;
            bool last = false;
            for (int i = 0; i < length; ++i) {
                const QPoint at = from + step * i;
                const bool here = with.pixel(at) != without.pixel(at);
                if (here && last)
                    return -1;
                count += here;
                last = here;
            }
            return count;
        };
        for (const auto& [from, step, length] :
             {std::tuple{changed.topLeft(), QPoint(1, 0), changed.width()},
              std::tuple{changed.bottomLeft(), QPoint(1, 0), changed.width()},
              std::tuple{changed.topLeft(), QPoint(0, 1), changed.height()},
              std::tuple{changed.topRight(), QPoint(0, 1), changed.height()}}) {
            const int count = dots(from, step, length);
            QVERIFY2(std::abs(count - length / 2) <= 1,
                     qPrintable(QString("%1 dots along %2 pixels").arg(count).arg(length)));
        }
        // The banner's rectangle keeps to what the window shows of it.
        QCOMPARE(control<shell::qt::PictureBoxWidget>(form1, "Picture1")->focusRect(),
                 QRect(8, 0, 1008, 129).adjusted(0, 0, -1, -1));
    }

    // The bottom and right of a sunken edge are light (light outside,
    // midlight inside), of an etched outline shadow then light; never the
    // dark shadow a widened top-left line would leave there.
    void edgesKeepTheirSides_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QList<QPalette::ColorRole>>("bottomRight");
        const QList<QPalette::ColorRole> sunken = {QPalette::Midlight, QPalette::Light};
        QTest::newRow("side picture") << "Picture2" << sunken;
        QTest::newRow("text box") << "Text1" << sunken;
        QTest::newRow("frame") << "Frame1"
                               << QList<QPalette::ColorRole>{QPalette::Dark, QPalette::Light};
    }
    void edgesKeepTheirSides() {
        QFETCH(QString, name);
        QFETCH(QList<QPalette::ColorRole>, bottomRight);
        QWidget* widget = control(window("Form1"), qPrintable(name));
        // The control alone: a frame's children cover parts of its edge.
        QImage shot((QSizeF(widget->size()) * factor_).toSize(), QImage::Format_RGB32);
        shot.setDevicePixelRatio(factor_);
        widget->render(&shot, QPoint(), QRegion(), QWidget::DrawWindowBackground);
        const QPalette& palette = widget->palette();
        std::set<QRgb> expected;
        for (auto role : bottomRight)
            expected.insert(palette.color(role).rgb());
        // The two outermost pixels of the bottom and the right, as the
        // device draws them, along their middle halves.
        const int bottom = onDevice(QRect(0, widget->height() - 2, 1, 2), factor_).top();
        const int right = onDevice(QRect(widget->width() - 2, 0, 2, 1), factor_).left();
        const int w = shot.width();
        const int h = shot.height();
        QCOMPARE(coloursIn(shot, QRect(QPoint(w / 4, bottom), QPoint(3 * w / 4, h - 1))), expected);
        QCOMPARE(coloursIn(shot, QRect(QPoint(right, h / 4), QPoint(w - 1, 3 * h / 4))), expected);
        // The outermost left column is the shadow.
        QCOMPARE(coloursIn(shot, QRect(QPoint(0, h / 4), QPoint(0, 3 * h / 4))),
                 (std::set<QRgb>{palette.color(QPalette::Dark).rgb()}));
    }
};

QTEST_MAIN(ScaledDrawingTest)
#include "scaled_drawing_test.moc"
