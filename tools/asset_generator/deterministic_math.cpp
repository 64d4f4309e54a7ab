#include "deterministic_math.hpp"

#include <cmath>

namespace assetgen {

namespace {

// Taylor series; accurate to ~1e-16 on [-pi/2, pi/2].
double sineNearZero(double x) {
    const double square = x * x;
    double term = x;
    double sum = x;
    for (int n = 1; n <= 12; ++n) {
        term *= -square / ((2.0 * n) * (2.0 * n + 1.0));
        sum += term;
    }
    return sum;
}

// Series for |x| <= tan(pi/12), where it converges quickly.
double arcTangentNearZero(double x) {
    const double square = x * x;
    double power = x;
    double sum = x;
    for (int n = 1; n <= 12; ++n) {
        power *= -square;
        sum += power / (2.0 * n + 1.0);
    }
    return sum;
}

// atan for 0 <= x <= 1.
double arcTangentUnit(double x) {
    const double tanPiOver12 = 0.2679491924311227;
    if (x <= tanPiOver12) {
        return arcTangentNearZero(x);
    }
    // atan(x) = pi/6 + atan((x*sqrt3 - 1) / (x + sqrt3))
    const double sqrt3 = std::sqrt(3.0);
    return kPi / 6.0 + arcTangentNearZero((x * sqrt3 - 1.0) / (x + sqrt3));
}

} // namespace

double sine(double radians) {
    const double turn = 2.0 * kPi;
    double x = radians - turn * std::floor(radians / turn + 0.5); // now in [-pi, pi]
    if (x > kPi / 2.0) {
        x = kPi - x;
    } else if (x < -kPi / 2.0) {
        x = -kPi - x;
    }
    return sineNearZero(x);
}

double cosine(double radians) {
    return sine(radians + kPi / 2.0);
}

double arcTangent2(double y, double x) {
    const double ax = std::fabs(x);
    const double ay = std::fabs(y);
    if (ax == 0.0 && ay == 0.0) {
        return 0.0;
    }
    double angle = ay <= ax ? arcTangentUnit(ay / ax) : kPi / 2.0 - arcTangentUnit(ax / ay);
    if (x < 0.0) {
        angle = kPi - angle;
    }
    return y < 0.0 ? -angle : angle;
}

} // namespace assetgen
