#include "gif_writer.hpp"

#include <gif_lib.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace assetgen {

namespace {

constexpr int kDisposeDoNot = 1;

[[noreturn]] void fail(const std::filesystem::path& path, int error) {
    const char* reason = GifErrorString(error);
    throw std::runtime_error("cannot write " + path.string() + ": " +
                             (reason != nullptr ? reason : "unknown error"));
}

struct GifCloser {
    void operator()(GifFileType* gif) const { EGifCloseFile(gif, nullptr); }
};

struct MapFreer {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

class Encoder {
public:
    explicit Encoder(const std::filesystem::path& path) : path_(path) {
        int error = 0;
        gif_.reset(EGifOpenFileName(path.c_str(), false, &error));
        if (!gif_) {
            fail(path, error);
        }
        EGifSetGifVersion(gif_.get(), true);
    }

    void check(int result) const {
        if (result != GIF_OK) {
            fail(path_, gif_->Error);
        }
    }

    GifFileType* get() const { return gif_.get(); }

    // Closing flushes the file; errors there count too.
    void finish() {
        int error = 0;
        if (EGifCloseFile(gif_.release(), &error) != GIF_OK) {
            fail(path_, error);
        }
    }

private:
    std::filesystem::path path_;
    std::unique_ptr<GifFileType, GifCloser> gif_;
};

void putLoopExtension(Encoder& encoder) {
    static const GifByteType application[] = {'N', 'E', 'T', 'S', 'C', 'A',
                                              'P', 'E', '2', '.', '0'};
    static const GifByteType endless[] = {1, 0, 0}; // sub-block 1, repeat count 0 = forever
    encoder.check(EGifPutExtensionLeader(encoder.get(), APPLICATION_EXT_FUNC_CODE));
    encoder.check(EGifPutExtensionBlock(encoder.get(), sizeof application, application));
    encoder.check(EGifPutExtensionBlock(encoder.get(), sizeof endless, endless));
    encoder.check(EGifPutExtensionTrailer(encoder.get()));
}

void putFrame(Encoder& encoder, const GifAnimation& animation, const GifFrame& frame) {
    GraphicsControlBlock control{};
    control.DisposalMode = kDisposeDoNot;
    control.UserInputFlag = false;
    control.DelayTime = animation.delayCentiseconds;
    control.TransparentColor = animation.transparentIndex;
    GifByteType extension[4];
    const std::size_t extensionBytes = EGifGCBToExtension(&control, extension);
    encoder.check(EGifPutExtension(encoder.get(), GRAPHICS_EXT_FUNC_CODE,
                                   static_cast<int>(extensionBytes), extension));
    encoder.check(EGifPutImageDesc(encoder.get(), frame.left, frame.top, frame.width, frame.height,
                                   false, nullptr));
    for (int y = 0; y < frame.height; ++y) {
        // giflib takes a non-const line but only reads it.
        auto* line =
            const_cast<GifPixelType*>(&frame.indices[static_cast<std::size_t>(y) * frame.width]);
        encoder.check(EGifPutLine(encoder.get(), line, frame.width));
    }
}

} // namespace

void writeGif(const std::filesystem::path& path, const GifAnimation& animation) {
    GifColorType colours[256];
    for (std::size_t i = 0; i < animation.palette.size(); ++i) {
        colours[i] = {animation.palette[i].r, animation.palette[i].g, animation.palette[i].b};
    }
    const std::unique_ptr<ColorMapObject, MapFreer> palette(GifMakeMapObject(256, colours));
    if (!palette) {
        throw std::runtime_error("cannot write " + path.string() + ": out of memory");
    }
    Encoder encoder(path);
    encoder.check(EGifPutScreenDesc(encoder.get(), animation.width, animation.height, 8,
                                    animation.backgroundIndex, palette.get()));
    putLoopExtension(encoder);
    for (const GifFrame& frame : animation.frames) {
        putFrame(encoder, animation, frame);
    }
    encoder.finish();
    // giflib creates the file readable by its owner only; pictures are for everyone to read.
    using std::filesystem::perms;
    std::filesystem::permissions(path, perms::owner_read | perms::owner_write | perms::group_read |
                                           perms::others_read);
}

} // namespace assetgen
