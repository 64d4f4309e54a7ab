#pragma once
// The program's texts are GBK bytes; they become Unicode only where Qt shows or reports them.

#include "ui/texts/text.h"

#include <QString>
#include <string_view>

namespace ui {

// GBK bytes to Unicode for Qt. Bytes that are not valid GBK become U+FFFD, never a failure.
QString fromGbk(std::string_view gbk);

// Unicode back to GBK (what the user typed into a box). Characters GBK lacks become '?'.
Text toGbk(const QString& text);

} // namespace ui
