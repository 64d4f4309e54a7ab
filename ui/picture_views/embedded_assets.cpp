#include "ui/embedded_assets.h"

#include <cstddef>

namespace assets {
extern const std::uint8_t iconFile[];
extern const std::size_t iconFileSize;
extern const std::uint8_t logoPng[];
extern const std::size_t logoPngSize;
extern const std::uint8_t enterGif[];
extern const std::size_t enterGifSize;
extern const std::uint8_t pointerCur[];
extern const std::size_t pointerCurSize;
} // namespace assets

namespace ui {

std::span<const std::uint8_t> iconFileBytes() {
    return {assets::iconFile, assets::iconFileSize};
}
std::span<const std::uint8_t> logoPngBytes() {
    return {assets::logoPng, assets::logoPngSize};
}
std::span<const std::uint8_t> enterGifBytes() {
    return {assets::enterGif, assets::enterGifSize};
}
std::span<const std::uint8_t> pointerCurBytes() {
    return {assets::pointerCur, assets::pointerCurSize};
}

} // namespace ui
