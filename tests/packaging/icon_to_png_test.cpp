// The icon converter against an independent reading of the icon bytes: the PNG holds the
// pixels of the image of the asked size, alpha included; a failed run leaves no file.
#include <QDataStream>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

using Argb = std::vector<quint32>; // straight alpha, top row first

// Image `index` of a 32-bpp icon file, `size` pixels square, read straight from the bytes.
Argb readIcon(const QByteArray& ico, int index, int size) {
    const auto at = [&](qsizetype i) { return qFromLittleEndian<quint32>(ico.constData() + i); };
    const qsizetype dib = at(6 + 16 * index + 12);
    EXPECT_EQ(at(dib + 4), static_cast<quint32>(size));
    Argb argb;
    for (int i = 0; i < size * size; ++i) // rows are stored bottom-up
        argb.push_back(at(dib + 40 + 4 * ((size - 1 - i / size) * size + i % size)));
    return argb;
}

// An icon of square 32-bpp images whose alpha runs through 0xff, 0x80 and 0.
QByteArray makeIcon(const std::vector<int>& sizes) {
    QByteArray head, body;
    QDataStream h(&head, QIODevice::WriteOnly), b(&body, QIODevice::WriteOnly);
    h.setByteOrder(QDataStream::LittleEndian);
    b.setByteOrder(QDataStream::LittleEndian);
    h << quint16(0) << quint16(1) << quint16(sizes.size());
    for (const int s : sizes) {
        const auto start = static_cast<quint32>(body.size());
        b << quint32(40) << qint32(s) << qint32(2 * s) << quint16(1) << quint16(32);
        for (int i = 0; i < 6 + s * s + (s + 31) / 32 * s; ++i) // header rest, pixels, AND mask
            b << (i < 6 || i >= 6 + s * s || i % 3 == 2
                      ? quint32(0)
                      : (i % 3 ? 0x80u : 0xffu) << 24 | ((i * 40503u + s) & 0xffffff));
        h << quint8(s) << quint8(s) << quint16(0) << quint16(1) << quint16(32)
          << quint32(body.size() - start) << quint32(6 + 16 * sizes.size() + start);
    }
    return head + body;
}

// Channels of the PNG unlike `want` (-1: no such PNG): alpha exactly, colour (unless
// transparent) within the rounding of Qt's premultiplication.
int badChannels(const QString& png, const Argb& want, int size) {
    const QImage image = QImage(png, "png").convertToFormat(QImage::Format_ARGB32);
    int bad = image.size() == QSize(size, size) ? 0 : -1;
    for (int i = 0; i < size * size && bad >= 0; ++i) {
        const quint32 w = want[static_cast<std::size_t>(i)], g = image.pixel(i % size, i / size);
        const int a = static_cast<int>(w >> 24), slack = a % 255 ? (254 + 2 * a) / (2 * a) : 0;
        for (int shift = 0; shift < 32; shift += 8) // up to 255 / (2 * alpha), rounded up
            bad += a > 0 && std::abs(int(w >> shift & 0xff) - int(g >> shift & 0xff)) >
                                (shift < 24 ? slack : 0);
    }
    return bad;
}

class IconToPng : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString png(int size) const { return dir.filePath(QStringLiteral("%1.png").arg(size)); }
    // Writes `ico` to a file and asks for its image of `size` as png(size).
    int convert(const QByteArray& ico, int size) const {
        QFile in(dir.filePath(QStringLiteral("in.ico")));
        EXPECT_TRUE(in.open(QIODevice::WriteOnly) && in.write(ico) == ico.size());
        in.close();
        QProcess process;
        process.start(QStringLiteral(LANSU_ICON_TO_PNG),
                      {in.fileName(), png(size), QString::number(size)});
        const bool ran = process.waitForFinished(30000) && process.exitStatus() == 0;
        return ran ? process.exitCode() : -1;
    }
};

TEST_F(IconToPng, ApplicationIconAndTheBuildsThemeIconHoldItsPixels) {
    QFile file(QStringLiteral(LANSU_APPLICATION_ICO));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray ico = file.readAll();
    ASSERT_EQ(ico[4], 1) << "one image";
    const Argb pixels = readIcon(ico, 0, 32);
    ASSERT_LT(*std::min_element(pixels.begin(), pixels.end()) >> 24, 255u) << "soft edges";
    ASSERT_EQ(convert(ico, 32), 0);
    EXPECT_EQ(badChannels(png(32), pixels, 32), 0);
    EXPECT_EQ(badChannels(QStringLiteral(LANSU_THEME_ICON), pixels, 32), 0);
}

TEST_F(IconToPng, PicksTheImageOfTheAskedSize) {
    const QByteArray three = makeIcon({16, 32, 48});
    for (const auto& [index, size] : {std::pair{1, 32}, std::pair{0, 16}}) {
        ASSERT_EQ(convert(three, size), 0) << size;
        EXPECT_EQ(badChannels(png(size), readIcon(three, index, size), size), 0) << size;
    }
}

TEST_F(IconToPng, FailsWithoutOutputOnNoneOrTwoImagesOfTheSizeOrNoIcon) {
    for (const QByteArray& ico : {makeIcon({16}), makeIcon({32, 32}), QByteArray("no icon")}) {
        EXPECT_NE(convert(ico, 32), 0);
        EXPECT_FALSE(QFile::exists(png(32)));
    }
}

} // namespace
