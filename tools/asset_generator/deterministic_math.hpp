#pragma once

// Trigonometry built only from IEEE-exact operations (+, -, *, /, sqrt), so that the generated
// pictures come out byte for byte the same whatever maths library the machine has.
namespace assetgen {

inline constexpr double kPi = 3.14159265358979323846;

double sine(double radians);
double cosine(double radians);
double arcTangent2(double y, double x);

} // namespace assetgen
