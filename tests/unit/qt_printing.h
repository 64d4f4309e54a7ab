#pragma once
// Lets GoogleTest print Qt values in its failure messages.

#include <QRect>
#include <QString>
#include <ostream>

inline std::ostream& operator<<(std::ostream& out, const QString& text) {
    return out << text.toStdString();
}
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QRect& r, std::ostream* out) {
    *out << "QRect(" << r.x() << ", " << r.y() << ", " << r.width() << " x " << r.height() << ")";
}
inline void PrintTo(const QPoint& p, std::ostream* out) {
    *out << "(" << p.x() << ", " << p.y() << ")";
}
