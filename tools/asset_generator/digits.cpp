#include "digits.hpp"

#include <stdexcept>

namespace assetgen {

namespace {

using Strokes = std::vector<std::vector<Point>>;

constexpr double kRight = kDigitWidth;
constexpr double kMiddle = kDigitWidth / 2.0;
constexpr double kSpacing = 0.02;

std::vector<Point> arc(Point centre, double rx, double ry, double from, double to) {
    return ellipseArc(centre, rx, ry, from, to, kSpacing);
}

// Joins the pieces into one continuous stroke.
std::vector<Point> chain(std::initializer_list<std::vector<Point>> pieces) {
    std::vector<Point> joined;
    for (const auto& piece : pieces) {
        joined.insert(joined.end(), piece.begin(), piece.end());
    }
    return joined;
}

Strokes one() {
    return {{{0.10, 0.20}, {0.36, 0.0}, {0.36, 1.0}}};
}

Strokes two() {
    return {chain({arc({kMiddle, 0.28}, 0.27, 0.27, 195, 380), {{0.0, 1.0}, {kRight, 1.0}}})};
}

Strokes three() {
    return {chain(
        {arc({kMiddle, 0.25}, 0.26, 0.24, 200, 450), arc({kMiddle, 0.72}, 0.30, 0.27, -90, 160)})};
}

Strokes four() {
    return {{{0.45, 1.0}, {0.45, 0.0}, {0.0, 0.68}, {kRight, 0.68}}};
}

Strokes five() {
    return {chain({{{0.56, 0.0}, {0.10, 0.0}, {0.06, 0.46}},
                   arc({kMiddle - 0.01, 0.68}, 0.29, 0.31, -125, 150)})};
}

Strokes six() {
    return {chain(
        {arc({0.66, 0.62}, 0.63, 0.62, -100, -175), arc({kMiddle, 0.69}, 0.29, 0.31, 180, 540)})};
}

Strokes seven() {
    return {{{0.0, 0.0}, {kRight, 0.0}, {0.20, 1.0}}};
}

Strokes eight() {
    return {arc({kMiddle, 0.25}, 0.24, 0.24, 0, 360), arc({kMiddle, 0.72}, 0.29, 0.28, 0, 360)};
}

Strokes nine() {
    return {
        chain({arc({kMiddle, 0.31}, 0.29, 0.31, 0, 360), arc({-0.04, 0.38}, 0.63, 0.62, 0, 80)})};
}

} // namespace

std::vector<std::vector<Point>> digitStrokes(int digit) {
    switch (digit) {
    case 1:
        return one();
    case 2:
        return two();
    case 3:
        return three();
    case 4:
        return four();
    case 5:
        return five();
    case 6:
        return six();
    case 7:
        return seven();
    case 8:
        return eight();
    case 9:
        return nine();
    default:
        throw std::invalid_argument("only the digits 1 to 9 have glyphs");
    }
}

std::vector<std::vector<Point>> placeDigit(int digit, Point origin, double height) {
    Strokes strokes = digitStrokes(digit);
    for (auto& stroke : strokes) {
        for (Point& p : stroke) {
            p = origin + p * height;
        }
    }
    return strokes;
}

} // namespace assetgen
