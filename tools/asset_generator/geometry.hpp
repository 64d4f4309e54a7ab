#pragma once

#include <vector>

namespace assetgen {

struct Point {
    double x = 0.0;
    double y = 0.0;

    friend Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
    friend Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
    friend Point operator*(Point a, double s) { return {a.x * s, a.y * s}; }
};

double dot(Point a, Point b);
double length(Point v);

// Angles are in degrees, measured clockwise on screen (y grows downwards): 0 points right,
// 90 points down, -90 points up.
Point onEllipse(Point centre, double radiusX, double radiusY, double degrees);

// Points along an elliptical arc from one angle to the other, about one per `spacing` pixels.
std::vector<Point> ellipseArc(Point centre, double radiusX, double radiusY, double fromDegrees,
                              double toDegrees, double spacing = 2.0);

std::vector<Point> circleArc(Point centre, double radius, double fromDegrees, double toDegrees,
                             double spacing = 2.0);

// An Archimedean spiral whose radius grows evenly from `innerRadius` to `outerRadius`.
std::vector<Point> spiral(Point centre, double innerRadius, double outerRadius, double fromDegrees,
                          double turns, double spacing = 2.0);

// A quadratic Bezier curve from `from` to `to`, pulled towards `control`.
std::vector<Point> quadraticCurve(Point from, Point control, Point to, double spacing = 2.0);

// Widths of a brush stroke along the points: full `width` in the middle, thinning linearly over
// the first `headShare` and the last `tailShare` of its length down to `endShare` of the width.
std::vector<double> brushWidths(const std::vector<Point>& points, double width, double headShare,
                                double tailShare, double endShare = 0.25);

} // namespace assetgen
