#include "pointer_picture.hpp"

#include "rasterizer.hpp"

namespace assetgen {

namespace {

constexpr Rgba kFill{251, 243, 4, 255};
constexpr Rgba kOutline{0, 0, 0, 255};
constexpr double kOutlineWidth = 1.25;

// Centre line x of the index finger, on the hot spot pixel's centre.
constexpr double kFingerX = kPointerHotSpotX + 0.5;
constexpr double kFingerRadius = 2.6;

Shape hand() {
    Shape shape;
    // The raised index finger; its outline reaches up to the hot spot row.
    const double tipCentreY = kPointerHotSpotY + kOutlineWidth + kFingerRadius - 0.25;
    shape.add(Capsule{{kFingerX, tipCentreY}, {kFingerX, 18.0}, kFingerRadius, kFingerRadius});
    // Three curled fingers, their knuckles stepping down to the right.
    shape.add(Capsule{{12.5, 13.0}, {12.5, 19.0}, 2.5, 2.5});
    shape.add(Capsule{{18.5, 14.2}, {18.5, 19.5}, 2.5, 2.5});
    shape.add(Capsule{{24.2, 15.8}, {24.2, 20.5}, 2.2, 2.2});
    // The palm, narrowing to the wrist.
    shape.add(Polygon{{{kFingerX - kFingerRadius, 16.0},
                       {26.0, 17.5},
                       {26.3, 23.0},
                       {23.5, 27.5},
                       {10.0, 27.5},
                       {kFingerX - kFingerRadius, 23.5}}});
    // The thumb, bent out to the left.
    shape.add(Capsule{{6.5, 23.0}, {2.6, 17.0}, 2.4, 2.0});
    // The cuff.
    shape.addRectangle(10.0, 27.5, 23.5, 30.5);
    return shape;
}

// One pixel wide lines, on pixel centres so that they stay crisp, that set the fingers and the
// cuff apart.
Shape creases() {
    Shape shape;
    shape.addStroke({{9.5, 12.5}, {9.5, 19.5}}, 1.0);
    shape.addStroke({{15.5, 14.5}, {15.5, 19.8}}, 1.0);
    shape.addStroke({{21.5, 16.0}, {21.5, 20.6}}, 1.0);
    shape.addStroke({{10.0, 27.5}, {23.5, 27.5}}, 1.0);
    return shape;
}

} // namespace

Image drawPointer() {
    Image image(kPointerSize, kPointerSize);
    const Rasterizer rasterizer(8);
    const Shape shape = hand();
    rasterizer.fill(image, shape, kOutline, kOutlineWidth);
    rasterizer.fill(image, shape, kFill);
    rasterizer.fill(image, creases(), kOutline);
    return image;
}

} // namespace assetgen
