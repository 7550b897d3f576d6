// Windows built from the embedded records look exactly like windows built
// from the descriptions the records were made from.

#include "embedded/form1_record.h"
#include "embedded/form2_record.h"
#include "main_window/form1_description.h"
#include "shell/qt/application.h"
#include "shell/qt/window_builder.h"
#include "shell/record/record.h"
#include "troubleshooting_window/form2_description.h"
#include "window_probe.h"

#include <QtTest>
#include <memory>
#include <vector>

Q_DECLARE_METATYPE(std::vector<std::uint8_t>)

namespace {

// A 24-bit bottom-up bitmap of width × height whose pixels are all
// different, rows padded to whole words.
std::vector<std::uint8_t> bitmapFile(int width, int height) {
    const int stride = (width * 3 + 3) / 4 * 4;
    std::vector<std::uint8_t> f(54 + static_cast<std::size_t>(stride * height));
    const auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (std::size_t i = 0; i < 4; ++i)
            f[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    f[0] = 'B';
    f[1] = 'M';
    put32(2, static_cast<std::uint32_t>(f.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    f[26] = 1;
    f[28] = 24;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width * 3; ++x)
            f[54 + static_cast<std::size_t>(y * stride + x)] =
                static_cast<std::uint8_t>(y * 31 + x * 7);
    return f;
}

void addPictures(const char* window, const shell::WindowDescription& w) {
    for (const auto& c : w.controls)
        if (c.picture)
            QTest::newRow((std::string(window) + " " + c.name).c_str())
                << std::vector<std::uint8_t>(c.picture->fileBytes.begin(),
                                             c.picture->fileBytes.end());
    if (w.icon)
        QTest::newRow((std::string(window) + " icon").c_str())
            << std::vector<std::uint8_t>(w.icon->fileBytes.begin(), w.icon->fileBytes.end());
}

} // namespace

class RecordsMatchDescriptionsTest : public QObject {
    Q_OBJECT

    QObject context_;

    QImage grabBuilt(const shell::WindowDescription& description) {
        std::unique_ptr<QWidget> window(qtshell::buildWindow(description, &context_, {}));
        return testing_support::grab(window.get());
    }

private slots:
    void initTestCase() { qtshell::configureApplication(runtime::ProjectDescriptor{}); }

    void samePixels_data() {
        QTest::addColumn<int>("window");
        QTest::newRow("Form1") << 1;
        QTest::newRow("Form2") << 2;
    }
    void samePixels() {
        QFETCH(int, window);
        const auto record = window == 1 ? embedded::form1_record() : embedded::form2_record();
        const auto described = window == 1 ? main_window::form1Description()
                                           : troubleshooting_window::form2Description();
        auto decoded = shell::decodeRecord(record);
        QVERIFY2(decoded.hasValue(), decoded ? "" : decoded.error().message.c_str());
        QVERIFY(*decoded == described);

        const QImage fromRecord = grabBuilt(*decoded);
        const QImage fromDescription = grabBuilt(described);
        QCOMPARE(fromRecord.size(), fromDescription.size());
        QVERIFY(fromRecord == fromDescription);
    }

    // Bitmaps are drawn from the rows in the record, not through Qt's image
    // reader; they must come out as the reader would make them.
    void picturesAsTheImageReaderReadsThem_data() {
        QTest::addColumn<std::vector<std::uint8_t>>("file");
        addPictures("Form1", main_window::form1Description());
        addPictures("Form2", troubleshooting_window::form2Description());
        QTest::newRow("5x3 bitmap, padded rows") << bitmapFile(5, 3);
        QTest::newRow("1x1 bitmap") << bitmapFile(1, 1);
    }
    void picturesAsTheImageReaderReadsThem() {
        QFETCH(std::vector<std::uint8_t>, file);
        const shell::Picture picture{file};
        const QByteArray bytes(reinterpret_cast<const char*>(file.data()),
                               static_cast<qsizetype>(file.size()));
        const QImage read = QImage::fromData(bytes).convertToFormat(QImage::Format_ARGB32);
        const QImage decoded =
            qtshell::decodePicture(picture).convertToFormat(QImage::Format_ARGB32);
        QVERIFY(!read.isNull());
        QCOMPARE(decoded.size(), read.size());
        QVERIFY(decoded == read);
    }
};

QTEST_MAIN(RecordsMatchDescriptionsTest)
#include "records_match_descriptions_test.moc"
