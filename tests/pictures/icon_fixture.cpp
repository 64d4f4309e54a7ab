#include "icon_fixture.h"

#include <stdexcept>

namespace pictures::fixtures {
namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

void padRow(std::vector<std::uint8_t>& out, std::size_t rowStart) {
    while ((out.size() - rowStart) % 4 != 0) {
        out.push_back(0);
    }
}

} // namespace

std::vector<std::uint8_t> encodeIconBitmap(const IconBitmapPicture& picture) {
    const auto pixelCount = static_cast<std::size_t>(picture.width) * picture.height;
    if (picture.values.size() != pixelCount ||
        (!picture.masked.empty() && picture.masked.size() != pixelCount)) {
        throw std::invalid_argument("icon fixture: pixel count does not match the size");
    }
    const int bits = picture.bitsPerPixel;
    std::vector<std::uint8_t> out;
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(picture.width));
    put32(out, static_cast<std::uint32_t>(picture.height * 2));
    put16(out, 1);
    put16(out, static_cast<std::uint32_t>(bits));
    put32(out, 0); // uncompressed
    put32(out, 0); // image size, may be 0 when uncompressed
    put32(out, 0); // pixels per metre
    put32(out, 0);
    put32(out, static_cast<std::uint32_t>(picture.palette.size()));
    put32(out, 0); // important colours
    for (const std::uint32_t colour : picture.palette) {
        put32(out, colour & 0xFFFFFF); // blue, green, red, 0
    }
    for (int y = picture.height - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        std::uint32_t pending = 0;
        int pendingBits = 0;
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t value =
                picture.values[static_cast<std::size_t>(y) * picture.width + x];
            if (bits >= 24) {
                out.push_back(static_cast<std::uint8_t>(value));       // blue
                out.push_back(static_cast<std::uint8_t>(value >> 8));  // green
                out.push_back(static_cast<std::uint8_t>(value >> 16)); // red
                if (bits == 32) {
                    out.push_back(static_cast<std::uint8_t>(value >> 24));
                }
                continue;
            }
            pending = pending << bits | value;
            pendingBits += bits;
            if (pendingBits == 8) {
                out.push_back(static_cast<std::uint8_t>(pending));
                pending = 0;
                pendingBits = 0;
            }
        }
        if (pendingBits > 0) {
            out.push_back(static_cast<std::uint8_t>(pending << (8 - pendingBits)));
        }
        padRow(out, rowStart);
    }
    for (int y = picture.height - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        for (int x = 0; x < picture.width; x += 8) {
            std::uint8_t byte = 0;
            for (int bit = 0; bit < 8 && x + bit < picture.width; ++bit) {
                const std::size_t i = static_cast<std::size_t>(y) * picture.width + x + bit;
                if (!picture.masked.empty() && picture.masked[i]) {
                    byte |= static_cast<std::uint8_t>(0x80 >> bit);
                }
            }
            out.push_back(byte);
        }
        padRow(out, rowStart);
    }
    return out;
}

std::vector<std::uint8_t> encodeIconFile(int type, const std::vector<IconFileEntry>& entries) {
    std::vector<std::uint8_t> out;
    put16(out, 0);
    put16(out, static_cast<std::uint32_t>(type));
    put16(out, static_cast<std::uint32_t>(entries.size()));
    std::size_t dataOffset = 6 + 16 * entries.size();
    for (const auto& entry : entries) {
        out.push_back(static_cast<std::uint8_t>(entry.width)); // 256 is written as 0
        out.push_back(static_cast<std::uint8_t>(entry.height));
        out.push_back(static_cast<std::uint8_t>(entry.colourCount));
        out.push_back(0);
        put16(out, static_cast<std::uint32_t>(entry.planesOrHotspotX));
        put16(out, static_cast<std::uint32_t>(entry.bitCountOrHotspotY));
        put32(out, static_cast<std::uint32_t>(entry.data.size()));
        put32(out, static_cast<std::uint32_t>(dataOffset));
        dataOffset += entry.data.size();
    }
    for (const auto& entry : entries) {
        out.insert(out.end(), entry.data.begin(), entry.data.end());
    }
    return out;
}

} // namespace pictures::fixtures
