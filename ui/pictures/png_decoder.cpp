#include "ui/pictures/png_decoder.h"

#include "ui/pictures/decode_limits.h"
#include "ui/pictures/memory_source.h"

#include <png.h>

#include <csetjmp>
#include <vector>

namespace pictures {
namespace {

// Largest single chunk libpng may allocate (text, ICC profiles and the like).
constexpr png_alloc_size_t kMaxChunkBytes = 8 * 1024 * 1024;

void readFromMemory(png_structp png, png_bytep out, png_size_t length) {
    if (static_cast<MemorySource*>(png_get_io_ptr(png))->read(out, length) != length) {
        png_error(png, "truncated");
    }
}

// libpng prints errors and warnings by default; a picture that fails just yields nullopt.
[[noreturn]] void failSilently(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void ignoreWarning(png_structp, png_const_charp) {}

// Owns libpng's read structures. Everything that must survive a longjmp out of libpng lives
// here, outside the frame that calls setjmp.
class PngReader {
public:
    explicit PngReader(std::span<const std::uint8_t> bytes) : source_(bytes) {
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, failSilently, ignoreWarning);
        if (png_ != nullptr) {
            info_ = png_create_info_struct(png_);
        }
    }
    ~PngReader() { png_destroy_read_struct(&png_, &info_, nullptr); }
    PngReader(const PngReader&) = delete;
    PngReader& operator=(const PngReader&) = delete;

    // The size from the header; false on any error.
    bool readSize(PictureSize& size) {
        if (png_ == nullptr || info_ == nullptr) {
            return false;
        }
        if (setjmp(png_jmpbuf(png_)) != 0) {
            return false;
        }
        return readInfo(size);
    }

    // Decodes into `image`; false on any error.
    bool read(RgbaImage& image) {
        if (png_ == nullptr || info_ == nullptr) {
            return false;
        }
        if (setjmp(png_jmpbuf(png_)) != 0) {
            return false;
        }
        PictureSize size;
        if (!readInfo(size)) {
            return false;
        }
        requestRgba8();
        png_read_update_info(png_, info_);
        const std::size_t stride = static_cast<std::size_t>(size.width) * 4;
        if (png_get_rowbytes(png_, info_) != stride) {
            return false;
        }

        image.width = size.width;
        image.height = size.height;
        image.rgba.resize(stride * static_cast<std::size_t>(size.height));
        rows_.resize(static_cast<std::size_t>(size.height));
        for (std::size_t y = 0; y < rows_.size(); ++y) {
            rows_[y] = image.rgba.data() + y * stride;
        }
        png_read_image(png_, rows_.data());
        png_read_end(png_, nullptr);
        return true;
    }

private:
    // Reads the signature and the chunks up to the image data. libpng's errors jump back to the
    // caller's setjmp.
    bool readInfo(PictureSize& size) {
        png_set_read_fn(png_, &source_, readFromMemory);
        png_set_chunk_malloc_max(png_, kMaxChunkBytes);
        png_read_info(png_, info_);
        const auto width = png_get_image_width(png_, info_);
        const auto height = png_get_image_height(png_, info_);
        if (!PixelBudget().take(width, height)) {
            return false;
        }
        size = {static_cast<int>(width), static_cast<int>(height)};
        return true;
    }

    // Palette to RGB, grey to RGB, low bit depths to 8, 16 bits to 8, tRNS to an alpha channel,
    // an opaque alpha channel where there is none, interlace passes merged.
    void requestRgba8() {
        png_set_expand(png_);
        png_set_scale_16(png_);
        png_set_gray_to_rgb(png_);
        png_set_add_alpha(png_, 0xff, PNG_FILLER_AFTER);
        png_set_interlace_handling(png_);
    }

    MemorySource source_;
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
    std::vector<png_bytep> rows_;
};

} // namespace

std::optional<RgbaImage> decodePng(std::span<const std::uint8_t> bytes) {
    RgbaImage image;
    PngReader reader(bytes);
    if (!reader.read(image)) {
        return std::nullopt;
    }
    return image;
}

std::optional<PictureSize> readPngSize(std::span<const std::uint8_t> bytes) {
    PictureSize size;
    PngReader reader(bytes);
    if (!reader.readSize(size)) {
        return std::nullopt;
    }
    return size;
}

} // namespace pictures
