#pragma once

#include "image.hpp"

namespace assetgen {

// The program's icon: a 3 x 3 number grid, fully opaque, `size` x `size` pixels.
Image drawIcon(int size);

} // namespace assetgen
