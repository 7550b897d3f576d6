// Checks the committed pictures, icon, manifest and resource scripts: formats and
// sizes the window descriptions rely on, and that the QR code still scans after
// the troubleshooting window crops it.
#include "embedded/application_icon.h"
#include "embedded/banner_picture.h"
#include "embedded/code_picture.h"
#include "embedded/side_picture.h"

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <cstdint>
#include <gtest/gtest.h>
#include <span>
#include <string>
#include <vector>
#include <zbar.h>

namespace {

using Bytes = std::span<const std::uint8_t>;

std::uint32_t u16(Bytes b, std::size_t at) {
    return b[at] | std::uint32_t{b[at + 1]} << 8;
}
std::uint32_t u32(Bytes b, std::size_t at) {
    return u16(b, at) | u16(b, at + 2) << 16;
}
std::int32_t s32(Bytes b, std::size_t at) {
    return static_cast<std::int32_t>(u32(b, at));
}

QImage decode(Bytes b, const char* format) {
    return QImage::fromData(b.data(), static_cast<int>(b.size()), format);
}

double meanLuminance(const QImage& image, int firstRow, int rows) {
    double sum = 0;
    for (int y = firstRow; y < firstRow + rows; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            sum += qGray(image.pixel(x, y));
        }
    }
    return sum / (rows * image.width());
}

std::vector<std::string> scanCodes(const QImage& image) {
    using namespace zbar;
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    std::vector<std::uint8_t> y800;
    for (int y = 0; y < grey.height(); ++y) {
        const auto* row = grey.constScanLine(y);
        y800.insert(y800.end(), row, row + grey.width());
    }
    zbar_image_scanner_t* scanner = zbar_image_scanner_create();
    zbar_image_scanner_set_config(scanner, ZBAR_NONE, ZBAR_CFG_ENABLE, 0);
    zbar_image_scanner_set_config(scanner, ZBAR_QRCODE, ZBAR_CFG_ENABLE, 1);
    zbar_image_t* frame = zbar_image_create();
    zbar_image_set_format(frame, zbar_fourcc('Y', '8', '0', '0'));
    zbar_image_set_size(frame, static_cast<unsigned>(grey.width()),
                        static_cast<unsigned>(grey.height()));
    zbar_image_set_data(frame, y800.data(), y800.size(), nullptr);
    std::vector<std::string> found;
    if (zbar_scan_image(scanner, frame) > 0) {
        for (const zbar_symbol_t* s = zbar_image_first_symbol(frame); s != nullptr;
             s = zbar_symbol_next(s)) {
            found.emplace_back(zbar_symbol_get_data(s), zbar_symbol_get_data_length(s));
        }
    }
    zbar_image_destroy(frame);
    zbar_image_scanner_destroy(scanner);
    return found;
}

QString readResource(const char* name) {
    QFile file(QStringLiteral(LANSU_RESOURCES_DIR "/") + QString::fromUtf8(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return QString::fromUtf8(file.readAll());
}

struct Picture {
    const char* name;
    Bytes (*bytes)();
    int width;
    int height;
    std::size_t fileSize;
};

void PrintTo(const Picture& p, std::ostream* os) {
    *os << p.name;
}

class Bitmap : public testing::TestWithParam<Picture> {};

TEST_P(Bitmap, IsUncompressedBottomUp24BitOfTheExpectedSize) {
    const Picture& p = GetParam();
    const Bytes b = p.bytes();
    ASSERT_EQ(b.size(), p.fileSize);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(u32(b, 2), b.size()) << "file-size field";
    EXPECT_EQ(u32(b, 10), 54u) << "pixel data offset";
    EXPECT_EQ(u32(b, 14), 40u) << "BITMAPINFOHEADER";
    EXPECT_EQ(s32(b, 18), p.width);
    EXPECT_EQ(s32(b, 22), p.height) << "positive height: rows bottom-up";
    EXPECT_EQ(u16(b, 26), 1u);
    EXPECT_EQ(u16(b, 28), 24u);
    EXPECT_EQ(u32(b, 30), 0u) << "BI_RGB";
    const std::size_t row = (static_cast<std::size_t>(p.width) * 3 + 3) / 4 * 4;
    EXPECT_EQ(54 + row * static_cast<std::size_t>(p.height), b.size());
}

TEST_P(Bitmap, DecodesToItsDimensions) {
    const Picture& p = GetParam();
    const QImage image = decode(p.bytes(), "BMP");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), p.width);
    EXPECT_EQ(image.height(), p.height);
}

INSTANTIATE_TEST_SUITE_P(Pictures, Bitmap,
                         testing::Values(Picture{"banner", embedded::banner_picture, 1019, 132,
                                                 403974},
                                         Picture{"side", embedded::side_picture, 150, 506, 228766},
                                         Picture{"code", embedded::code_picture, 220, 220, 145254}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(Banner, BottomStripIsPalerThanTheTop) {
    const QImage image = decode(embedded::banner_picture(), "BMP");
    ASSERT_FALSE(image.isNull());
    const double top = meanLuminance(image, 0, 40);
    const double bottom = meanLuminance(image, image.height() - 14, 11);
    EXPECT_LT(top, 80.0) << "dark ground";
    EXPECT_GT(bottom, 170.0) << "pale strip";
}

constexpr const char* kCodeText = "http://qiongyue.example";

TEST(CodePicture, ScansWholeAndAsCroppedByTheWindow) {
    const QImage image = decode(embedded::code_picture(), "BMP");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(scanCodes(image), std::vector<std::string>{kCodeText});
    // The window shows 217 x 217 pixels of it.
    const QImage shown = image.copy(0, 0, image.width() - 3, image.height() - 3);
    EXPECT_EQ(scanCodes(shown), std::vector<std::string>{kCodeText});
}

// Icon layout: ICONDIR (6) + one ICONDIRENTRY (16) + DIB (40 + 32*32*4 + 32*4).
constexpr std::size_t kDib = 22;
constexpr std::size_t kPixels = kDib + 40;
constexpr std::size_t kMask = kPixels + 4096;

std::uint8_t iconAlpha(Bytes b, int x, int y) { // y counted from the top
    return b[kPixels + static_cast<std::size_t>((31 - y) * 32 + x) * 4 + 3];
}
bool iconMaskBit(Bytes b, int x, int y) {
    return (b[kMask + static_cast<std::size_t>(31 - y) * 4 + static_cast<std::size_t>(x / 8)] >>
            (7 - x % 8)) &
           1;
}

TEST(ApplicationIcon, HoldsOne32x32ImageWith32BitDibAndMask) {
    const Bytes b = embedded::application_icon();
    ASSERT_EQ(b.size(), 4286u);
    EXPECT_EQ(u16(b, 0), 0u);
    EXPECT_EQ(u16(b, 2), 1u) << "type icon";
    EXPECT_EQ(u16(b, 4), 1u) << "image count";
    EXPECT_EQ(b[6], 32);
    EXPECT_EQ(b[7], 32);
    EXPECT_EQ(u16(b, 12), 32u) << "entry bit count";
    EXPECT_EQ(u32(b, 14), 4264u) << "image bytes";
    EXPECT_EQ(u32(b, 18), kDib);
    EXPECT_EQ(u32(b, kDib), 40u);
    EXPECT_EQ(s32(b, kDib + 4), 32);
    EXPECT_EQ(s32(b, kDib + 8), 64) << "image plus mask";
    EXPECT_EQ(u16(b, kDib + 14), 32u);
    EXPECT_EQ(u32(b, kDib + 16), 0u);
}

TEST(ApplicationIcon, HasSoftEdgesTransparentCornersAndMatchingMask) {
    const Bytes b = embedded::application_icon();
    ASSERT_EQ(b.size(), 4286u);
    int partial = 0;
    int opaque = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const std::uint8_t a = iconAlpha(b, x, y);
            partial += a > 0 && a < 255;
            opaque += a == 255;
            EXPECT_EQ(iconMaskBit(b, x, y), a == 0) << x << "," << y;
        }
    }
    EXPECT_GT(partial, 0);
    EXPECT_GT(opaque, 512) << "the window fills most of the icon";
    for (const auto& [x, y] : {std::pair{0, 0}, {31, 0}, {0, 31}, {31, 31}}) {
        EXPECT_EQ(iconAlpha(b, x, y), 0) << x << "," << y;
    }
}

TEST(ApplicationIcon, ShowsBlueTitleStripAndGreyGear) {
    const QImage icon = decode(embedded::application_icon(), "ICO");
    ASSERT_FALSE(icon.isNull());
    ASSERT_EQ(icon.size(), QSize(32, 32));
    const QRgb strip = icon.pixel(8, 6);
    EXPECT_GT(qBlue(strip), qRed(strip) + 60);
    for (int x : {18, 22, 26}) {
        EXPECT_EQ(icon.pixel(x, 6) | 0xff000000u, 0xffffffffu) << "caption square at " << x;
    }
    int grey = 0;
    for (int y = 12; y < 28; ++y) {
        for (int x = 8; x < 24; ++x) {
            const QRgb c = icon.pixel(x, y);
            grey += qGray(c) > 60 && qGray(c) < 170 && std::abs(qRed(c) - qBlue(c)) < 24;
        }
    }
    EXPECT_GT(grey, 40);
}

TEST(Manifest, DeclaresIdentityAndCommonControls6) {
    QXmlStreamReader xml(readResource("application.manifest"));
    std::vector<QXmlStreamAttributes> identities;
    bool dpi = false;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement) {
            if (xml.name() == QLatin1String("assemblyIdentity")) {
                identities.push_back(xml.attributes());
            }
            dpi = dpi || xml.name().contains(QLatin1String("dpi"), Qt::CaseInsensitive);
        }
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_FALSE(dpi);
    ASSERT_EQ(identities.size(), 2u);
    EXPECT_EQ(identities[0].value("type"), QLatin1String("win32"));
    EXPECT_EQ(identities[0].value("version"), QLatin1String("1.0.0.0"));
    EXPECT_EQ(identities[0].value("processorArchitecture"), QLatin1String("*"));
    EXPECT_FALSE(identities[0].value("name").isEmpty());
    EXPECT_EQ(identities[1].value("name"), QLatin1String("Microsoft.Windows.Common-Controls"));
    EXPECT_EQ(identities[1].value("version"), QLatin1String("6.0.0.0"));
    EXPECT_EQ(identities[1].value("publicKeyToken"), QLatin1String("6595b64144ccf1df"));
    EXPECT_EQ(identities[1].value("language"), QLatin1String("*"));
    EXPECT_EQ(identities[1].value("processorArchitecture"), QLatin1String("*"));
}

QString rcValue(const QString& script, const char* key) {
    const QRegularExpression re(
        QStringLiteral("VALUE\\s+\"%1\"\\s*,\\s*\"([^\"]*)\"").arg(QString::fromUtf8(key)));
    return re.match(script).captured(1);
}

TEST(VersionScript, HoldsTheVersionBlock) {
    const QString rc = readResource("version.rc");
    EXPECT_TRUE(rc.contains(QStringLiteral("#pragma code_page(65001)")));
    for (const char* line :
         {"FILEVERSION\\s+1,0,0,0\\b", "PRODUCTVERSION\\s+1,0,0,0\\b", "FILEOS\\s+0x0*4L?\\b",
          "FILETYPE\\s+0x0*1L?\\b", "BLOCK\\s+\"080404B0\"",
          "VALUE\\s+\"Translation\"\\s*,\\s*0x0804\\s*,\\s*1200\\b"}) {
        EXPECT_TRUE(rc.contains(QRegularExpression(QString::fromUtf8(line)))) << line;
    }
    const QString company = QString::fromUtf8("穹岳（汀川）科技数据研究院数字电子取证侦查局");
    EXPECT_EQ(rcValue(rc, "CompanyName"), company);
    EXPECT_EQ(rcValue(rc, "FileDescription"), company);
    EXPECT_EQ(rcValue(rc, "ProductName"), QString::fromUtf8("岚溯"));
    EXPECT_EQ(rcValue(rc, "FileVersion"), QStringLiteral("1.00"));
    EXPECT_EQ(rcValue(rc, "ProductVersion"), QStringLiteral("1.00"));
    EXPECT_EQ(rcValue(rc, "InternalName"), QString::fromUtf8("穹岳科技岚溯"));
    EXPECT_EQ(rcValue(rc, "OriginalFilename"), QString::fromUtf8("穹岳科技岚溯.exe"));
}

bool hasLine(const QString& text, const char* pattern) {
    const QRegularExpression re(QString::fromUtf8(pattern), QRegularExpression::MultilineOption);
    return re.match(text).hasMatch();
}

TEST(ResourceScript, NamesIconManifestAndVersionBlock) {
    const QString rc = readResource("application.rc");
    EXPECT_TRUE(hasLine(rc, "^30001\\s+ICON\\s+\"application\\.ico\"$"));
    EXPECT_TRUE(hasLine(rc, "^1\\s+24\\s+\"application\\.manifest\"$"));
    EXPECT_TRUE(hasLine(rc, "^#include \"version\\.rc\"$"));
}

} // namespace
