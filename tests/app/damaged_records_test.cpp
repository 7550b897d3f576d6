// Both records with one fault each, from a seeded set: every one must end as
// an error that names its offset, or as a window of the described client
// size whose pictures show exactly the pixels the record holds.

#include "embedded/form1_record.h"
#include "embedded/form2_record.h"
#include "shell/model/ordering.h"
#include "shell/qt/application.h"
#include "shell/qt/live_window.h"
#include "shell/qt/picture_box.h"
#include "shell/qt/qt_toolkit.h"
#include "shell/record/record.h"
#include "tests/app/record_faults.h"
#include "tests/shell/record/record_walker.h"

#include <QtTest>
#include <cstdio>

namespace {

using record_faults::Bytes;
using record_faults::Fault;
using record_test::le16;
using record_test::le32;

// Half as many under the sanitizers, where each window costs far more.
#ifdef LANSU_SANITIZED_BUILD
constexpr std::size_t kFaultsPerWindow = 150;
#else
constexpr std::size_t kFaultsPerWindow = 300;
#endif
constexpr std::uint32_t kSeed = 20261207;

struct NoEvents : runtime::WindowEvents {
    void clicked(std::string_view) override {}
    void closed() override {}
};

int pixels(std::int32_t twips) {
    // One pixel is 15 twips at 96 dpi; halves round away from zero.
    return twips >= 0 ? (twips + 7) / 15 : -((-twips + 7) / 15);
}

// The pixel (x, y) of a 24-bit bottom-up bitmap file, read from its bytes.
QRgb bitmapPixel(std::span<const std::uint8_t> f, int x, int y) {
    const auto width = static_cast<int>(le32(f, 18)), height = static_cast<int>(le32(f, 22));
    const auto stride = static_cast<std::size_t>((width * 3 + 3) / 4 * 4);
    const std::size_t at =
        54 + static_cast<std::size_t>(height - 1 - y) * stride + static_cast<std::size_t>(x) * 3;
    return qRgb(f[at + 2], f[at + 1], f[at]);
}

// Where the drawn picture differs from the bytes, or an empty string.
QString pictureMismatch(QWidget* window, const shell::ControlDescription& c) {
    auto* box = dynamic_cast<qtshell::PictureBoxWidget*>(
        window->findChild<QWidget*>(QString::fromStdString(c.name)));
    if (!box)
        return "no picture box " + QString::fromStdString(c.name);
    const auto file = c.picture->fileBytes;
    const QRect inner = box->innerRect();
    const int w = std::min(inner.width(), static_cast<int>(le32(file, 18)));
    const int h = std::min(inner.height(), static_cast<int>(le32(file, 22)));
    if (w <= 0 || h <= 0 || file[0] != 'B')
        return {};
    const QImage shown = box->grab(QRect(inner.topLeft(), QSize(w, h)))
                             .toImage()
                             .convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (shown.pixel(x, y) != bitmapPixel(file, x, y))
                return QStringLiteral("%1 pixel (%2, %3)").arg(c.name.c_str()).arg(x).arg(y);
    return {};
}

// Where the window icon differs from the icon's first image, if 32-bit.
QString iconMismatch(QWidget* window, std::span<const std::uint8_t> f) {
    const int w = f[6] == 0 ? 256 : f[6], h = f[7] == 0 ? 256 : f[7];
    const QImage shown = window->windowIcon()
                             .pixmap(QSize(w, h))
                             .toImage()
                             .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (shown.size() != QSize(w, h))
        return QStringLiteral("icon of %1×%2").arg(shown.width()).arg(shown.height());
    const std::size_t image = le32(f, 18);
    if (le16(f, image + 14) != 32)
        return {};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::size_t at = image + 40 + static_cast<std::size_t>((h - 1 - y) * w + x) * 4;
            const QRgb stored = qPremultiply(qRgba(f[at + 2], f[at + 1], f[at], f[at + 3]));
            const QRgb got = shown.pixel(x, y);
            const auto near = [](int a, int b) { return std::abs(a - b) <= 1; };
            if (!near(qRed(stored), qRed(got)) || !near(qGreen(stored), qGreen(got)) ||
                !near(qBlue(stored), qBlue(got)) || qAlpha(stored) != qAlpha(got))
                return QStringLiteral("icon pixel (%1, %2)").arg(x).arg(y);
        }
    return {};
}

} // namespace

class DamagedRecordsTest : public QObject {
    Q_OBJECT

    std::vector<Fault> faults_;
    int errors_ = 0, refused_ = 0, windows_ = 0;

private slots:
    void initTestCase() {
        qtshell::configureApplication(runtime::ProjectDescriptor{});
        faults_ = record_faults::makeFaults(embedded::form1_record(), embedded::form2_record(),
                                            kFaultsPerWindow, kSeed);
    }

    void cleanupTestCase() {
        std::printf("damaged records: %zu faults, %d errors from the decoder, %d windows the "
                    "builder refused, %d whole windows\n",
                    faults_.size(), errors_, refused_, windows_);
    }

    // The seeded faults, then every input the realise fuzzer once failed on.
    void endsAsErrorOrWholeWindow_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("file");
        const auto all = record_faults::makeFaults(
            embedded::form1_record(), embedded::form2_record(), kFaultsPerWindow, kSeed);
        for (std::size_t i = 0; i < all.size(); ++i)
            QTest::addRow("%zu %s", i, all[i].name.c_str()) << static_cast<int>(i) << QString();
        const QDir regressions(QStringLiteral(LANSU_REALISE_REGRESSIONS));
        for (const QString& name : regressions.entryList(QDir::Files))
            QTest::addRow("fuzzer finding %s", qPrintable(name))
                << -1 << regressions.filePath(name);
    }
    void endsAsErrorOrWholeWindow() {
        QFETCH(int, fault);
        QFETCH(QString, file);
        Bytes record;
        if (fault >= 0) {
            const Fault& f = faults_[static_cast<std::size_t>(fault)];
            record = record_faults::applyFault(
                f.window == 1 ? embedded::form1_record() : embedded::form2_record(), f);
            QVERIFY2(!record.empty(), "the encoder refused the damaged description");
        } else {
            QFile in(file);
            QVERIFY(in.open(QIODevice::ReadOnly));
            const QByteArray bytes = in.readAll();
            record.assign(bytes.begin(), bytes.end());
        }

        const auto decoded = shell::decodeRecord(record);
        if (!decoded) {
            const std::string& message = decoded.error().message;
            QVERIFY2(message.find(" at offset 0x") != std::string::npos &&
                         message.find(": expected ") != std::string::npos &&
                         message.find(", got ") != std::string::npos,
                     message.c_str());
            ++errors_;
            return;
        }

        qtshell::QtToolkit toolkit;
        NoEvents events;
        auto live = toolkit.realise(*decoded, events);
        if (!live) { // the runtime reports this in its error box
            ++refused_;
            return;
        }
        QCOMPARE(live->show(), runtime::kOk);
        QVERIFY(live->isVisible());
        QWidget* window = static_cast<qtshell::QtLiveWindow*>(live.get())->window();
        QCOMPARE(window->size(),
                 QSize(pixels(decoded->client.width), pixels(decoded->client.height)));
        for (const auto* c : shell::allControls(*decoded))
            if (c->picture) {
                const QString mismatch = pictureMismatch(window, *c);
                QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
            }
        if (decoded->icon) {
            const QString mismatch = iconMismatch(window, decoded->icon->fileBytes);
            QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
        }
        ++windows_;
        live.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Descriptions need not come from a record: the builder itself refuses
    // a picture it cannot show as its file describes it.
    void noWindowForAPictureThatCannotBeShownAsStored_data() {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<long>("resize");
        QTest::newRow("bitmap cut short") << QStringLiteral("Picture1") << -1L;
        QTest::newRow("bitmap extended") << QStringLiteral("Picture1") << 4L;
        QTest::newRow("icon cut short") << QString() << -1L;
    }
    void noWindowForAPictureThatCannotBeShownAsStored() {
        QFETCH(QString, picture);
        QFETCH(long, resize);
        auto description = shell::decodeRecord(embedded::form2_record());
        QVERIFY(description.hasValue());
        std::optional<shell::Picture>* target = &description->icon;
        for (auto& c : description->controls)
            if (QString::fromStdString(c.name) == picture)
                target = &c.picture;
        QVERIFY(target->has_value());
        Bytes bytes((*target)->fileBytes.begin(), (*target)->fileBytes.end());
        bytes.resize(static_cast<std::size_t>(static_cast<long>(bytes.size()) + resize));
        *target = shell::Picture{bytes};
        qtshell::QtToolkit toolkit;
        NoEvents events;
        QVERIFY(!toolkit.realise(*description, events));
    }
};

QTEST_MAIN(DamagedRecordsTest)
#include "damaged_records_test.moc"
