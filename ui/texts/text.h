#pragma once
// A text of the program: GBK bytes, line breaks as CR LF. An empty text and a missing one are the
// same. Plain bytes, so that handlers need no Qt to hold one.

#include <string>

namespace ui {

using Text = std::string;

} // namespace ui
