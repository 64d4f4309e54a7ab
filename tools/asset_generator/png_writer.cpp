#include "png_writer.hpp"

#include <png.h>

#include <cstring>
#include <stdexcept>

namespace assetgen {

void writePng(const std::filesystem::path& path, const Image& image) {
    png_image header;
    std::memset(&header, 0, sizeof header);
    header.version = PNG_IMAGE_VERSION;
    header.width = static_cast<png_uint_32>(image.width());
    header.height = static_cast<png_uint_32>(image.height());
    header.format = PNG_FORMAT_RGBA;
    static_assert(sizeof(Rgba) == 4, "pixels are handed to libpng as packed RGBA bytes");
    const int rowBytes = image.width() * 4;
    if (png_image_write_to_file(&header, path.c_str(), 0, &image.at(0, 0), rowBytes, nullptr) ==
        0) {
        const std::string message = header.message;
        png_image_free(&header);
        throw std::runtime_error("cannot write " + path.string() + ": " + message);
    }
}

} // namespace assetgen
