#include "ui/pictures/gif_decoder.h"

#include "ui/pictures/decode_limits.h"
#include "ui/pictures/memory_source.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace pictures {
namespace {

// Our animation has 37 frames; each frame carries a 1 KiB palette, so the count is capped too.
constexpr std::size_t kMaxFrames = 10000;

int readFromMemory(GifFileType* gif, GifByteType* out, int length) {
    auto* source = static_cast<MemorySource*>(gif->UserData);
    return static_cast<int>(source->read(out, static_cast<std::size_t>(std::max(length, 0))));
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
using GifHandle = std::unique_ptr<GifFileType, GifCloser>;

std::array<std::uint32_t, 256> toArgb(const ColorMapObject& map) {
    std::array<std::uint32_t, 256> palette;
    palette.fill(0xFF000000u);
    const int count = std::clamp(map.ColorCount, 0, 256);
    for (int i = 0; i < count; ++i) {
        const GifColorType& c = map.Colors[i];
        palette[i] =
            0xFF000000u | std::uint32_t{c.Red} << 16 | std::uint32_t{c.Green} << 8 | c.Blue;
    }
    return palette;
}

// Reads the image data of the current image descriptor, undoing the interlace order, into a
// row-major raster of width * height indices.
bool readRaster(GifFileType* gif, int width, int height, std::vector<GifPixelType>& raster) {
    raster.resize(static_cast<std::size_t>(width) * height);
    auto readRow = [&](int row) {
        return DGifGetLine(gif, raster.data() + static_cast<std::size_t>(row) * width, width) ==
               GIF_OK;
    };
    if (!gif->Image.Interlace) {
        for (int row = 0; row < height; ++row) {
            if (!readRow(row)) {
                return false;
            }
        }
        return true;
    }
    constexpr int kPassStart[] = {0, 4, 2, 1};
    constexpr int kPassStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        for (int row = kPassStart[pass]; row < height; row += kPassStep[pass]) {
            if (!readRow(row)) {
                return false;
            }
        }
    }
    return true;
}

// The part of a width x height frame at (left, top) that lies on the screen.
GifFrame clippedFrame(const GifImageDesc& desc, const std::vector<GifPixelType>& raster,
                      int screenWidth, int screenHeight) {
    GifFrame frame;
    frame.left = std::min(desc.Left, screenWidth);
    frame.top = std::min(desc.Top, screenHeight);
    frame.width = std::min(desc.Width, screenWidth - frame.left);
    frame.height = std::min(desc.Height, screenHeight - frame.top);
    frame.indices.reserve(static_cast<std::size_t>(frame.width) * frame.height);
    for (int row = 0; row < frame.height; ++row) {
        const auto first = raster.begin() + static_cast<std::ptrdiff_t>(row) * desc.Width;
        frame.indices.insert(frame.indices.end(), first, first + frame.width);
    }
    return frame;
}

class GifReader {
public:
    explicit GifReader(GifFileType* gif) : gif_(gif) {}

    std::optional<GifAnimation> read() {
        animation_.width = gif_->SWidth;
        animation_.height = gif_->SHeight;
        animation_.backgroundIndex = gif_->SBackGroundColor;
        if (!budget_.take(animation_.width, animation_.height)) {
            return std::nullopt;
        }
        for (;;) {
            GifRecordType type = UNDEFINED_RECORD_TYPE;
            if (DGifGetRecordType(gif_, &type) != GIF_OK) {
                return std::nullopt;
            }
            bool ok = true;
            switch (type) {
            case IMAGE_DESC_RECORD_TYPE:
                ok = readFrame();
                break;
            case EXTENSION_RECORD_TYPE:
                ok = readExtension();
                break;
            case TERMINATE_RECORD_TYPE:
                if (animation_.frames.empty()) {
                    return std::nullopt;
                }
                return std::move(animation_);
            default:
                ok = false;
            }
            if (!ok) {
                return std::nullopt;
            }
        }
    }

private:
    bool readFrame() {
        if (DGifGetImageDesc(gif_) != GIF_OK || animation_.frames.size() >= kMaxFrames) {
            return false;
        }
        const GifImageDesc& desc = gif_->Image;
        const ColorMapObject* map = desc.ColorMap != nullptr ? desc.ColorMap : gif_->SColorMap;
        // The size is checked against the caps before the raster is allocated.
        if (map == nullptr || !budget_.take(desc.Width, desc.Height) ||
            !readRaster(gif_, desc.Width, desc.Height, raster_)) {
            return false;
        }
        GifFrame frame = clippedFrame(desc, raster_, animation_.width, animation_.height);
        frame.palette = toArgb(*map);
        frame.transparentIndex = control_.TransparentColor;
        frame.delayCentiseconds = control_.DelayTime;
        frame.disposal = control_.DisposalMode;
        animation_.frames.push_back(std::move(frame));
        control_ = noControl();
        return true;
    }

    // A graphic control extension applies to the next frame; a NETSCAPE2.0 block carries the
    // loop count. Other extensions are skipped.
    bool readExtension() {
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(gif_, &code, &block) != GIF_OK) {
            return false;
        }
        if (block != nullptr && code == GRAPHICS_EXT_FUNC_CODE &&
            DGifExtensionToGCB(block[0], block + 1, &control_) != GIF_OK) {
            return false;
        }
        const bool isLoopExtension = block != nullptr && code == APPLICATION_EXT_FUNC_CODE &&
                                     block[0] == 11 &&
                                     std::memcmp(block + 1, "NETSCAPE2.0", 11) == 0;
        bool first = true;
        while (block != nullptr) {
            if (DGifGetExtensionNext(gif_, &block) != GIF_OK) {
                return false;
            }
            if (isLoopExtension && first && block != nullptr && block[0] >= 3 && block[1] == 1) {
                animation_.loops = block[2] == 0 && block[3] == 0;
            }
            first = false;
        }
        return true;
    }

    static GraphicsControlBlock noControl() {
        GraphicsControlBlock control{};
        control.TransparentColor = NO_TRANSPARENT_COLOR;
        return control;
    }

    GifFileType* gif_;
    GifAnimation animation_;
    PixelBudget budget_;
    GraphicsControlBlock control_ = noControl();
    std::vector<GifPixelType> raster_;
};

} // namespace

std::optional<GifAnimation> decodeGif(std::span<const std::uint8_t> bytes) {
    MemorySource source(bytes);
    int error = 0;
    GifHandle gif(DGifOpen(&source, readFromMemory, &error));
    if (!gif) {
        return std::nullopt;
    }
    return GifReader(gif.get()).read();
}

std::optional<PictureSize> readGifScreen(std::span<const std::uint8_t> bytes) {
    MemorySource source(bytes);
    int error = 0;
    GifHandle gif(DGifOpen(&source, readFromMemory, &error));
    if (!gif || !PixelBudget().take(gif->SWidth, gif->SHeight)) {
        return std::nullopt;
    }
    return PictureSize{gif->SWidth, gif->SHeight};
}

} // namespace pictures
