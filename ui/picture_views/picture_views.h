#pragma once
// The pictures the form carries, made from the assets built into the program.

#include "ui/form/form.h"
#include "ui/picture_views/picture_view.h"

#include <QCursor>
#include <QIcon>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

namespace ui {

// The view of a picture box's picture; nullptr where there is none or it cannot be decoded, so
// the box shows only its background colour.
std::unique_ptr<PictureView> makePictureView(PictureId picture);

// The same from given bytes, as a picture box would get them; nullptr where their header is not
// that of a picture of the kind. The views decode when they are first needed, so the bytes must
// outlive the view; a picture that fails then leaves the box showing only its background.
std::unique_ptr<PictureView> makeLogoView(std::span<const std::uint8_t> png);
std::unique_ptr<PictureView> makeAnimationView(std::span<const std::uint8_t> gif);

// The window icon; an empty icon (the platform's default) when it cannot be decoded.
QIcon windowIcon();

// The hand pointer of the enter picture; nullopt (the default pointer) when it cannot be read.
std::optional<QCursor> handPointer();

} // namespace ui
