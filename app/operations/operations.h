#pragma once
// The operations that handlers call besides reading and writing control properties.

#include "ui/form/control_ids.h"
#include "ui/texts/text.h"

#include <optional>
#include <string_view>

namespace app {

// Message box button sets, as numbered by the platform's message-box style.
inline constexpr int buttonsYesNo = 4;

// Pressed-button results.
enum MessageBoxResult {
    resultOk = 0,
    resultCancel,
    resultAbort,
    resultRetry,
    resultIgnore,
    resultYes,
    resultNo
};

// Shows a task-modal box (every window of the program disabled meanwhile) and waits for the
// answer. The owner, if given, is the window the box belongs to.
int messageBox(const ui::Text& text, int buttonSet, const std::optional<ui::Text>& caption,
               ui::ControlId owner = 0);

// Marks the window for destruction and returns at once; it goes when the event loop delivers
// the destroy message. Later writes of the calling handler still take effect.
void destroyWindow(ui::ControlId window);

// Gives the keyboard focus to a control, also a hidden one.
void setFocus(ui::ControlId control);

// Blocks the GUI thread: no event, no timer tick, no repaint, except the animation of the enter
// picture, which keeps drawing. A negative count is 0.
void sleepMs(int milliseconds);

// Decimal form of an integer; the shortest "%.13g" form of a double.
ui::Text toText(int number);
ui::Text toText(double number);

// The leading decimal number of a text, by the rules of atof; 0 when there is none.
double toNumber(std::string_view text);

// Byte-wise comparison as unsigned bytes: -1, 0 or +1. A missing text equals the empty one.
int compareText(std::string_view a, std::string_view b);

} // namespace app
