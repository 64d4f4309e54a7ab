#include "ui/picture_views/embedded_assets.h"

#include <QResource>

namespace ui {
namespace {

// The bytes of a picture that Qt's resource compiler built into the program, stored uncompressed
// and read in place.
std::span<const std::uint8_t> resourceBytes(const char* path) {
    const QResource resource(QString::fromLatin1(path));
    return {reinterpret_cast<const std::uint8_t*>(resource.data()),
            static_cast<std::size_t>(resource.size())};
}

} // namespace

std::span<const std::uint8_t> iconFileBytes() {
    return resourceBytes(":/pictures/icon.ico");
}
std::span<const std::uint8_t> logoPngBytes() {
    return resourceBytes(":/pictures/logo.png");
}
std::span<const std::uint8_t> enterGifBytes() {
    return resourceBytes(":/pictures/enter.gif");
}
std::span<const std::uint8_t> pointerCurBytes() {
    return resourceBytes(":/pictures/pointer.cur");
}

} // namespace ui
