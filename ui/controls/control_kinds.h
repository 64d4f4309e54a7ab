#pragma once
// The vocabulary of the control layer: kinds of control, their properties and their events.

#include <cstdint>

namespace ui {

enum class Kind {
    Window,
    GroupBox,
    EditBox,
    PicBox,
    TransLabel,
    CheckBox,
    ComboBox,
    Button,
    Timer
};

enum class Property {
    Left,
    Top,
    Width,
    Height,
    Visible,
    Text,
    TextColour,
    FontSize,
    ReadOnly,
    Checked,
    CurrentItem,
    TimerPeriod,
};

enum class Event {
    Created,
    Clicked,
    ListItemSelected,
    Periodic,
    MouseMoved,
    LeftButtonPressed,
    ContentChanged,
};

// A colour 0x00BBGGRR, red in the low byte. As a background, buttonFace stands for the system's
// button-face colour.
using Colour = std::uint32_t;
inline constexpr Colour buttonFace = 0xFF000000;
inline constexpr Colour white = 0x00FFFFFF;

// Arguments of the mouse events: the pointer in the control's own coordinates, and the sum of
// 1 for Ctrl, 2 for Shift and 4 for Alt.
struct EventArgs {
    std::uint16_t x = 0;
    std::uint16_t y = 0;
    int keyState = 0;
};

} // namespace ui
