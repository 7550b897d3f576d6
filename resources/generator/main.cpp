// Writes application.ico, banner.bmp, side_picture.bmp, code_picture.bmp and
// the desktop theme's icons (icons/NxN.png for every size the theme wants and
// icons/scalable.svg) into the folder named on the command line.
#include "pictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <exception>
#include <stdexcept>

namespace {

// A 24-bit bitmap file: 54-byte header, rows padded to four bytes.
qint64 expectedBitmapSize(const QImage& image) {
    const qint64 row = (qint64{image.width()} * 3 + 3) / 4 * 4;
    return 54 + row * image.height();
}

void writeBitmap(const QImage& image, const QString& path) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    if (!rgb.save(path, "BMP")) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
    const qint64 size = QFileInfo(path).size();
    if (size != expectedBitmapSize(rgb)) {
        throw std::runtime_error(path.toStdString() + " has " + std::to_string(size) +
                                 " bytes, expected " + std::to_string(expectedBitmapSize(rgb)));
    }
    std::printf("%s: %lldx%d, %lld bytes\n", qPrintable(path), static_cast<long long>(rgb.width()),
                rgb.height(), static_cast<long long>(size));
}

void writeFile(const QByteArray& bytes, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
    std::printf("%s: %lld bytes\n", qPrintable(path), static_cast<long long>(bytes.size()));
}

// The sizes desktops look for in the hicolor theme, 32 (the application icon's
// own) included.
constexpr int kThemeIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256, 512};

void writeThemeIcons(const QDir& out) {
    if (!out.mkpath(QStringLiteral("icons"))) {
        throw std::runtime_error("cannot make " + out.filePath("icons").toStdString());
    }
    for (int size : kThemeIconSizes) {
        const QString path = out.filePath(QStringLiteral("icons/%1x%1.png").arg(size));
        if (!generator::drawApplicationIcon(size).save(path, "PNG")) {
            throw std::runtime_error("cannot write " + path.toStdString());
        }
        std::printf("%s: %dx%d\n", qPrintable(path), size, size);
    }
    writeFile(generator::drawScalableApplicationIcon(), out.filePath("icons/scalable.svg"));
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argc > 0 ? argv[0] : "generator");
        return 2;
    }
    const QDir out(args.at(1));
    if (!out.exists()) {
        std::fprintf(stderr, "error: folder %s does not exist\n", qPrintable(args.at(1)));
        return 2;
    }
    try {
        writeFile(generator::encodeIcon(generator::drawApplicationIcon()),
                  out.filePath("application.ico"));
        writeThemeIcons(out);
        writeBitmap(generator::drawBanner(), out.filePath("banner.bmp"));
        writeBitmap(generator::drawSidePicture(), out.filePath("side_picture.bmp"));
        writeBitmap(generator::drawCodePicture(QStringLiteral("http://qiongyue.example")),
                    out.filePath("code_picture.bmp"));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "error: %s\n", e.what());
        return 1;
    }
    return 0;
}
