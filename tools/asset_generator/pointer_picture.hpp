#pragma once

#include "image.hpp"

namespace assetgen {

// Where the raised fingertip of the pointer is: the pointer's hot spot.
inline constexpr int kPointerHotSpotX = 6;
inline constexpr int kPointerHotSpotY = 0;
inline constexpr int kPointerSize = 32;

// A yellow hand with a black outline pointing up with its index finger, on transparency.
Image drawPointer();

} // namespace assetgen
