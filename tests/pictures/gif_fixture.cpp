#include "gif_fixture.h"

#include <gif_lib.h>

#include <memory>
#include <stdexcept>

namespace pictures::fixtures {
namespace {

int appendToVector(GifFileType* gif, const GifByteType* data, int length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
}

struct MapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};
using ColourMap = std::unique_ptr<ColorMapObject, MapDeleter>;

ColourMap makeMap(const std::vector<std::uint32_t>& colours) {
    if (colours.empty()) {
        return nullptr;
    }
    int size = 2;
    while (size < static_cast<int>(colours.size())) {
        size *= 2;
    }
    ColourMap map(GifMakeMapObject(size, nullptr));
    for (std::size_t i = 0; i < colours.size(); ++i) {
        map->Colors[i] = {static_cast<GifByteType>(colours[i] >> 16),
                          static_cast<GifByteType>(colours[i] >> 8),
                          static_cast<GifByteType>(colours[i])};
    }
    return map;
}

void check(int result, const char* what) {
    if (result != GIF_OK) {
        throw std::runtime_error(std::string("GIF fixture: ") + what + " failed");
    }
}

void putLoopExtension(GifFileType* gif, int count) {
    GifByteType loop[] = {1, static_cast<GifByteType>(count), static_cast<GifByteType>(count >> 8)};
    check(EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE), "loop leader");
    check(EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0"), "loop name");
    check(EGifPutExtensionBlock(gif, sizeof loop, loop), "loop count");
    check(EGifPutExtensionTrailer(gif), "loop trailer");
}

void putFrame(GifFileType* gif, const GifPictureFrame& frame) {
    if (frame.controlBlock) {
        GraphicsControlBlock control{};
        control.DisposalMode = frame.disposal;
        control.DelayTime = frame.delayCentiseconds;
        control.TransparentColor = frame.transparentIndex;
        GifByteType extension[4];
        const auto length = EGifGCBToExtension(&control, extension);
        check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension),
              "graphic control");
    }

    const ColourMap local = makeMap(frame.localPalette);
    check(EGifPutImageDesc(gif, frame.left, frame.top, frame.width, frame.height, frame.interlaced,
                           local.get()),
          "image descriptor");
    std::vector<int> rowOrder;
    if (frame.interlaced) {
        for (const auto& [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}}) {
            for (int row = start; row < frame.height; row += step) {
                rowOrder.push_back(row);
            }
        }
    } else {
        for (int row = 0; row < frame.height; ++row) {
            rowOrder.push_back(row);
        }
    }
    std::vector<GifPixelType> line(frame.width);
    for (const int row : rowOrder) {
        const auto first = frame.indices.begin() + static_cast<std::ptrdiff_t>(row) * frame.width;
        line.assign(first, first + frame.width);
        check(EGifPutLine(gif, line.data(), frame.width), "image row");
    }
}

} // namespace

std::vector<std::uint8_t> encodeGif(const GifPicture& picture) {
    std::vector<std::uint8_t> out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, appendToVector, &error);
    if (gif == nullptr) {
        throw std::runtime_error("GIF fixture: EGifOpen failed");
    }
    try {
        EGifSetGifVersion(gif, true);
        const ColourMap global = makeMap(picture.palette);
        check(EGifPutScreenDesc(gif, picture.width, picture.height, 8, picture.backgroundIndex,
                                global.get()),
              "screen descriptor");
        if (picture.loopCount) {
            putLoopExtension(gif, *picture.loopCount);
        }
        for (const auto& frame : picture.frames) {
            putFrame(gif, frame);
        }
    } catch (...) {
        EGifCloseFile(gif, &error);
        throw;
    }
    check(EGifCloseFile(gif, &error), "closing");
    return out;
}

} // namespace pictures::fixtures
