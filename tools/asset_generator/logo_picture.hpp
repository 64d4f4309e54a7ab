#pragma once

#include "image.hpp"

namespace assetgen {

inline constexpr int kLogoWidth = 1024;
inline constexpr int kLogoHeight = 1015;

// An emblem of curved brush strokes on transparency: a green spiral in black strokes, red arcs
// above, fans of blue dashes up and to the right, magenta wings below, orange flecks.
Image drawLogo();

} // namespace assetgen
