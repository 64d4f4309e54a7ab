#include "ui/pictures/icon_file.h"

#include "ui/pictures/decode_limits.h"
#include "ui/pictures/png_decoder.h"

#include <algorithm>
#include <array>

namespace pictures {
namespace {

constexpr std::size_t kDirectoryHeaderBytes = 6;
constexpr std::size_t kDirectoryEntryBytes = 16;
constexpr std::size_t kMinBitmapHeaderBytes = 40; // BITMAPINFOHEADER
constexpr std::array<std::uint8_t, 8> kPngSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// Little-endian fields; callers check the range first.
std::uint32_t read16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return bytes[at] | std::uint32_t{bytes[at + 1]} << 8;
}
std::uint32_t read32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return read16(bytes, at) | read16(bytes, at + 2) << 16;
}

// A device-independent bitmap as stored in icon files: a header, a palette for 8 bits and less,
// the colour rows, then a 1-bit transparency mask, both bottom row first, rows padded to 4 bytes.
class IconBitmap {
public:
    explicit IconBitmap(std::span<const std::uint8_t> data) : data_(data) {}

    std::optional<RgbaImage> decode(PixelBudget& budget) {
        if (!readHeader(budget)) {
            return std::nullopt;
        }
        RgbaImage image{width_, height_, {}};
        image.rgba.resize(static_cast<std::size_t>(width_) * height_ * 4);
        for (int y = 0; y < height_; ++y) {
            const std::size_t storedRow = static_cast<std::size_t>(height_ - 1 - y);
            const auto colours =
                data_.subspan(coloursAt_ + storedRow * colourStride_, colourStride_);
            std::uint8_t* out = image.rgba.data() + static_cast<std::size_t>(y) * width_ * 4;
            for (int x = 0; x < width_; ++x, out += 4) {
                if (!readPixel(colours, x, out)) {
                    return std::nullopt;
                }
                if (bitsPerPixel_ != 32) {
                    out[3] = isMasked(x, y) ? 0 : 255;
                }
            }
        }
        if (bitsPerPixel_ == 32) {
            useMaskIfAlphaIsEmpty(image);
        }
        return image;
    }

private:
    // Reads and checks the header and works out where the parts lie; takes the pixels from
    // `budget`.
    bool readHeader(PixelBudget& budget) {
        if (data_.size() < kMinBitmapHeaderBytes) {
            return false;
        }
        const std::uint32_t headerBytes = read32(data_, 0);
        const auto width = static_cast<std::int32_t>(read32(data_, 4));
        const auto doubledHeight = static_cast<std::int32_t>(read32(data_, 8)); // colours + mask
        bitsPerPixel_ = static_cast<int>(read16(data_, 14));
        const std::uint32_t compression = read32(data_, 16);
        const std::uint32_t listedColours = read32(data_, 32);
        const bool supportedDepth = bitsPerPixel_ == 1 || bitsPerPixel_ == 4 ||
                                    bitsPerPixel_ == 8 || bitsPerPixel_ == 24 ||
                                    bitsPerPixel_ == 32;
        if (headerBytes < kMinBitmapHeaderBytes || headerBytes > data_.size() || compression != 0 ||
            !supportedDepth || !budget.take(width, doubledHeight / 2)) {
            return false;
        }
        width_ = width;
        height_ = doubledHeight / 2;
        if (bitsPerPixel_ <= 8) {
            const std::uint32_t maxColours = 1u << bitsPerPixel_;
            if (listedColours > maxColours) {
                return false;
            }
            paletteSize_ = listedColours != 0 ? listedColours : maxColours;
        }
        const std::size_t paletteAt = headerBytes;
        coloursAt_ = paletteAt + std::size_t{paletteSize_} * 4;
        colourStride_ = (static_cast<std::size_t>(width_) * bitsPerPixel_ + 31) / 32 * 4;
        maskAt_ = coloursAt_ + colourStride_ * height_;
        maskStride_ = (static_cast<std::size_t>(width_) + 31) / 32 * 4;
        palette_ = data_.subspan(std::min(paletteAt, data_.size()));
        // Width and height are within kMaxPicturePixels (2^24): these sizes stay far below 2^64.
        return maskAt_ + maskStride_ * height_ <= data_.size();
    }

    // Writes the R, G, B (and for 32 bits A) bytes of pixel x of a row of colours.
    bool readPixel(std::span<const std::uint8_t> colours, int x, std::uint8_t* out) const {
        const auto column = static_cast<std::size_t>(x);
        if (bitsPerPixel_ >= 24) {
            const std::size_t at = column * static_cast<std::size_t>(bitsPerPixel_ / 8);
            out[0] = colours[at + 2];
            out[1] = colours[at + 1];
            out[2] = colours[at];
            out[3] = bitsPerPixel_ == 32 ? colours[at + 3] : 255;
            return true;
        }
        const std::size_t bit = column * static_cast<std::size_t>(bitsPerPixel_);
        const unsigned shift = 8 - bitsPerPixel_ - bit % 8;
        const unsigned index = colours[bit / 8] >> shift & ((1u << bitsPerPixel_) - 1);
        if (index >= paletteSize_) {
            return false;
        }
        const std::size_t at = std::size_t{index} * 4; // blue, green, red, unused
        out[0] = palette_[at + 2];
        out[1] = palette_[at + 1];
        out[2] = palette_[at];
        return true;
    }

    // Whether the mask makes pixel (x, y), counted from the top, transparent.
    bool isMasked(int x, int y) const {
        const std::size_t storedRow = static_cast<std::size_t>(height_ - 1 - y);
        const std::uint8_t maskByte =
            data_[maskAt_ + storedRow * maskStride_ + static_cast<std::size_t>(x) / 8];
        return (maskByte >> (7 - x % 8) & 1) != 0;
    }

    // Old 32-bit icons leave the alpha bytes at zero and rely on the mask.
    void useMaskIfAlphaIsEmpty(RgbaImage& image) const {
        for (std::size_t i = 3; i < image.rgba.size(); i += 4) {
            if (image.rgba[i] != 0) {
                return;
            }
        }
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                image.rgba[(static_cast<std::size_t>(y) * width_ + x) * 4 + 3] =
                    isMasked(x, y) ? 0 : 255;
            }
        }
    }

    std::span<const std::uint8_t> data_;
    std::span<const std::uint8_t> palette_;
    int width_ = 0;
    int height_ = 0;
    int bitsPerPixel_ = 0;
    std::uint32_t paletteSize_ = 0;
    std::size_t coloursAt_ = 0;
    std::size_t colourStride_ = 0;
    std::size_t maskAt_ = 0;
    std::size_t maskStride_ = 0;
};

std::optional<RgbaImage> decodeEntry(std::span<const std::uint8_t> data, PixelBudget& budget) {
    if (data.size() >= kPngSignature.size() &&
        std::equal(kPngSignature.begin(), kPngSignature.end(), data.begin())) {
        auto image = decodePng(data);
        if (!image || !budget.take(image->width, image->height)) {
            return std::nullopt;
        }
        return image;
    }
    return IconBitmap(data).decode(budget);
}

} // namespace

std::optional<std::vector<IconImage>> decodeIconFile(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kDirectoryHeaderBytes) {
        return std::nullopt;
    }
    const std::uint32_t type = read16(bytes, 2);
    const std::size_t count = read16(bytes, 4);
    if (read16(bytes, 0) != 0 || (type != 1 && type != 2) || count == 0 ||
        bytes.size() < kDirectoryHeaderBytes + count * kDirectoryEntryBytes) {
        return std::nullopt;
    }
    const bool isCursor = type == 2;
    PixelBudget budget;
    std::vector<IconImage> images;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = kDirectoryHeaderBytes + i * kDirectoryEntryBytes;
        const std::size_t size = read32(bytes, entry + 8);
        const std::size_t offset = read32(bytes, entry + 12);
        if (offset > bytes.size() || size > bytes.size() - offset) {
            return std::nullopt;
        }
        auto image = decodeEntry(bytes.subspan(offset, size), budget);
        if (!image) {
            return std::nullopt;
        }
        IconImage icon;
        icon.width = image->width;
        icon.height = image->height;
        icon.colourCount = bytes[entry + 2];
        // In cursor files the planes and bit-count fields hold the hot spot.
        icon.hotspotX = isCursor ? static_cast<int>(read16(bytes, entry + 4)) : 0;
        icon.hotspotY = isCursor ? static_cast<int>(read16(bytes, entry + 6)) : 0;
        icon.image = std::move(*image);
        images.push_back(std::move(icon));
    }
    return images;
}

const IconImage* chooseWindowIcon(const std::vector<IconImage>& images, int wantedWidth) {
    const auto chosen = std::find_if(images.begin(), images.end(), [&](const IconImage& icon) {
        return icon.width == wantedWidth && icon.colourCount >= 16;
    });
    if (chosen != images.end()) {
        return &*chosen;
    }
    return images.empty() ? nullptr : &images.back();
}

} // namespace pictures
