#pragma once

// The colours drawn in an area of a window's picture, for tests that read
// text back from the pixels.

#include <QImage>
#include <QRect>
#include <map>

namespace testing_support {

// Each colour in `area` with its count, and the commonest of them: the
// background the text is drawn on.
struct AreaColours {
    std::map<QRgb, int> counts;
    QRgb background = 0;
};

inline AreaColours areaColours(const QImage& image, const QRect& area) {
    AreaColours colours;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++colours.counts[image.pixel(x, y)];
    int most = 0;
    for (const auto& [rgb, count] : colours.counts) {
        if (count > most) {
            most = count;
            colours.background = rgb;
        }
    }
    return colours;
}

} // namespace testing_support
