#include "rasterizer.hpp"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {

struct Bounds {
    double left;
    double top;
    double right;
    double bottom;
};

double distanceToSegment(Point p, Point a, Point b, double* along = nullptr) {
    const Point ab = b - a;
    const double lengthSquared = dot(ab, ab);
    double t = lengthSquared > 0.0 ? dot(p - a, ab) / lengthSquared : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    if (along != nullptr) {
        *along = t;
    }
    return length(p - (a + ab * t));
}

Bounds boundsOf(const Capsule& c, double grow) {
    const double r = std::max(c.radiusA, c.radiusB) + grow;
    return {std::min(c.a.x, c.b.x) - r, std::min(c.a.y, c.b.y) - r, std::max(c.a.x, c.b.x) + r,
            std::max(c.a.y, c.b.y) + r};
}

Bounds boundsOf(const Disc& d, double grow) {
    const double r = d.radius + grow;
    return {d.centre.x - r, d.centre.y - r, d.centre.x + r, d.centre.y + r};
}

Bounds boundsOf(const Polygon& polygon, double grow) {
    Bounds b{1e300, 1e300, -1e300, -1e300};
    for (const Point& p : polygon.points) {
        b = {std::min(b.left, p.x), std::min(b.top, p.y), std::max(b.right, p.x),
             std::max(b.bottom, p.y)};
    }
    return {b.left - grow, b.top - grow, b.right + grow, b.bottom + grow};
}

bool contains(const Capsule& c, Point p, double grow) {
    double t = 0.0;
    const double distance = distanceToSegment(p, c.a, c.b, &t);
    return distance <= c.radiusA + (c.radiusB - c.radiusA) * t + grow;
}

bool contains(const Disc& d, Point p, double grow) {
    return length(p - d.centre) <= d.radius + grow;
}

bool contains(const Polygon& polygon, Point p, double grow) {
    const auto& pts = polygon.points;
    bool inside = false;
    double nearest = 1e300;
    for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
        const Point a = pts[j];
        const Point b = pts[i];
        if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y)) {
            inside = !inside;
        }
        if (grow > 0.0) {
            nearest = std::min(nearest, distanceToSegment(p, a, b));
        }
    }
    return inside || (grow > 0.0 && nearest <= grow);
}

} // namespace

void Shape::addRectangle(double left, double top, double right, double bottom) {
    add(Polygon{{{left, top}, {right, top}, {right, bottom}, {left, bottom}}});
}

void Shape::addStroke(const std::vector<Point>& points, double width) {
    addStroke(points, std::vector<double>(points.size(), width));
}

void Shape::addStroke(const std::vector<Point>& points, const std::vector<double>& widths) {
    if (points.size() == 1) {
        add(Disc{points[0], widths[0] / 2.0});
    }
    for (std::size_t i = 1; i < points.size(); ++i) {
        add(Capsule{points[i - 1], points[i], widths[i - 1] / 2.0, widths[i] / 2.0});
    }
}

Coverage Rasterizer::cover(const Shape& shape, int width, int height, double grow) const {
    // Pixel bounds of the whole shape, clipped to the picture.
    Bounds all{1e300, 1e300, -1e300, -1e300};
    for (const Primitive& part : shape.parts) {
        const Bounds b = std::visit([&](const auto& p) { return boundsOf(p, grow); }, part);
        all = {std::min(all.left, b.left), std::min(all.top, b.top), std::max(all.right, b.right),
               std::max(all.bottom, b.bottom)};
    }
    Coverage coverage;
    coverage.samplesPerPixel = samples_ * samples_;
    if (shape.parts.empty()) {
        return coverage;
    }
    coverage.left = std::clamp(static_cast<int>(std::floor(all.left)), 0, width);
    coverage.top = std::clamp(static_cast<int>(std::floor(all.top)), 0, height);
    coverage.width = std::clamp(static_cast<int>(std::ceil(all.right)), 0, width) - coverage.left;
    coverage.height = std::clamp(static_cast<int>(std::ceil(all.bottom)), 0, height) - coverage.top;
    if (coverage.width <= 0 || coverage.height <= 0) {
        coverage.width = coverage.height = 0;
        return coverage;
    }

    // One flag per sample, so that overlapping parts count once.
    const int sampleWidth = coverage.width * samples_;
    const int sampleHeight = coverage.height * samples_;
    std::vector<std::uint8_t> inside(static_cast<std::size_t>(sampleWidth) * sampleHeight, 0);
    const double step = 1.0 / samples_;
    auto firstSample = [&](double from, int origin, int limit) {
        return std::clamp(static_cast<int>(std::floor((from - origin) * samples_)), 0, limit);
    };
    auto endSample = [&](double to, int origin, int limit) {
        return std::clamp(static_cast<int>(std::ceil((to - origin) * samples_)), 0, limit);
    };
    for (const Primitive& part : shape.parts) {
        std::visit(
            [&](const auto& primitive) {
                const Bounds b = boundsOf(primitive, grow);
                const int x0 = firstSample(b.left, coverage.left, sampleWidth);
                const int x1 = endSample(b.right, coverage.left, sampleWidth);
                const int y0 = firstSample(b.top, coverage.top, sampleHeight);
                const int y1 = endSample(b.bottom, coverage.top, sampleHeight);
                for (int sy = y0; sy < y1; ++sy) {
                    const double y = coverage.top + (sy + 0.5) * step;
                    std::uint8_t* row = &inside[static_cast<std::size_t>(sy) * sampleWidth];
                    for (int sx = x0; sx < x1; ++sx) {
                        if (row[sx] == 0 &&
                            contains(primitive, {coverage.left + (sx + 0.5) * step, y}, grow)) {
                            row[sx] = 1;
                        }
                    }
                }
            },
            part);
    }

    coverage.counts.assign(static_cast<std::size_t>(coverage.width) * coverage.height, 0);
    for (int sy = 0; sy < sampleHeight; ++sy) {
        const std::uint8_t* row = &inside[static_cast<std::size_t>(sy) * sampleWidth];
        std::uint16_t* counts =
            &coverage.counts[static_cast<std::size_t>(sy / samples_) * coverage.width];
        for (int sx = 0; sx < sampleWidth; ++sx) {
            counts[sx / samples_] += row[sx];
        }
    }
    return coverage;
}

} // namespace assetgen
