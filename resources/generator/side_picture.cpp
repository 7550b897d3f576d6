// The main window's side picture: the Earth from space under a starry sky, a
// man's silhouette at the lower right and two columns of vertical text.
#include "pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <random>

namespace generator {
namespace {

constexpr int kWidth = 150;
constexpr int kHeight = 506;
// The window cuts the rightmost 9 columns off.
constexpr double kVisibleWidth = kWidth - 9;

// The planet: a large disk whose limb crosses the picture below the text.
constexpr double kPlanetX = 30.0;
constexpr double kPlanetY = 640.0;
constexpr double kPlanetR = 330.0;

// Smooth value noise on a fixed lattice, so the picture is the same on every run.
class ValueNoise {
public:
    explicit ValueNoise(std::uint32_t seed) {
        std::mt19937 rng(seed);
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        for (double& v : lattice_) {
            v = unit(rng);
        }
    }

    double fractal(double x, double y, int octaves) const {
        double sum = 0.0;
        double amplitude = 0.5;
        double total = 0.0;
        for (int i = 0; i < octaves; ++i) {
            sum += amplitude * at(x, y);
            total += amplitude;
            x *= 2.03;
            y *= 2.03;
            amplitude *= 0.5;
        }
        return sum / total;
    }

private:
    static constexpr int kN = 64;
    std::array<double, kN * kN> lattice_{};

    double cell(int x, int y) const {
        const int ix = ((x % kN) + kN) % kN;
        const int iy = ((y % kN) + kN) % kN;
        return lattice_[static_cast<std::size_t>(iy * kN + ix)];
    }

    double at(double x, double y) const {
        const double fx = std::floor(x);
        const double fy = std::floor(y);
        const int x0 = static_cast<int>(fx);
        const int y0 = static_cast<int>(fy);
        const double tx = (x - fx) * (x - fx) * (3.0 - 2.0 * (x - fx));
        const double ty = (y - fy) * (y - fy) * (3.0 - 2.0 * (y - fy));
        const double a = cell(x0, y0) + (cell(x0 + 1, y0) - cell(x0, y0)) * tx;
        const double b = cell(x0, y0 + 1) + (cell(x0 + 1, y0 + 1) - cell(x0, y0 + 1)) * tx;
        return a + (b - a) * ty;
    }
};

double smoothstep(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

int channel(double v) {
    return static_cast<int>(std::lround(std::clamp(v, 0.0, 255.0)));
}

void drawSky(QPainter& p) {
    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0.0, QColor(0x01, 0x02, 0x07));
    sky.setColorAt(0.45, QColor(0x04, 0x08, 0x16));
    sky.setColorAt(0.62, QColor(0x0a, 0x16, 0x33));
    p.fillRect(QRect(0, 0, kWidth, kHeight), sky);

    std::mt19937 rng(19491001u);
    std::uniform_real_distribution<double> x(0.0, kWidth);
    std::uniform_real_distribution<double> y(0.0, kPlanetY - kPlanetR + 10.0);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int i = 0; i < 260; ++i) {
        const QPointF at(x(rng), y(rng));
        const double b = unit(rng);
        const int alpha = channel(40.0 + 215.0 * b * b);
        const QColor tint =
            unit(rng) < 0.2 ? QColor(0xc8, 0xd8, 0xff, alpha) : QColor(0xff, 0xfb, 0xf0, alpha);
        if (b > 0.93) {
            QRadialGradient halo(at, 2.6);
            halo.setColorAt(0.0, tint);
            halo.setColorAt(1.0, QColor(tint.red(), tint.green(), tint.blue(), 0));
            p.setPen(Qt::NoPen);
            p.setBrush(halo);
            p.drawEllipse(at, 2.6, 2.6);
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(tint);
            p.drawEllipse(at, 0.55, 0.55);
        }
    }
}

// Shades every pixel of the planet and its atmosphere directly.
void drawPlanet(QImage& image) {
    const ValueNoise land(7u);
    const ValueNoise clouds(11u);
    // Sunlight from the upper left, slightly towards the viewer.
    const double sun[3] = {-0.55, -0.62, 0.56};
    for (int py = 0; py < kHeight; ++py) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(py));
        for (int px = 0; px < kWidth; ++px) {
            const double dx = (px + 0.5 - kPlanetX) / kPlanetR;
            const double dy = (py + 0.5 - kPlanetY) / kPlanetR;
            const double d = std::sqrt(dx * dx + dy * dy);
            const QColor under = QColor::fromRgb(row[px]);
            double r = under.red();
            double g = under.green();
            double b = under.blue();
            const double edge = (d - 1.0) * kPlanetR; // pixels outside the limb
            if (edge < 1.0) {
                const double nz = std::sqrt(std::max(0.0, 1.0 - d * d));
                const double light = std::max(0.0, dx * sun[0] + dy * sun[1] + nz * sun[2]);
                // Texture coordinates on the sphere.
                const double lon = std::atan2(dx, nz);
                const double lat = std::asin(std::clamp(dy, -1.0, 1.0));
                const double u = lon * 9.0 + 3.0;
                const double v = lat * 9.0 + 5.0;
                const double h = land.fractal(u, v, 6);
                const double isLand = smoothstep(0.565, 0.59, h);
                // Dry land is tan, wet land green; oceans deepen away from the coast.
                const double dry = smoothstep(0.45, 0.6, land.fractal(u * 2.1 + 17.0, v * 2.1, 4));
                const double c =
                    0.92 * smoothstep(0.52, 0.8, clouds.fractal(u * 1.4 + 9.0, v * 3.0, 6));
                const double depth = smoothstep(0.35, 0.53, h);
                double sr = 0x06 + 0x16 * depth;
                double sg = 0x1e + 0x3a * depth;
                double sb = 0x5c + 0x48 * depth;
                const double lr = 0x3c + (0x9a - 0x3c) * dry + 0x40 * (h - 0.58);
                const double lg = 0x5a + (0x86 - 0x5a) * dry + 0x30 * (h - 0.58);
                const double lb = 0x28 + (0x55 - 0x28) * dry;
                sr += (lr - sr) * isLand;
                sg += (lg - sg) * isLand;
                sb += (lb - sb) * isLand;
                sr += (0xf4 - sr) * c;
                sg += (0xf7 - sg) * c;
                sb += (0xff - sb) * c;
                const double shade = 0.10 + 1.05 * light;
                // Blue haze thickening towards the limb.
                const double haze = std::pow(1.0 - nz, 3.0);
                sr = sr * shade * (1.0 - haze) + 0x6f * haze * (0.3 + light);
                sg = sg * shade * (1.0 - haze) + 0xb4 * haze * (0.3 + light);
                sb = sb * shade * (1.0 - haze) + 0xff * haze * (0.3 + light);
                const double cover = std::clamp(1.0 - edge, 0.0, 1.0); // anti-aliased limb
                r += (sr - r) * cover;
                g += (sg - g) * cover;
                b += (sb - b) * cover;
            }
            if (edge > -2.0) {
                // Atmosphere glow outside the limb, brightest on the sunlit side.
                const double side =
                    std::clamp(0.45 + 0.9 * (-(dx * sun[0] + dy * sun[1])), 0.2, 1.0);
                const double glow = std::exp(-std::max(edge, 0.0) / 5.5) * side;
                r += 0x50 * glow;
                g += 0x9a * glow;
                b += 0xff * glow;
            }
            row[px] = qRgb(channel(r), channel(g), channel(b));
        }
    }
}

// A man standing with his weight on both feet, seen from the front.
QPainterPath manSilhouette(double cx, double feet, double height) {
    const double s = height / 170.0; // drawn in centimetres
    auto pt = [&](double x, double y) { return QPointF(cx + x * s, feet - y * s); };
    QPainterPath body;
    body.addEllipse(pt(0, 159), 9.0 * s, 11.0 * s);
    QPainterPath torso;
    torso.moveTo(pt(-5, 147));
    torso.lineTo(pt(5, 147));
    torso.lineTo(pt(6, 142));
    torso.cubicTo(pt(16, 141), pt(22, 139), pt(23, 133));
    torso.lineTo(pt(26, 100));
    torso.lineTo(pt(25, 76));
    torso.lineTo(pt(19, 76));
    torso.lineTo(pt(18, 100));
    torso.lineTo(pt(16, 112));
    torso.lineTo(pt(15, 86));
    torso.lineTo(pt(13, 4));
    torso.lineTo(pt(20, 1));
    torso.lineTo(pt(20, -1));
    torso.lineTo(pt(3, -1));
    torso.lineTo(pt(2, 78));
    torso.lineTo(pt(-2, 78));
    torso.lineTo(pt(-3, -1));
    torso.lineTo(pt(-20, -1));
    torso.lineTo(pt(-20, 1));
    torso.lineTo(pt(-13, 4));
    torso.lineTo(pt(-15, 86));
    torso.lineTo(pt(-16, 112));
    torso.lineTo(pt(-18, 100));
    torso.lineTo(pt(-19, 76));
    torso.lineTo(pt(-25, 76));
    torso.lineTo(pt(-26, 100));
    torso.lineTo(pt(-23, 133));
    torso.cubicTo(pt(-22, 139), pt(-16, 141), pt(-6, 142));
    torso.closeSubpath();
    return body.united(torso);
}

void drawColumn(QPainter& p, const QFont& font, double centreX, double top, double pitch,
                const QString& text) {
    requireGlyphs(font, text);
    p.setFont(font);
    const QFontMetricsF metrics(font);
    double y = top + metrics.ascent();
    for (const QChar ch : text) {
        const QString glyph(ch);
        const double x = centreX - metrics.horizontalAdvance(glyph) / 2.0;
        p.setPen(QColor(0, 0, 0, 150));
        p.drawText(QPointF(x + 1.5, y + 1.5), glyph);
        p.setPen(Qt::white);
        p.drawText(QPointF(x, y), glyph);
        y += pitch;
    }
}

} // namespace

QImage drawSidePicture() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        drawSky(p);
    }
    drawPlanet(image);

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // The man, lit from the left by the planet's glow.
    const QPainterPath man = manSilhouette(108.0, 498.0, 132.0);
    p.setPen(QPen(QColor(0x7f, 0xb4, 0xe8, 150), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(man.translated(-0.8, -0.4));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x04, 0x06, 0x0b));
    p.drawPath(man);

    // Two columns read from top to bottom; the right one is read first.
    const QFont font = requireFont(kChineseFamily, 27, true);
    const double pitch = 30.0;
    drawColumn(p, font, kVisibleWidth - 26.0, 16.0, pitch, QString::fromUtf8("穹岳科技数据研究院"));
    drawColumn(p, font, kVisibleWidth - 66.0, 46.0, pitch, QString::fromUtf8("数字取证"));
    drawColumn(p, font, kVisibleWidth - 66.0, 46.0 + 4 * pitch + 18.0, pitch,
               QString::fromUtf8("协助案件"));
    p.end();
    return image;
}

} // namespace generator
