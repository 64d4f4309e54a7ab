#include "logo_picture.hpp"

#include "geometry.hpp"
#include "random.hpp"
#include "rasterizer.hpp"

namespace assetgen {

namespace {

constexpr Rgba kGreen{38, 150, 62, 255};
constexpr Rgba kBlack{24, 22, 22, 255};
constexpr Rgba kRed{214, 34, 42, 255};
constexpr Rgba kBlue{34, 96, 196, 255};
constexpr Rgba kMagenta{222, 48, 150, 255};
constexpr Rgba kOrange{244, 142, 24, 255};

constexpr Point kCentre{484.0, 470.0};

class Painter {
public:
    explicit Painter(Image& image) : image_(image), rasterizer_(4) {}

    // A brush stroke that swells from a thin head and thins out again at its tail.
    void brush(const std::vector<Point>& points, double width, Rgba colour, double head = 0.2,
               double tail = 0.35) {
        Shape shape;
        shape.addStroke(points, brushWidths(points, width, head, tail));
        rasterizer_.fill(image_, shape, colour);
    }

private:
    Image& image_;
    Rasterizer rasterizer_;
};

void paintSpiral(Painter& painter) {
    painter.brush(spiral(kCentre, 6.0, 118.0, 200.0, 2.6), 19.0, kGreen, 0.3, 0.12);
}

void paintBlackRing(Painter& painter) {
    struct Arc {
        double radiusX, radiusY, from, to, width;
    };
    const Arc arcs[] = {{160, 150, -150, -60, 20}, {170, 160, -45, 35, 18},
                        {158, 168, 50, 130, 22},   {176, 158, 142, 205, 17},
                        {196, 186, -20, 60, 9},    {190, 200, 150, 230, 9}};
    for (const Arc& a : arcs) {
        painter.brush(ellipseArc(kCentre, a.radiusX, a.radiusY, a.from, a.to), a.width, kBlack);
    }
}

void paintRedArcs(Painter& painter) {
    const double radii[] = {230.0, 262.0, 294.0};
    const double spans[][2] = {{-168, -40}, {-155, -25}, {-140, -52}};
    for (int i = 0; i < 3; ++i) {
        painter.brush(circleArc(kCentre, radii[i], spans[i][0], spans[i][1]), 17.0 - 2.0 * i, kRed);
    }
}

// Rows of short dashes, each row running outwards along a ray, the rays fanning from straight
// up to the right.
void paintBlueFans(Painter& painter) {
    for (int ray = 0; ray < 6; ++ray) {
        const double angle = -75.0 + 15.0 * ray;
        for (int dash = 0; dash < 4; ++dash) {
            const double inner = 310.0 + 34.0 * dash + 6.0 * (ray % 2);
            const Point from = onEllipse(kCentre, inner, inner, angle);
            const Point to = onEllipse(kCentre, inner + 26.0, inner + 26.0, angle + 2.5);
            painter.brush({from, (from + to) * 0.5 + Point{1.5, -1.5}, to}, 13.0, kBlue, 0.3, 0.5);
        }
    }
}

// Feathers curving out from under the centre to the lower left and right, like spread wings.
void paintWings(Painter& painter) {
    for (int side = -1; side <= 1; side += 2) {
        for (int feather = 0; feather < 5; ++feather) {
            const Point root{kCentre.x + side * (70.0 + 12.0 * feather),
                             kCentre.y + 210.0 + 22.0 * feather};
            const Point bulge{kCentre.x + side * 270.0, kCentre.y + 120.0 + 48.0 * feather};
            const Point tip{kCentre.x + side * (440.0 - 28.0 * feather),
                            kCentre.y + 270.0 + 50.0 * feather};
            painter.brush(quadraticCurve(root, bulge, tip), 24.0 - 2.0 * feather, kMagenta, 0.1,
                          0.6);
        }
    }
}

void paintOrangeFlecks(Painter& painter) {
    Random random(0x0F0CA71A);
    for (int i = 0; i < 14; ++i) {
        const double angle = random.uniform(-180.0, 180.0);
        const double radius = random.uniform(210.0, 330.0);
        const Point from = onEllipse(kCentre, radius, radius * 0.95, angle);
        const Point to = from + onEllipse({}, 32.0, 32.0, angle + random.uniform(60.0, 120.0));
        painter.brush({from, to}, 13.0, kOrange, 0.3, 0.5);
    }
}

} // namespace

Image drawLogo() {
    Image image(kLogoWidth, kLogoHeight);
    Painter painter(image);
    paintWings(painter);
    paintRedArcs(painter);
    paintBlueFans(painter);
    paintBlackRing(painter);
    paintSpiral(painter);
    paintOrangeFlecks(painter);
    return image;
}

} // namespace assetgen
