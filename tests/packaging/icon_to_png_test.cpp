// Checks the icon converter against an independent reading of the icon bytes:
// the PNG it writes must hold exactly the pixels of the icon image of the
// asked size, alpha included, and every bad input must fail without leaving
// a file behind.
#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// One image of an icon as straight (not premultiplied) 0xAARRGGBB values,
// top row first.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;
};

std::uint32_t u16(const QByteArray& b, qsizetype at) {
    return static_cast<std::uint8_t>(b[at]) | std::uint32_t{static_cast<std::uint8_t>(b[at + 1])}
                                                  << 8;
}
std::uint32_t u32(const QByteArray& b, qsizetype at) {
    return u16(b, at) | u16(b, at + 2) << 16;
}

void putU16(QByteArray& b, std::uint32_t v) {
    b.append(static_cast<char>(v & 0xff));
    b.append(static_cast<char>((v >> 8) & 0xff));
}
void putU32(QByteArray& b, std::uint32_t v) {
    putU16(b, v & 0xffff);
    putU16(b, v >> 16);
}

// Reads every 32-bpp image of an icon file straight from its bytes: the
// directory, then each BITMAPINFOHEADER and its bottom-up BGRA rows.
std::vector<Pixels> readIcon(const QByteArray& file) {
    std::vector<Pixels> images;
    EXPECT_GE(file.size(), 6);
    EXPECT_EQ(u16(file, 0), 0u);
    EXPECT_EQ(u16(file, 2), 1u) << "not an icon";
    const std::uint32_t count = u16(file, 4);
    for (std::uint32_t i = 0; i < count; ++i) {
        const qsizetype entry = 6 + 16 * static_cast<qsizetype>(i);
        const qsizetype dib = u32(file, entry + 12);
        EXPECT_EQ(u32(file, dib), 40u) << "image " << i << ": not a BITMAPINFOHEADER";
        EXPECT_EQ(u16(file, dib + 14), 32u) << "image " << i << ": not 32 bits per pixel";
        Pixels image;
        image.width = static_cast<int>(u32(file, dib + 4));
        image.height = static_cast<int>(u32(file, dib + 8)) / 2; // colour plus mask
        image.argb.resize(static_cast<std::size_t>(image.width * image.height));
        const qsizetype bits = dib + 40;
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                const qsizetype at = bits + 4 * ((image.height - 1 - y) * image.width + x);
                const std::uint32_t bgra = u32(file, at);
                image.argb[static_cast<std::size_t>(y * image.width + x)] = bgra;
            }
        }
        images.push_back(image);
    }
    return images;
}

// Writes an icon file of 32-bpp images (each with an all-zero AND mask).
QByteArray makeIcon(const std::vector<Pixels>& images) {
    QByteArray dibs;
    std::vector<std::uint32_t> offsets;
    const auto directorySize = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (const Pixels& image : images) {
        offsets.push_back(directorySize + static_cast<std::uint32_t>(dibs.size()));
        putU32(dibs, 40);
        putU32(dibs, static_cast<std::uint32_t>(image.width));
        putU32(dibs, static_cast<std::uint32_t>(image.height * 2));
        putU16(dibs, 1);
        putU16(dibs, 32);
        for (int i = 0; i < 6; ++i)
            putU32(dibs, 0);
        for (int y = image.height - 1; y >= 0; --y)
            for (int x = 0; x < image.width; ++x)
                putU32(dibs, image.argb[static_cast<std::size_t>(y * image.width + x)]);
        const int maskRow = ((image.width + 31) / 32) * 4;
        dibs.append(QByteArray(maskRow * image.height, '\0'));
    }
    QByteArray file;
    putU16(file, 0);
    putU16(file, 1);
    putU16(file, static_cast<std::uint32_t>(images.size()));
    for (std::size_t i = 0; i < images.size(); ++i) {
        const Pixels& image = images[i];
        const std::uint32_t end = i + 1 < images.size()
                                      ? offsets[i + 1]
                                      : directorySize + static_cast<std::uint32_t>(dibs.size());
        file.append(static_cast<char>(image.width & 0xff));
        file.append(static_cast<char>(image.height & 0xff));
        file.append('\0');
        file.append('\0');
        putU16(file, 1);
        putU16(file, 32);
        putU32(file, end - offsets[i]);
        putU32(file, offsets[i]);
    }
    return file + dibs;
}

// A square image whose every pixel differs from its neighbours and whose
// alpha runs through transparent, partial and opaque values.
Pixels pattern(int size, std::uint32_t seed) {
    Pixels image{size, size, {}};
    for (int i = 0; i < size * size; ++i) {
        const auto n = static_cast<std::uint32_t>(i) * 2654435761u + seed;
        const std::uint32_t alpha = (i % 3 == 0) ? 0xffu : (i % 3 == 1) ? 0x80u : 0x00u;
        const std::uint32_t rgb = alpha == 0 ? 0u : (n >> 8) & 0xffffffu;
        image.argb.push_back(alpha << 24 | rgb);
    }
    return image;
}

struct Outcome {
    int exitCode = -1;
    std::string errors;
};

Outcome convert(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(LANSU_ICON_TO_PNG), arguments);
    if (!process.waitForFinished(30000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardError().toStdString()};
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// Qt's icon reader premultiplies colour by alpha, so a colour channel of a
// partly transparent pixel can come back off by the rounding of that step:
// up to 255 / (2 * alpha), rounded up. Opaque pixels must be exact.
int premultiplyTolerance(std::uint32_t alpha) {
    if (alpha == 0xff)
        return 0;
    return static_cast<int>((255 + 2 * alpha - 1) / (2 * alpha));
}

bool samePixel(std::uint32_t want, std::uint32_t got) {
    const std::uint32_t alpha = want >> 24;
    if ((got >> 24) != alpha)
        return false;
    if (alpha == 0)
        return true; // no colour to compare
    const int tolerance = premultiplyTolerance(alpha);
    for (int shift = 0; shift < 24; shift += 8) {
        const int a = static_cast<int>((want >> shift) & 0xff);
        const int b = static_cast<int>((got >> shift) & 0xff);
        if (a - b > tolerance || b - a > tolerance)
            return false;
    }
    return true;
}

// Compares a PNG with the expected pixels: alpha always, colour wherever the
// pixel is not fully transparent.
void expectPngHolds(const QString& png, const Pixels& expected) {
    QImage image;
    ASSERT_TRUE(image.load(png, "png")) << png.toStdString();
    ASSERT_EQ(image.width(), expected.width);
    ASSERT_EQ(image.height(), expected.height);
    EXPECT_TRUE(image.hasAlphaChannel());
    image = image.convertToFormat(QImage::Format_ARGB32);
    int mismatches = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const std::uint32_t want =
                expected.argb[static_cast<std::size_t>(y * image.width() + x)];
            const std::uint32_t got = image.pixel(x, y);
            if (!samePixel(want, got) && ++mismatches <= 5)
                ADD_FAILURE() << "pixel (" << x << ", " << y << "): want " << std::hex << want
                              << ", got " << got;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

class IconToPngTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
};

TEST_F(IconToPngTest, ApplicationIconBecomesTheSamePixelsAsPng) {
    const std::vector<Pixels> images = readIcon(readFile(QStringLiteral(LANSU_APPLICATION_ICO)));
    ASSERT_EQ(images.size(), 1u);
    ASSERT_EQ(images[0].width, 32);
    // Partly transparent edges: the alpha channel must survive the conversion.
    int transparent = 0;
    int opaque = 0;
    for (std::uint32_t pixel : images[0].argb) {
        transparent += (pixel >> 24) != 0xff;
        opaque += (pixel >> 24) == 0xff;
    }
    ASSERT_GT(transparent, 0);
    ASSERT_GT(opaque, 0);

    const Outcome run = convert({QStringLiteral(LANSU_APPLICATION_ICO), path("icon.png"), "32"});
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    expectPngHolds(path("icon.png"), images[0]);
}

TEST_F(IconToPngTest, TheBuildsThemeIconIsTheApplicationIcon) {
    const std::vector<Pixels> images = readIcon(readFile(QStringLiteral(LANSU_APPLICATION_ICO)));
    ASSERT_EQ(images.size(), 1u);
    expectPngHolds(QStringLiteral(LANSU_THEME_ICON), images[0]);
}

TEST_F(IconToPngTest, PicksTheImageOfTheAskedSize) {
    const Pixels small = pattern(16, 7);
    const Pixels large = pattern(32, 11);
    const Pixels larger = pattern(48, 13);
    writeFile(path("three.ico"), makeIcon({small, large, larger}));

    Outcome run = convert({path("three.ico"), path("32.png"), "32"});
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    expectPngHolds(path("32.png"), large);

    run = convert({path("three.ico"), path("16.png"), "16"});
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    expectPngHolds(path("16.png"), small);
}

TEST_F(IconToPngTest, FailsWithoutOutputWhenNoImageHasTheSize) {
    writeFile(path("small.ico"), makeIcon({pattern(16, 3)}));
    const Outcome run = convert({path("small.ico"), path("out.png"), "32"});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.errors.find("no 32x32 image"), std::string::npos) << run.errors;
    EXPECT_FALSE(QFile::exists(path("out.png")));
}

TEST_F(IconToPngTest, FailsOnTwoImagesOfTheSize) {
    writeFile(path("twice.ico"), makeIcon({pattern(32, 1), pattern(32, 2)}));
    const Outcome run = convert({path("twice.ico"), path("out.png"), "32"});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_FALSE(QFile::exists(path("out.png")));
}

TEST_F(IconToPngTest, FailsOnAMissingOrForeignInput) {
    Outcome run = convert({path("absent.ico"), path("out.png"), "32"});
    EXPECT_NE(run.exitCode, 0);
    writeFile(path("text.ico"), QByteArray("not an icon at all\n"));
    run = convert({path("text.ico"), path("out.png"), "32"});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_FALSE(QFile::exists(path("out.png")));
}

TEST_F(IconToPngTest, FailsOnBadArguments) {
    const QString ico = QStringLiteral(LANSU_APPLICATION_ICO);
    EXPECT_NE(convert({ico, path("out.png")}).exitCode, 0);
    EXPECT_NE(convert({ico, path("out.png"), "0"}).exitCode, 0);
    EXPECT_NE(convert({ico, path("out.png"), "thirty-two"}).exitCode, 0);
    EXPECT_FALSE(QFile::exists(path("out.png")));
}

TEST_F(IconToPngTest, FailsWhenTheOutputCannotBeWritten) {
    const Outcome run =
        convert({QStringLiteral(LANSU_APPLICATION_ICO), path("no-such-folder/out.png"), "32"});
    EXPECT_NE(run.exitCode, 0);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
