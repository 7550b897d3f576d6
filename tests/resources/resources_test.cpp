// Checks the committed pictures and icons: formats and sizes the window
// descriptions rely on, and that the QR code still scans after the
// troubleshooting window crops it.
#include "embedded/application_icon.h"
#include "embedded/banner_picture.h"
#include "embedded/code_picture.h"
#include "embedded/side_picture.h"
#include "shell/model/picture.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdint>
#include <gtest/gtest.h>
#include <span>
#include <string>
#include <vector>
#include <zbar.h>

namespace {

using Bytes = std::span<const std::uint8_t>;

QImage decode(Bytes b, const char* format) {
    return QImage::fromData(b.data(), static_cast<int>(b.size()), format);
}

std::vector<std::string> scanCodes(const QImage& image) {
    using namespace zbar;
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    std::vector<std::uint8_t> y800;
    for (int y = 0; y < grey.height(); ++y)
        y800.insert(y800.end(), grey.constScanLine(y), grey.constScanLine(y) + grey.width());
    zbar_image_scanner_t* scanner = zbar_image_scanner_create();
    zbar_image_scanner_set_config(scanner, ZBAR_NONE, ZBAR_CFG_ENABLE, 0);
    zbar_image_scanner_set_config(scanner, ZBAR_QRCODE, ZBAR_CFG_ENABLE, 1);
    zbar_image_t* frame = zbar_image_create();
    zbar_image_set_format(frame, zbar_fourcc('Y', '8', '0', '0'));
    zbar_image_set_size(frame, static_cast<unsigned>(grey.width()),
                        static_cast<unsigned>(grey.height()));
    zbar_image_set_data(frame, y800.data(), y800.size(), nullptr);
    std::vector<std::string> found;
    if (zbar_scan_image(scanner, frame) > 0)
        for (auto* s = zbar_image_first_symbol(frame); s != nullptr; s = zbar_symbol_next(s))
            found.emplace_back(zbar_symbol_get_data(s), zbar_symbol_get_data_length(s));
    zbar_image_destroy(frame);
    zbar_image_scanner_destroy(scanner);
    return found;
}

// Each picture at the size its box in the window is laid out for. That the
// decoder accepts them, the codec tests show on both windows' records.
TEST(Pictures, HaveTheSizesTheWindowsUse) {
    for (const auto& [name, b, width, height] :
         {std::tuple{"banner", embedded::banner_picture(), 1019, 132},
          std::tuple{"side", embedded::side_picture(), 150, 506},
          std::tuple{"code", embedded::code_picture(), 220, 220},
          std::tuple{"icon", embedded::application_icon(), 32, 32}})
        EXPECT_EQ(shell::model::builtInPicture(b).size(),
                  (shell::model::PictureSize{width, height}))
            << name;
}

TEST(Pictures, BannerBottomStripIsPalerThanTheTop) {
    const QImage image = decode(embedded::banner_picture(), "BMP");
    const auto mean = [&](int top, int rows) { // a box filter down to one pixel averages
        return qGray(image.copy(0, top, image.width(), rows)
                         .scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                         .pixel(0, 0));
    };
    EXPECT_LT(mean(0, 40), 80) << "dark ground";
    EXPECT_GT(mean(image.height() - 14, 11), 170) << "pale strip";
}

TEST(Pictures, CodeScansWholeAndAsCroppedByTheWindow) {
    const QImage image = decode(embedded::code_picture(), "BMP");
    ASSERT_FALSE(image.isNull());
    const std::vector<std::string> text{"http://qiongyue.example"};
    EXPECT_EQ(scanCodes(image), text);
    // The window shows 217 x 217 pixels of it.
    EXPECT_EQ(scanCodes(image.copy(0, 0, image.width() - 3, image.height() - 3)), text);
}

// One 32x32 32-bpp image: directory (6 + 16), DIB header (40), pixels bottom-up, AND mask.
TEST(ApplicationIcon, IsOne32x32ImageWithSoftEdgesAMatchingMaskAndTheWindowLook) {
    const Bytes b = embedded::application_icon();
    ASSERT_EQ(b.size(), 22u + 40 + 32 * 32 * 4 + 32 * 4);
    const QImage icon = decode(b, "ICO");
    ASSERT_EQ(icon.size(), QSize(32, 32));
    int partial = 0, opaque = 0, grey = 0;
    for (int i = 0; i < 32 * 32; ++i) {
        const int x = i % 32, y = i / 32;
        const auto stored = static_cast<std::size_t>((31 - y) * 32 + x);
        const std::uint8_t a = b[62 + 4 * stored + 3];
        EXPECT_EQ((b[62 + 4096 + stored / 8] >> (7 - x % 8) & 1) == 1, a == 0) << x << "," << y;
        partial += a > 0 && a < 255;
        opaque += a == 255;
        const QRgb c = icon.pixel(x, y);
        grey += x >= 8 && x < 24 && y >= 12 && y < 28 && qGray(c) > 60 && qGray(c) < 170 &&
                std::abs(qRed(c) - qBlue(c)) < 24;
    }
    EXPECT_GT(partial, 0);
    EXPECT_GT(opaque, 512) << "the window fills most of the icon";
    // A blue title strip with white caption squares, over a grey gear.
    EXPECT_GT(qBlue(icon.pixel(8, 6)), qRed(icon.pixel(8, 6)) + 60);
    for (int x : {18, 22, 26})
        EXPECT_EQ(icon.pixel(x, 6) | 0xff000000u, 0xffffffffu) << "caption square at " << x;
    EXPECT_GT(grey, 40);
}

// The desktop theme's icons are the application icon drawn at each size:
// the 32 px one is the icon's own pixels, the others look like it when
// brought to 32 px.
TEST(ThemeIcons, AreTheApplicationIconAtEverySize) {
    const QImage icon = decode(embedded::application_icon(), "ICO")
                            .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256, 512, 0}) { // 0: scalable.svg
        const QString name = size ? QStringLiteral("%1x%1.png").arg(size) : "scalable.svg";
        SCOPED_TRACE(name.toStdString());
        const QString path = QStringLiteral(LANSU_RESOURCES_DIR "/icons/") + name;
        QImage image;
        if (size == 0) {
            QSvgRenderer svg(path);
            ASSERT_TRUE(svg.isValid());
            EXPECT_EQ(svg.viewBox(), QRect(0, 0, 32, 32));
            image = QImage(256, 256, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            svg.render(&painter);
        } else {
            ASSERT_TRUE(image.load(path, "PNG"));
        }
        const int last = image.width() - 1;
        for (const auto& [x, y] : {std::pair{0, 0}, {last, 0}, {0, last}, {last, last}})
            EXPECT_EQ(qAlpha(image.pixel(x, y)), 0) << "corner " << x << "," << y;

        // Compared at the smaller of the two sizes: scaling up blurs.
        const int side = std::min(image.width(), 32);
        const auto at = [side](const QImage& i) {
            return i.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        };
        const QImage mine = at(image), theirs = at(icon);
        int difference = 0;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                const QRgb a = mine.pixel(x, y), b = theirs.pixel(x, y);
                difference += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                              std::abs(qBlue(a) - qBlue(b)) + std::abs(qAlpha(a) - qAlpha(b));
            }
        const double mean = difference / (side * side * 4.0);
        if (size == 32)
            EXPECT_EQ(mean, 0.0) << "the 32 px icon is not the application icon's pixels";
        else
            // Drawn afresh at each size: 16 px differs most (8.4), a blank or
            // recoloured icon by far more.
            EXPECT_LT(mean, 10.0) << "mean channel difference from the application icon";
    }
}

} // namespace
