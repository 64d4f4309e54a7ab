#include "geometry.hpp"

#include "deterministic_math.hpp"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {

double radians(double degrees) {
    return degrees * kPi / 180.0;
}

int stepsFor(double pathLength, double spacing) {
    return std::max(2, static_cast<int>(std::ceil(pathLength / spacing)));
}

} // namespace

double dot(Point a, Point b) {
    return a.x * b.x + a.y * b.y;
}

double length(Point v) {
    return std::sqrt(dot(v, v));
}

Point onEllipse(Point centre, double radiusX, double radiusY, double degrees) {
    const double a = radians(degrees);
    return {centre.x + radiusX * cosine(a), centre.y + radiusY * sine(a)};
}

std::vector<Point> ellipseArc(Point centre, double radiusX, double radiusY, double fromDegrees,
                              double toDegrees, double spacing) {
    const double approxLength =
        std::fabs(radians(toDegrees - fromDegrees)) * std::max(radiusX, radiusY);
    const int steps = stepsFor(approxLength, spacing);
    std::vector<Point> points;
    points.reserve(static_cast<std::size_t>(steps) + 1);
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        points.push_back(
            onEllipse(centre, radiusX, radiusY, fromDegrees + (toDegrees - fromDegrees) * t));
    }
    return points;
}

std::vector<Point> circleArc(Point centre, double radius, double fromDegrees, double toDegrees,
                             double spacing) {
    return ellipseArc(centre, radius, radius, fromDegrees, toDegrees, spacing);
}

std::vector<Point> spiral(Point centre, double innerRadius, double outerRadius, double fromDegrees,
                          double turns, double spacing) {
    const double approxLength = 2.0 * kPi * turns * (innerRadius + outerRadius) / 2.0;
    const int steps = stepsFor(approxLength, spacing);
    std::vector<Point> points;
    points.reserve(static_cast<std::size_t>(steps) + 1);
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        const double r = innerRadius + (outerRadius - innerRadius) * t;
        points.push_back(onEllipse(centre, r, r, fromDegrees + 360.0 * turns * t));
    }
    return points;
}

std::vector<Point> quadraticCurve(Point from, Point control, Point to, double spacing) {
    const double approxLength = length(control - from) + length(to - control);
    const int steps = stepsFor(approxLength, spacing);
    std::vector<Point> points;
    points.reserve(static_cast<std::size_t>(steps) + 1);
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        const double u = 1.0 - t;
        points.push_back(from * (u * u) + control * (2.0 * u * t) + to * (t * t));
    }
    return points;
}

std::vector<double> brushWidths(const std::vector<Point>& points, double width, double headShare,
                                double tailShare, double endShare) {
    std::vector<double> along(points.size(), 0.0);
    for (std::size_t i = 1; i < points.size(); ++i) {
        along[i] = along[i - 1] + length(points[i] - points[i - 1]);
    }
    const double total = along.empty() ? 0.0 : along.back();
    std::vector<double> widths;
    widths.reserve(points.size());
    for (const double s : along) {
        const double t = total > 0.0 ? s / total : 0.5;
        double share = 1.0;
        if (headShare > 0.0 && t < headShare) {
            share = endShare + (1.0 - endShare) * t / headShare;
        }
        if (tailShare > 0.0 && 1.0 - t < tailShare) {
            share = std::min(share, endShare + (1.0 - endShare) * (1.0 - t) / tailShare);
        }
        widths.push_back(width * share);
    }
    return widths;
}

} // namespace assetgen
