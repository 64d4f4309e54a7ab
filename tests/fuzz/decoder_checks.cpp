#include "decoder_checks.h"

#include "ui/pictures/decode_limits.h"
#include "ui/pictures/gif_canvas.h"
#include "ui/pictures/gif_decoder.h"
#include "ui/pictures/icon_file.h"
#include "ui/pictures/logo_display.h"
#include "ui/pictures/png_decoder.h"

#include <cstdio>
#include <cstdlib>

namespace pictures::fuzzing {
namespace {

// Drawing allocates the whole screen; beyond this the runs get slow without finding more.
constexpr std::int64_t kMaxDrawnScreenPixels = 1024 * 1024;

void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "decoder check failed: %s\n", what);
        std::abort();
    }
}

void checkImage(const RgbaImage& image) {
    require(image.width > 0 && image.height > 0, "image has a size");
    require(std::int64_t{image.width} * image.height <= kMaxPicturePixels, "image within the cap");
    require(image.rgba.size() == static_cast<std::size_t>(image.width) * image.height * 4,
            "four bytes a pixel");
}

} // namespace

bool checkPng(std::span<const std::uint8_t> bytes) {
    auto image = decodePng(bytes);
    if (!image) {
        return false;
    }
    checkImage(*image);
    flattenOnto(*image, 255, 255, 255);
    const Placement p = centredShrinkToFit(139, 136, image->width, image->height);
    require(p.left >= 0 && p.top >= 0 && p.left + p.width <= 139 && p.top + p.height <= 136,
            "placement inside the box");
    return true;
}

bool checkGif(std::span<const std::uint8_t> bytes) {
    const auto animation = decodeGif(bytes);
    if (!animation) {
        return false;
    }
    require(animation->width > 0 && animation->height > 0, "screen has a size");
    require(std::int64_t{animation->width} * animation->height <= kMaxPicturePixels,
            "screen within the cap");
    require(!animation->frames.empty(), "at least one frame");
    for (const GifFrame& frame : animation->frames) {
        require(frame.left >= 0 && frame.top >= 0 && frame.width >= 0 && frame.height >= 0 &&
                    frame.left + frame.width <= animation->width &&
                    frame.top + frame.height <= animation->height,
                "frame clipped to the screen");
        require(frame.indices.size() == static_cast<std::size_t>(frame.width) * frame.height,
                "one index a pixel");
    }
    if (std::int64_t{animation->width} * animation->height <= kMaxDrawnScreenPixels) {
        GifCanvas canvas(animation->width, animation->height, 0xFFFFFFFF);
        for (const GifFrame& frame : animation->frames) {
            canvas.draw(frame);
        }
    }
    return true;
}

bool checkIconFile(std::span<const std::uint8_t> bytes) {
    const auto images = decodeIconFile(bytes);
    if (!images) {
        return false;
    }
    require(!images->empty(), "at least one image");
    for (const IconImage& icon : *images) {
        checkImage(icon.image);
        require(icon.width == icon.image.width && icon.height == icon.image.height, "sizes agree");
    }
    const IconImage* chosen = chooseWindowIcon(*images, 32);
    require(chosen >= images->data() && chosen < images->data() + images->size(),
            "chosen icon is one of the images");
    return true;
}

} // namespace pictures::fuzzing
