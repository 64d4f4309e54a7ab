#include "app/operations/operations.h"

#include "app/operations/message_box.h"
#include "ui/controls/pic_box.h"
#include "ui/form/form_window.h"
#include "ui/form/window_widget.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <string>
#include <thread>

namespace app {

int messageBox(const ui::Text& text, int buttonSet, const std::optional<ui::Text>& caption,
               ui::ControlId owner) {
    ui::FormWindow* window = ui::FormWindow::current();
    QWidget* ownerWidget = owner != 0 && window ? &window->windowWidget() : nullptr;
    return showMessageBox(text, buttonSet, caption, ownerWidget);
}

void destroyWindow(ui::ControlId window) {
    ui::FormWindow* current = ui::FormWindow::current();
    if (current && window == ui::windowRecord().id) {
        current->requestDestroy();
    }
}

void setFocus(ui::ControlId control) {
    if (ui::FormWindow* window = ui::FormWindow::current()) {
        window->giveFocus(control);
    }
}

void sleepMs(int milliseconds) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(0, milliseconds));
    // Short waits, so that the enter picture's new frames are painted while nothing else is.
    constexpr auto step = std::chrono::milliseconds(10);
    for (auto now = Clock::now(); now < deadline; now = Clock::now()) {
        std::this_thread::sleep_for(std::min<Clock::duration>(step, deadline - now));
        ui::PicBoxWidget::paintNewFramesNow();
    }
}

ui::Text toText(int number) {
    return std::to_string(number);
}

// Numbers are written and read in the C locale, whatever locale the user runs in.
ui::Text toText(double number) {
    char buffer[32];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::general, 13);
    return {buffer, end.ptr};
}

double toNumber(std::string_view text) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    const std::string terminated(text); // strtod needs the NUL that a view lacks
    return strtod_l(terminated.c_str(), nullptr, cLocale);
}

int compareText(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

} // namespace app
