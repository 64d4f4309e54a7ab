#pragma once

#include "ui/controls/control_kinds.h"

#include <QColor>

namespace ui {

// 0x00BBGGRR to a Qt colour; buttonFace becomes the platform's button-face colour.
QColor toQColor(Colour colour);

} // namespace ui
