#include "asset_readers.hpp"

#include <png.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace assettest {

namespace {

std::uint32_t littleEndian(const std::vector<std::uint8_t>& bytes, std::size_t at, int width) {
    if (at + static_cast<std::size_t>(width) > bytes.size()) {
        throw std::runtime_error("file ends inside a field");
    }
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i) {
        value = value << 8 | bytes[at + static_cast<std::size_t>(i)];
    }
    return value;
}

void decodeBitmap(const std::vector<std::uint8_t>& bytes, IconFileImage& image) {
    const std::size_t at = image.offset;
    image.bitmapWidth = static_cast<int>(littleEndian(bytes, at + 4, 4));
    image.bitmapHeight = static_cast<int>(littleEndian(bytes, at + 8, 4));
    image.bitmapBits = static_cast<int>(littleEndian(bytes, at + 14, 2));
    image.bitmapCompression = static_cast<int>(littleEndian(bytes, at + 16, 4));
    if (littleEndian(bytes, at, 4) != 40 || image.bitmapBits != 32) {
        throw std::runtime_error("not a 32-bit bitmap with a 40-byte header");
    }
    const int width = image.bitmapWidth;
    const int height = image.bitmapHeight / 2;
    Picture& picture = image.picture;
    picture.width = width;
    picture.height = height;
    picture.pixels.resize(static_cast<std::size_t>(width) * height);
    image.maskedOut.resize(picture.pixels.size());
    const std::size_t colours = at + 40;
    const std::size_t maskRow = static_cast<std::size_t>((width + 31) / 32 * 4);
    const std::size_t mask = colours + static_cast<std::size_t>(width) * height * 4;
    if (mask + maskRow * height > bytes.size()) {
        throw std::runtime_error("bitmap runs past the end of the file");
    }
    for (int y = 0; y < height; ++y) {
        const std::size_t row = static_cast<std::size_t>(height - 1 - y); // stored bottom-up
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* bgra = &bytes[colours + (row * width + x) * 4];
            const std::size_t to = static_cast<std::size_t>(y) * width + x;
            picture.pixels[to] = {bgra[2], bgra[1], bgra[0], bgra[3]};
            image.maskedOut[to] = (bytes[mask + row * maskRow + x / 8] & (0x80 >> (x % 8))) != 0;
        }
    }
}

} // namespace

std::filesystem::path assetPath(const std::string& name) {
    return std::filesystem::path(FOKARIUM_ASSET_DIR) / name;
}

std::vector<std::uint8_t> readBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw std::runtime_error("cannot open " + path.string());
    }
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

Picture readPng(const std::filesystem::path& path) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
        throw std::runtime_error("cannot read " + path.string() + ": " + image.message);
    }
    image.format = PNG_FORMAT_RGBA;
    Picture picture;
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    picture.pixels.resize(static_cast<std::size_t>(picture.width) * picture.height);
    if (png_image_finish_read(&image, nullptr, picture.pixels.data(), 0, nullptr) == 0) {
        const std::string message = image.message;
        png_image_free(&image);
        throw std::runtime_error("cannot decode " + path.string() + ": " + message);
    }
    return picture;
}

IconFile readIconFile(const std::filesystem::path& path) {
    const std::vector<std::uint8_t> bytes = readBytes(path);
    IconFile file;
    file.fileBytes = bytes.size();
    if (littleEndian(bytes, 0, 2) != 0) {
        throw std::runtime_error("reserved field is not 0");
    }
    file.type = static_cast<int>(littleEndian(bytes, 2, 2));
    const int count = static_cast<int>(littleEndian(bytes, 4, 2));
    for (int i = 0; i < count; ++i) {
        const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
        IconFileImage image;
        image.entryWidth = static_cast<int>(littleEndian(bytes, entry, 1));
        image.entryHeight = static_cast<int>(littleEndian(bytes, entry + 1, 1));
        image.paletteColours = static_cast<int>(littleEndian(bytes, entry + 2, 1));
        image.planesOrHotSpotX = static_cast<int>(littleEndian(bytes, entry + 4, 2));
        image.bitsOrHotSpotY = static_cast<int>(littleEndian(bytes, entry + 6, 2));
        image.byteCount = littleEndian(bytes, entry + 8, 4);
        image.offset = littleEndian(bytes, entry + 12, 4);
        decodeBitmap(bytes, image);
        file.images.push_back(std::move(image));
    }
    return file;
}

Gif readGif(const std::filesystem::path& path) {
    int error = 0;
    Gif gif(DGifOpenFileName(path.c_str(), &error));
    if (!gif) {
        throw std::runtime_error("cannot open " + path.string() + ": " + GifErrorString(error));
    }
    if (DGifSlurp(gif.get()) != GIF_OK) {
        throw std::runtime_error("cannot decode " + path.string() + ": " +
                                 GifErrorString(gif->Error));
    }
    return gif;
}

GraphicsControlBlock frameControl(const Gif& gif, int frame) {
    GraphicsControlBlock control{};
    if (DGifSavedExtensionToGCB(gif.get(), frame, &control) != GIF_OK) {
        throw std::runtime_error("frame " + std::to_string(frame) + " has no control block");
    }
    return control;
}

Picture composeFrames(const Gif& gif, int lastFrame) {
    Picture canvas;
    canvas.width = gif->SWidth;
    canvas.height = gif->SHeight;
    canvas.pixels.assign(static_cast<std::size_t>(canvas.width) * canvas.height,
                         {255, 255, 255, 255});
    for (int i = 0; i <= lastFrame; ++i) {
        const SavedImage& frame = gif->SavedImages[i];
        const GifImageDesc& area = frame.ImageDesc;
        const ColorMapObject* palette = area.ColorMap != nullptr ? area.ColorMap : gif->SColorMap;
        const int transparent = frameControl(gif, i).TransparentColor;
        if (area.Left < 0 || area.Top < 0 || area.Left + area.Width > canvas.width ||
            area.Top + area.Height > canvas.height) {
            throw std::runtime_error("frame " + std::to_string(i) + " leaves the canvas");
        }
        for (int y = 0; y < area.Height; ++y) {
            for (int x = 0; x < area.Width; ++x) {
                const int index = frame.RasterBits[y * area.Width + x];
                if (index == transparent) {
                    continue;
                }
                const GifColorType colour = palette->Colors[index];
                canvas.pixels[static_cast<std::size_t>(area.Top + y) * canvas.width + area.Left +
                              x] = {colour.Red, colour.Green, colour.Blue, 255};
            }
        }
    }
    return canvas;
}

} // namespace assettest
