// Build-time tool: takes the image of one size out of a Windows icon file and
// writes it as a PNG with its alpha channel, for the desktop's icon theme.
//
//     lansu_icon_to_png <input.ico> <output.png> <size>
//
// Fails (exit status 1, a message on stderr) when the input cannot be read,
// holds no image of exactly size x size pixels, or the output cannot be
// written. The output is written to a temporary file and renamed, so a failed
// run never leaves a partial PNG behind for the build to pick up.

#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <QSaveFile>
#include <QString>
#include <cstdio>
#include <optional>

namespace {

int fail(const QString& message) {
    std::fprintf(stderr, "lansu_icon_to_png: %s\n", qPrintable(message));
    return 1;
}

std::optional<int> parseSize(const QString& text) {
    bool ok = false;
    const int size = text.toInt(&ok);
    if (!ok || size <= 0 || size > 1024)
        return std::nullopt;
    return size;
}

// Reads every image of the icon and returns the one of the wanted size; an
// icon with two images of that size is ambiguous and refused.
std::optional<QImage> imageOfSize(const QString& path, int size, QString& error) {
    QImageReader reader(path, "ico");
    if (!reader.canRead()) {
        error = QStringLiteral("%1: not a readable icon (%2)").arg(path, reader.errorString());
        return std::nullopt;
    }
    std::optional<QImage> found;
    const int count = reader.imageCount();
    for (int index = 0; index < count; ++index) {
        if (!reader.jumpToImage(index)) {
            error = QStringLiteral("%1: cannot reach image %2").arg(path).arg(index);
            return std::nullopt;
        }
        QImage image = reader.read();
        if (image.isNull()) {
            error = QStringLiteral("%1: image %2 unreadable (%3)")
                        .arg(path)
                        .arg(index)
                        .arg(reader.errorString());
            return std::nullopt;
        }
        if (image.width() != size || image.height() != size)
            continue;
        if (found) {
            error = QStringLiteral("%1: more than one %2x%2 image").arg(path).arg(size);
            return std::nullopt;
        }
        found = std::move(image);
    }
    if (!found)
        error = QStringLiteral("%1: no %2x%2 image among %3").arg(path).arg(size).arg(count);
    return found;
}

} // namespace

int main(int argc, char** argv) {
    // The ICO reader is an image-format plugin; plugins are found through the
    // application object.
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 4)
        return fail(QStringLiteral("usage: lansu_icon_to_png <input.ico> <output.png> <size>"));

    const QString input = arguments.at(1);
    const QString output = arguments.at(2);
    const std::optional<int> size = parseSize(arguments.at(3));
    if (!size)
        return fail(QStringLiteral("not a size: %1").arg(arguments.at(3)));

    QString error;
    const std::optional<QImage> image = imageOfSize(input, *size, error);
    if (!image)
        return fail(error);

    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("%1: %2").arg(output, file.errorString()));
    if (!image->convertToFormat(QImage::Format_ARGB32).save(&file, "png"))
        return fail(QStringLiteral("%1: cannot encode the PNG").arg(output));
    if (!file.commit())
        return fail(QStringLiteral("%1: %2").arg(output, file.errorString()));
    return 0;
}
