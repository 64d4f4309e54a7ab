#include "ui/controls/fonts.h"

#include <QApplication>
#include <QFontMetrics>
#include <QScreen>
#include <cmath>

namespace ui {

void allowSyntheticBoldAtEverySize() {
    qputenv("QT_NO_SYNTHESIZED_BOLD_LIMIT", "1");
}

void installDefaultGuiFont() {
    QFont font(QString::fromLatin1(defaultFace));
    font.setPixelSize(defaultGuiFontHeight);
    QApplication::setFont(font);
}

QFont buildFont(const FontSpec& description) {
    QFont font = QApplication::font();
    if (description.height > 0) {
        font.setPixelSize(description.height);
    }
    font.setWeight(QFont::Weight(description.weight)); // both scales put normal at 400, bold at 700
    font.setItalic(description.italic);
    return font;
}

int screenDpiY() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<int>(std::lround(screen->logicalDotsPerInchY())) : 96;
}

int pointsToPixels(int points, int dpiY) {
    return static_cast<int>(std::lround(static_cast<double>(points) * dpiY / 72.0));
}

int pixelsToPoints(int pixels, int dpiY) {
    return static_cast<int>(std::lround(static_cast<double>(pixels) * 72.0 / dpiY));
}

int minimumOneLineHeight(const QFont& font) {
    return QFontMetrics(font).height() + 2 * edgeThickness;
}

} // namespace ui
