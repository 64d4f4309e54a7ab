#pragma once

#include "ui/pictures/gif_decoder.h"

#include <chrono>

namespace pictures {

// How long a frame stays before the next one: its delay in hundredths of a second; a delay of 0
// counts as 50 ms.
std::chrono::milliseconds frameDelay(const GifFrame& frame);

} // namespace pictures
