#include "icon_file_writer.hpp"

#include <cstdint>
#include <fstream>
#include <stdexcept>

namespace assetgen {

namespace {

constexpr std::uint16_t kIconType = 1;
constexpr std::uint16_t kCursorType = 2;
constexpr std::uint32_t kDirectoryHeaderBytes = 6;
constexpr std::uint32_t kDirectoryEntryBytes = 16;
constexpr std::uint32_t kInfoHeaderBytes = 40;

class LittleEndian {
public:
    void u8(std::uint32_t v) { bytes.push_back(static_cast<char>(v & 0xFF)); }
    void u16(std::uint32_t v) {
        u8(v);
        u8(v >> 8);
    }
    void u32(std::uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }

    std::string bytes;
};

std::uint32_t maskRowBytes(int width) {
    return static_cast<std::uint32_t>((width + 31) / 32 * 4);
}

std::uint32_t colourBytes(const Image& image) {
    return static_cast<std::uint32_t>(image.width() * image.height() * 4);
}

std::uint32_t imageBytes(const Image& image) {
    return kInfoHeaderBytes + colourBytes(image) +
           maskRowBytes(image.width()) * static_cast<std::uint32_t>(image.height());
}

// BITMAPINFOHEADER (height counts colour rows and mask rows), BGRA rows bottom-up, then the mask.
void appendBitmap(LittleEndian& out, const Image& image) {
    const auto width = static_cast<std::uint32_t>(image.width());
    const auto height = static_cast<std::uint32_t>(image.height());
    out.u32(kInfoHeaderBytes);
    out.u32(width);
    out.u32(height * 2);
    out.u16(1);  // planes
    out.u16(32); // bits per pixel
    out.u32(0);  // no compression
    out.u32(imageBytes(image) - kInfoHeaderBytes);
    out.u32(0); // horizontal resolution
    out.u32(0); // vertical resolution
    out.u32(0); // colours used
    out.u32(0); // important colours
    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            const Rgba p = image.at(x, y);
            out.u8(p.b);
            out.u8(p.g);
            out.u8(p.r);
            out.u8(p.a);
        }
    }
    for (int y = image.height() - 1; y >= 0; --y) {
        std::string row(maskRowBytes(image.width()), '\0');
        for (int x = 0; x < image.width(); ++x) {
            if (image.at(x, y).a == 0) {
                row[static_cast<std::size_t>(x / 8)] |= static_cast<char>(0x80 >> (x % 8));
            }
        }
        out.bytes += row;
    }
}

void writeFile(const std::filesystem::path& path, const std::vector<IconImage>& images,
               std::uint16_t type) {
    LittleEndian out;
    out.u16(0); // reserved
    out.u16(type);
    out.u16(static_cast<std::uint32_t>(images.size()));
    std::uint32_t offset =
        kDirectoryHeaderBytes + kDirectoryEntryBytes * static_cast<std::uint32_t>(images.size());
    for (const IconImage& entry : images) {
        const Image& image = entry.image;
        if (image.width() > 256 || image.height() > 256) {
            throw std::invalid_argument("icon images are at most 256 pixels wide and high");
        }
        out.u8(static_cast<std::uint32_t>(image.width() % 256)); // 0 stands for 256
        out.u8(static_cast<std::uint32_t>(image.height() % 256));
        out.u8(0); // palette colours: none, true colour
        out.u8(0); // reserved
        // Icons keep planes and bit count here; cursors keep the hot spot instead.
        out.u16(type == kCursorType ? static_cast<std::uint32_t>(entry.hotSpotX) : 1);
        out.u16(type == kCursorType ? static_cast<std::uint32_t>(entry.hotSpotY) : 32);
        out.u32(imageBytes(image));
        out.u32(offset);
        offset += imageBytes(image);
    }
    for (const IconImage& entry : images) {
        appendBitmap(out, entry.image);
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(out.bytes.data(), static_cast<std::streamsize>(out.bytes.size()));
    if (!file) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

} // namespace

void writeIconFile(const std::filesystem::path& path, const std::vector<IconImage>& images) {
    writeFile(path, images, kIconType);
}

void writeCursorFile(const std::filesystem::path& path, const std::vector<IconImage>& images) {
    writeFile(path, images, kCursorType);
}

} // namespace assetgen
