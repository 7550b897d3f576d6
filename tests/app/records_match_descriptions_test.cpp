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

Q_DECLARE_METATYPE(shell::Picture)

namespace {

void addPictures(const char* window, const shell::WindowDescription& w) {
    for (const auto& c : w.controls)
        if (c.picture)
            QTest::newRow((std::string(window) + " " + c.name).c_str()) << *c.picture;
    if (w.icon)
        QTest::newRow((std::string(window) + " icon").c_str()) << *w.icon;
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
    // reader; they must come out as the reader would make them. Form1's
    // banner, 1019 pixels wide, has padded rows.
    void picturesAsTheImageReaderReadsThem_data() {
        QTest::addColumn<shell::Picture>("picture");
        addPictures("Form1", main_window::form1Description());
        addPictures("Form2", troubleshooting_window::form2Description());
    }
    void picturesAsTheImageReaderReadsThem() {
        QFETCH(shell::Picture, picture);
        const QByteArray bytes(reinterpret_cast<const char*>(picture.fileBytes.data()),
                               static_cast<qsizetype>(picture.fileBytes.size()));
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
