#include "png_fixture.h"

#include <png.h>

#include <csetjmp>
#include <stdexcept>

namespace pictures::fixtures {
namespace {

void appendToVector(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void flushNothing(png_structp) {}

int channels(int colourType) {
    switch (colourType) {
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        return 2;
    case PNG_COLOR_TYPE_RGB:
        return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA:
        return 4;
    default: // grey, palette
        return 1;
    }
}

// Writes everything between setjmp and the end; kept apart so no C++ object lives in the frame
// that libpng may longjmp into.
bool write(png_structp png, png_infop info, const PngPicture& picture,
           std::vector<std::uint8_t>& out, std::vector<png_bytep>& rows, std::size_t rowBytes,
           std::vector<png_color>& palette) {
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_set_write_fn(png, &out, appendToVector, flushNothing);
    png_set_IHDR(png, info, picture.width, picture.height, picture.bitDepth, picture.colourType,
                 picture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!palette.empty()) {
        png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    }
    if (!picture.paletteAlpha.empty()) {
        png_set_tRNS(png, info, picture.paletteAlpha.data(),
                     static_cast<int>(picture.paletteAlpha.size()), nullptr);
    }
    png_write_info(png, info);
    for (std::size_t y = 0; y < rows.size(); ++y) {
        rows[y] = const_cast<png_bytep>(picture.samples.data() + y * rowBytes);
    }
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    return true;
}

} // namespace

std::vector<std::uint8_t> encodePng(const PngPicture& picture) {
    const std::size_t rowBytes =
        (static_cast<std::size_t>(picture.width) * channels(picture.colourType) * picture.bitDepth +
         7) /
        8;
    if (picture.samples.size() != rowBytes * picture.height) {
        throw std::invalid_argument("PNG fixture: sample count does not match the size");
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::vector<std::uint8_t> out;
    std::vector<png_bytep> rows(picture.height);
    std::vector<png_color> palette;
    for (const auto& [r, g, b] : picture.palette) {
        palette.push_back({r, g, b});
    }
    const bool ok = write(png, info, picture, out, rows, rowBytes, palette);
    png_destroy_write_struct(&png, &info);
    if (!ok) {
        throw std::runtime_error("PNG fixture: libpng refused the picture");
    }
    return out;
}

std::vector<std::uint8_t> encodeRgbaPng(int width, int height, std::vector<std::uint8_t> rgba) {
    return encodePng({.width = width,
                      .height = height,
                      .colourType = PNG_COLOR_TYPE_RGB_ALPHA,
                      .samples = std::move(rgba)});
}

} // namespace pictures::fixtures
