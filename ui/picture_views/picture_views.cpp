#include "ui/picture_views/picture_views.h"

#include "ui/picture_views/embedded_assets.h"
#include "ui/pictures/animation_player.h"
#include "ui/pictures/gif_decoder.h"
#include "ui/pictures/icon_file.h"
#include "ui/pictures/logo_display.h"
#include "ui/pictures/png_decoder.h"

#include <QPainter>
#include <QPixmap>
#include <QWidget>
#include <cmath>
#include <cstring>
#include <future>
#include <malloc.h>

namespace ui {
namespace {

constexpr std::uint32_t whiteArgb = 0xFFFFFFFF;

QImage toQImage(const pictures::RgbaImage& image) {
    return QImage(image.rgba.data(), image.width, image.height, image.width * 4,
                  QImage::Format_RGBA8888)
        .copy();
}

// Pictures drawn at another size than their own are averaged on displays deeper than 16 bits,
// simply picked otherwise.
Qt::TransformationMode scalingFor(const QWidget& box) {
    return box.depth() > 16 ? Qt::SmoothTransformation : Qt::FastTransformation;
}

// The size in device pixels of a rectangle in logical pixels; drawn from the full-resolution
// source at that size, the picture stays sharp on a scaled screen.
QSize deviceSize(const QRect& area, const QWidget& box) {
    const qreal ratio = box.devicePixelRatioF();
    return {static_cast<int>(std::lround(area.width() * ratio)),
            static_cast<int>(std::lround(area.height() * ratio))};
}

// The logo as it is drawn: decoded, flattened onto white and scaled to `size` device pixels.
// Only this small picture is kept; the full-size one lives for the moment it takes to make it.
// A null image where the bytes cannot be decoded.
QImage decodeLogo(std::span<const std::uint8_t> png, QSize size, Qt::TransformationMode mode) {
    QImage drawn;
    {
        auto image = pictures::decodePng(png);
        if (!image) {
            return {};
        }
        pictures::flattenOnto(*image, 255, 255, 255);
        // Opaque after flattening; the image borrows the decoded bytes, the result is a copy.
        const QImage flattened(image->rgba.data(), image->width, image->height, image->width * 4,
                               QImage::Format_RGBX8888);
        drawn = (flattened.size() == size ? flattened
                                          : flattened.scaled(size, Qt::IgnoreAspectRatio, mode))
                    .convertToFormat(QImage::Format_RGB32);
    }
    // The decoding has freed megabytes, partly in a heap of this thread's own that the C library
    // would otherwise keep: hand them back to the system.
    malloc_trim(0);
    return drawn;
}

// The logo: flattened onto the box's white, centred and shrunk to fit with its proportions kept.
// It appears only when the mouse comes over the enter picture, so it is decoded after the window
// has first been painted, on a thread of its own, and is ready long before anyone can point at it.
class LogoView : public PictureView {
public:
    LogoView(std::span<const std::uint8_t> png, pictures::PictureSize size)
        : png_(png), size_(size) {}

    void prepare(const QWidget& box) override {
        if (pending_.valid() || !drawn_.isNull()) {
            return;
        }
        pending_ = std::async(std::launch::async,
                              [png = png_, size = deviceSize(placement(box.rect()), box),
                               mode = scalingFor(box)] { return decodeLogo(png, size, mode); });
    }

    void paint(QPainter& painter, const QRect& area, const QWidget& box) override {
        const QRect target = placement(area);
        const QSize size = deviceSize(target, box);
        if (pending_.valid()) {
            drawn_ = pending_.get(); // at once, or as soon as the decoding is done
        }
        if (drawn_.size() != size && !undecodable_) {
            drawn_ = decodeLogo(png_, size, scalingFor(box)); // not prepared, or the screen changed
        }
        if (drawn_.isNull()) {
            undecodable_ = true; // the box shows only its background
            return;
        }
        drawn_.setDevicePixelRatio(box.devicePixelRatioF());
        painter.drawImage(target.topLeft(), drawn_);
    }

private:
    QRect placement(const QRect& area) const {
        const pictures::Placement place =
            pictures::centredShrinkToFit(area.width(), area.height(), size_.width, size_.height);
        return {area.left() + place.left, area.top() + place.top, place.width, place.height};
    }

    std::span<const std::uint8_t> png_;
    pictures::PictureSize size_;
    std::future<QImage> pending_;
    QImage drawn_;
    bool undecodable_ = false;
};

// The canvas's pixels as an image, without a copy; every pixel of the canvas is opaque.
QImage canvasImage(const pictures::GifCanvas& canvas) {
    return QImage(reinterpret_cast<const uchar*>(canvas.pixels()), canvas.width(), canvas.height(),
                  canvas.width() * 4, QImage::Format_RGB32);
}

// Scales anew the part of `scaled` (the whole canvas scaled to its size) that the changed area of
// the canvas falls on: the target pixels that cover the change, from the canvas pixels that those
// cover. With a whole-number ratio (the 400 x 400 canvas in an 80 x 80 box) the result is the
// same as scaling the whole canvas again.
void rescalePart(const QImage& canvas, const pictures::CanvasArea& changed, QImage& scaled,
                 Qt::TransformationMode mode) {
    const qint64 cw = canvas.width();
    const qint64 ch = canvas.height();
    const qint64 sw = scaled.width();
    const qint64 sh = scaled.height();
    const auto ceilDiv = [](qint64 a, qint64 b) { return (a + b - 1) / b; };
    const qint64 left = changed.left * sw / cw;
    const qint64 right = std::min(sw, ceilDiv((changed.left + changed.width) * sw, cw));
    const qint64 top = changed.top * sh / ch;
    const qint64 bottom = std::min(sh, ceilDiv((changed.top + changed.height) * sh, ch));
    const qint64 sourceLeft = left * cw / sw;
    const qint64 sourceRight = std::min(cw, ceilDiv(right * cw, sw));
    const qint64 sourceTop = top * ch / sh;
    const qint64 sourceBottom = std::min(ch, ceilDiv(bottom * ch, sh));
    if (left >= right || top >= bottom || sourceLeft >= sourceRight || sourceTop >= sourceBottom) {
        return;
    }
    const QImage source(canvas.constBits() + sourceTop * canvas.bytesPerLine() + sourceLeft * 4,
                        static_cast<int>(sourceRight - sourceLeft),
                        static_cast<int>(sourceBottom - sourceTop), canvas.bytesPerLine(),
                        canvas.format());
    const QImage part = source
                            .scaled(static_cast<int>(right - left), static_cast<int>(bottom - top),
                                    Qt::IgnoreAspectRatio, mode)
                            .convertToFormat(scaled.format());
    for (int row = 0; row < part.height(); ++row) {
        std::memcpy(scaled.scanLine(static_cast<int>(top) + row) + left * 4,
                    part.constScanLine(row), static_cast<std::size_t>(part.width()) * 4);
    }
}

// The enter picture: its animation composes frame by frame onto a canvas on a clock of its own;
// the box shows the canvas stretched to its whole area. The stretched picture is kept and only
// the part that a frame has changed is scaled anew, once, when the box is next painted; frames
// that change nothing, and frames drawn while the box is hidden, cost no paint.
class AnimationView : public PictureView {
public:
    AnimationView(std::span<const std::uint8_t> gif, pictures::PictureSize size)
        : gif_(gif), size_(size) {}

    void start(std::function<void()> frameReady) override {
        player_ = std::make_unique<pictures::AnimationPlayer>(
            size_, [gif = gif_] { return pictures::decodeGif(gif); }, whiteArgb,
            [frameReady = std::move(frameReady)](const pictures::CanvasArea& changed) {
                if (!changed.empty()) {
                    frameReady();
                }
            });
        player_->start();
    }

    void paint(QPainter& painter, const QRect& area, const QWidget& box) override {
        if (!player_) {
            return;
        }
        const QSize size = deviceSize(area, box);
        const Qt::TransformationMode mode = scalingFor(box);
        player_->takeChanges(
            [&](const pictures::GifCanvas& canvas, const pictures::CanvasArea& changed) {
                const QImage view = canvasImage(canvas);
                if (scaled_.size() != size) {
                    // a copy of its own, made before the lock goes
                    scaled_ = view.scaled(size, Qt::IgnoreAspectRatio, mode)
                                  .convertToFormat(QImage::Format_RGB32);
                    scaled_.setDevicePixelRatio(box.devicePixelRatioF());
                } else if (!changed.empty()) {
                    rescalePart(view, changed, scaled_, mode);
                }
            });
        painter.drawImage(area.topLeft(), scaled_);
    }

private:
    std::span<const std::uint8_t> gif_;
    pictures::PictureSize size_;
    std::unique_ptr<pictures::AnimationPlayer> player_;
    QImage scaled_; // the canvas stretched to the box; touched on the GUI thread only
};

} // namespace

std::unique_ptr<PictureView> makeLogoView(std::span<const std::uint8_t> png) {
    const auto size = pictures::readPngSize(png);
    if (!size) {
        return nullptr;
    }
    return std::make_unique<LogoView>(png, *size);
}

std::unique_ptr<PictureView> makeAnimationView(std::span<const std::uint8_t> gif) {
    const auto size = pictures::readGifScreen(gif);
    if (!size) {
        return nullptr;
    }
    return std::make_unique<AnimationView>(gif, *size);
}

std::unique_ptr<PictureView> makePictureView(PictureId picture) {
    switch (picture) {
    case PictureId::Logo:
        return makeLogoView(logoPngBytes());
    case PictureId::Enter:
        return makeAnimationView(enterGifBytes());
    case PictureId::None:
        break;
    }
    return nullptr;
}

QIcon windowIcon() {
    const auto images = pictures::decodeIconFile(iconFileBytes());
    if (!images) {
        return {};
    }
    // The large and the small icon alike: the first 32-wide image with a palette of 16 colours or
    // more, else the last image; the platform scales it where it draws a smaller icon.
    const pictures::IconImage* chosen = pictures::chooseWindowIcon(*images, 32);
    return chosen ? QIcon(QPixmap::fromImage(toQImage(chosen->image))) : QIcon();
}

std::optional<QCursor> handPointer() {
    const auto images = pictures::decodeIconFile(pointerCurBytes());
    if (!images || images->empty()) {
        return std::nullopt;
    }
    const pictures::IconImage& pointer = images->front();
    return QCursor(QPixmap::fromImage(toQImage(pointer.image)), pointer.hotspotX, pointer.hotspotY);
}

} // namespace ui
