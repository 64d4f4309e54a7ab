#include "ui/controls/colours.h"

#include <QApplication>
#include <QPalette>

namespace ui {

QColor toQColor(Colour colour) {
    if (colour == buttonFace) {
        return QApplication::palette().color(QPalette::Button);
    }
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

} // namespace ui
