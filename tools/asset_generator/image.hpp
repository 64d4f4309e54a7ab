#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace assetgen {

struct Rgba {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 0;

    friend bool operator==(const Rgba&, const Rgba&) = default;
};

// Per-pixel coverage of one shape, as a count of the sub-pixel samples inside it.
struct Coverage {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int samplesPerPixel = 1;
    std::vector<std::uint16_t> counts; // row-major, width * height

    int at(int x, int y) const { return counts[static_cast<std::size_t>(y) * width + x]; }
};

// A straight (not premultiplied) RGBA picture, rows top-down.
class Image {
public:
    Image(int width, int height, Rgba fill = {});

    int width() const { return width_; }
    int height() const { return height_; }

    Rgba& at(int x, int y) { return pixels_[index(x, y)]; }
    const Rgba& at(int x, int y) const { return pixels_[index(x, y)]; }

    // Paints `colour` over the picture, weighted by the coverage ("source over" compositing).
    void paint(const Coverage& coverage, Rgba colour);

private:
    std::size_t index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }

    int width_;
    int height_;
    std::vector<Rgba> pixels_;
};

} // namespace assetgen
