#pragma once

#include "geometry.hpp"
#include "image.hpp"

#include <utility>
#include <variant>
#include <vector>

namespace assetgen {

// A segment with round ends whose radius changes linearly from `a` to `b` (a brush dab chain).
struct Capsule {
    Point a;
    Point b;
    double radiusA = 1.0;
    double radiusB = 1.0;
};

struct Disc {
    Point centre;
    double radius = 1.0;
};

// Filled with the even-odd rule.
struct Polygon {
    std::vector<Point> points;
};

using Primitive = std::variant<Capsule, Disc, Polygon>;

// The union of its parts.
struct Shape {
    std::vector<Primitive> parts;

    void add(Primitive part) { parts.push_back(std::move(part)); }
    void addRectangle(double left, double top, double right, double bottom);
    // A line through the points with a round pen of the given width.
    void addStroke(const std::vector<Point>& points, double width);
    // A line whose width at each point is given (a brush stroke); both vectors have equal size.
    void addStroke(const std::vector<Point>& points, const std::vector<double>& widths);
};

// Anti-aliasing by supersampling: each pixel is tested at samples x samples points.
class Rasterizer {
public:
    explicit Rasterizer(int samples) : samples_(samples) {}

    // Coverage of the shape grown outwards by `grow` pixels (for outlines), clipped to the
    // picture of the given size.
    Coverage cover(const Shape& shape, int width, int height, double grow = 0.0) const;

    void fill(Image& image, const Shape& shape, Rgba colour, double grow = 0.0) const {
        image.paint(cover(shape, image.width(), image.height(), grow), colour);
    }

private:
    int samples_;
};

} // namespace assetgen
