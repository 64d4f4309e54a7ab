#pragma once

#include "image.hpp"

#include <filesystem>

namespace assetgen {

// 8-bit RGBA, not interlaced. Throws std::runtime_error on failure.
void writePng(const std::filesystem::path& path, const Image& image);

} // namespace assetgen
