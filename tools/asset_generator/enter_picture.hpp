#pragma once

#include "gif_writer.hpp"

namespace assetgen {

inline constexpr int kEnterSize = 400;
inline constexpr int kEnterColouringFrames = 26;
inline constexpr int kEnterHoldFramesBefore = 2; // after the grey frame
inline constexpr int kEnterHoldFramesAfter = 8;  // after the last colouring step

// The animated fingerprint: grey at first, then recoloured ridge by ridge from the top down,
// yellow-orange through orange to red, then held.
GifAnimation drawEnterAnimation();

} // namespace assetgen
