// Both records with one fault each, from a seeded set: every one must end as
// an error that names its offset, or as a window of the described client
// size whose pictures show exactly the pixels the record holds, as Qt's
// image reader reads them.

#include "embedded/form1_record.h"
#include "embedded/form2_record.h"
#include "shell/model/ordering.h"
#include "shell/model/units.h"
#include "shell/qt/application.h"
#include "shell/qt/live_window.h"
#include "shell/qt/picture_box.h"
#include "shell/qt/qt_toolkit.h"
#include "shell/qt/window_builder.h"
#include "shell/record/record.h"
#include "tests/app/record_faults.h"

#include <QtTest>
#include <cstdio>
#include <iterator>

namespace {

using record_faults::Bytes;
using record_faults::Fault;

// Half as many under the sanitizers, where each window costs far more.
#ifdef LANSU_SANITIZED_BUILD
constexpr std::size_t kFaultsPerWindow = 150;
#else
constexpr std::size_t kFaultsPerWindow = 300;
#endif
constexpr std::uint32_t kSeed = 20261207;

struct NoEvents : shell::runtime::WindowEvents {
    void clicked(std::string_view) override {}
    void closed() override {}
};

QImage premultiplied(const QImage& image) {
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// The picture as Qt's image reader reads its file: bitmaps are drawn from the
// record's rows without it, and must come out the same.
QImage asRead(const shell::model::Picture& p) {
    return premultiplied(QImage::fromData(QByteArrayView(
        reinterpret_cast<const char*>(p.fileBytes().data()), std::ssize(p.fileBytes()))));
}

// Where `shown` differs from `expected`, or an empty string.
QString mismatch(const char* what, const QImage& shown, const QImage& expected) {
    if (expected.isNull() || shown.size() != expected.size())
        return QStringLiteral("%1 of %2×%3").arg(what).arg(shown.width()).arg(shown.height());
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (shown.pixel(x, y) != expected.pixel(x, y))
                return QStringLiteral("%1 pixel (%2, %3)").arg(what).arg(x).arg(y);
    return {};
}

// What the window shows of each picture against the picture as read.
QString pictureMismatch(QWidget* window, const shell::model::WindowDescription& d) {
    QString found;
    for (const auto* c : shell::model::allControls(d)) {
        if (!c->picture || !found.isEmpty())
            continue;
        const QImage read = asRead(*c->picture);
        found =
            mismatch(c->name.c_str(), premultiplied(shell::qt::decodePicture(*c->picture)), read);
        auto* box =
            window->findChild<shell::qt::PictureBoxWidget*>(QString::fromStdString(c->name));
        if (!found.isEmpty() || !box ||
            c->picture->format() != shell::model::Picture::Format::Bitmap)
            continue;
        const QRect inner(box->innerRect().topLeft(),
                          box->innerRect().size().boundedTo(read.size()));
        if (!inner.isEmpty())
            found = mismatch(c->name.c_str(), premultiplied(box->grab(inner).toImage()),
                             read.copy(QRect(QPoint(), inner.size())));
    }
    if (found.isEmpty() && d.icon) {
        const QImage read = asRead(*d.icon);
        found = mismatch("icon", premultiplied(window->windowIcon().pixmap(read.size()).toImage()),
                         read);
    }
    return found;
}

} // namespace

class DamagedRecordsTest : public QObject {
    Q_OBJECT

    std::vector<Fault> faults_;
    int errors_ = 0, refused_ = 0, windows_ = 0;

private slots:
    void initTestCase() {
        shell::qt::configureApplication();
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
        for (std::size_t i = 0; i < faults_.size(); ++i)
            QTest::addRow("%zu %s", i, faults_[i].name.c_str()) << static_cast<int>(i) << QString();
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
        } else {
            QFile in(file);
            QVERIFY(in.open(QIODevice::ReadOnly));
            const QByteArray bytes = in.readAll();
            record.assign(bytes.begin(), bytes.end());
        }

        const auto decoded = shell::record::decodeRecord(record);
        if (!decoded) {
            const std::string& message = decoded.error().message;
            QVERIFY2(message.find(" at offset 0x") != std::string::npos &&
                         message.find(": expected ") != std::string::npos &&
                         message.find(", got ") != std::string::npos,
                     message.c_str());
            ++errors_;
            return;
        }

        shell::qt::QtToolkit toolkit;
        NoEvents events;
        auto live = toolkit.realise(*decoded, events);
        if (!live) { // the runtime reports this in its error box
            ++refused_;
            return;
        }
        QCOMPARE(live->show(), shell::runtime::kOk);
        QVERIFY(live->isVisible());
        QWidget* window = static_cast<shell::qt::LiveWindow*>(live.get())->window();
        QCOMPARE(window->size(), QSize(shell::model::twipsToPixels(decoded->client.width),
                                       shell::model::twipsToPixels(decoded->client.height)));
        const QString mismatch = pictureMismatch(window, *decoded);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
        ++windows_;
        live.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

QTEST_MAIN(DamagedRecordsTest)
#include "damaged_records_test.moc"
