#include "image.hpp"

namespace assetgen {

namespace {

// Integer "source over" of one straight-alpha colour; alphas are 0..255.
Rgba over(Rgba source, int sourceAlpha, Rgba target) {
    const int keptAlpha = (target.a * (255 - sourceAlpha) + 127) / 255;
    const int alpha = sourceAlpha + keptAlpha;
    if (alpha == 0) {
        return {};
    }
    auto channel = [&](int s, int t) {
        return static_cast<std::uint8_t>((s * sourceAlpha + t * keptAlpha + alpha / 2) / alpha);
    };
    return {channel(source.r, target.r), channel(source.g, target.g), channel(source.b, target.b),
            static_cast<std::uint8_t>(alpha)};
}

} // namespace

Image::Image(int width, int height, Rgba fill)
    : width_(width), height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

void Image::paint(const Coverage& coverage, Rgba colour) {
    const int full = coverage.samplesPerPixel;
    for (int y = 0; y < coverage.height; ++y) {
        for (int x = 0; x < coverage.width; ++x) {
            const int count = coverage.at(x, y);
            if (count == 0) {
                continue;
            }
            const int alpha = (colour.a * count + full / 2) / full;
            Rgba& pixel = at(coverage.left + x, coverage.top + y);
            pixel = over(colour, alpha, pixel);
        }
    }
}

} // namespace assetgen
