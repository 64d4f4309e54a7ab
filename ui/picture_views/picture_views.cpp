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

QImage scaledFor(const QImage& source, const QRect& target, const QWidget& box) {
    QImage scaled =
        source.size() == deviceSize(target, box)
            ? source
            : source.scaled(deviceSize(target, box), Qt::IgnoreAspectRatio, scalingFor(box));
    scaled.setDevicePixelRatio(box.devicePixelRatioF());
    return scaled;
}

// The logo: flattened onto the box's white, centred and shrunk to fit with its proportions kept.
class LogoView : public PictureView {
public:
    explicit LogoView(QImage flattened) : flattened_(std::move(flattened)) {}

    void paint(QPainter& painter, const QRect& area, const QWidget& box) override {
        const pictures::Placement place = pictures::centredShrinkToFit(
            area.width(), area.height(), flattened_.width(), flattened_.height());
        const QRect target(area.left() + place.left, area.top() + place.top, place.width,
                           place.height);
        if (cache_.isNull() || cache_.size() != deviceSize(target, box)) {
            cache_ = scaledFor(flattened_, target, box);
        }
        painter.drawImage(target.topLeft(), cache_);
    }

private:
    QImage flattened_;
    QImage cache_;
};

// The enter picture: its animation composes frame by frame onto a canvas on a clock of its own;
// the box shows the canvas stretched to its whole area.
class AnimationView : public PictureView {
public:
    explicit AnimationView(pictures::GifAnimation animation) : animation_(std::move(animation)) {}

    void start(std::function<void()> frameReady) override {
        player_ = std::make_unique<pictures::AnimationPlayer>(std::move(animation_), whiteArgb,
                                                              std::move(frameReady));
        player_->start();
    }

    void paint(QPainter& painter, const QRect& area, const QWidget& box) override {
        if (!player_) {
            return;
        }
        QImage frame;
        player_->withCanvas([&](const pictures::GifCanvas& canvas) {
            const QImage view(reinterpret_cast<const uchar*>(canvas.pixels()), canvas.width(),
                              canvas.height(), canvas.width() * 4, QImage::Format_ARGB32);
            frame = scaledFor(view, area, box).copy(); // a copy of its own before the lock goes
        });
        painter.drawImage(area.topLeft(), frame);
    }

private:
    pictures::GifAnimation animation_;
    std::unique_ptr<pictures::AnimationPlayer> player_;
};

} // namespace

std::unique_ptr<PictureView> makeLogoView(std::span<const std::uint8_t> png) {
    auto image = pictures::decodePng(png);
    if (!image) {
        return nullptr;
    }
    pictures::flattenOnto(*image, 255, 255, 255);
    return std::make_unique<LogoView>(toQImage(*image).convertToFormat(QImage::Format_RGB32));
}

std::unique_ptr<PictureView> makeAnimationView(std::span<const std::uint8_t> gif) {
    auto animation = pictures::decodeGif(gif);
    if (!animation || animation->frames.empty()) {
        return nullptr;
    }
    return std::make_unique<AnimationView>(std::move(*animation));
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
