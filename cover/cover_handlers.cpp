#include "cover/cover_handlers.h"

#include "app/operations.h"
#include "ui/controls.h"

namespace cover {

using namespace ui;
using namespace app;

namespace {

constexpr Colour highlight = 8429696;
constexpr int tickPeriod = 1000;
constexpr int enterPause = 500;

// "取消勾选程序将自动退出，需要退出吗？"
constexpr const char* exitQuestion =
    "\xc8\xa1\xcf\xfb\xb9\xb4\xd1\xa1\xb3\xcc\xd0\xf2\xbd\xab\xd7\xd4"
    "\xb6\xaf\xcd\xcb\xb3\xf6\xa3\xac\xd0\xe8\xd2\xaa\xcd\xcb\xb3\xf6"
    "\xc2\xf0\xa3\xbf";
// "友情提醒："
constexpr const char* exitCaption = "\xd3\xd1\xc7\xe9\xcc\xe1\xd0\xd1\xa3\xba";

} // namespace

void setStartState() {
    for (int k = 1; k <= cellCount; ++k) {
        writeProperty(cell(k), Property::ReadOnly, 1);
    }
    for (int k = 1; k <= 9; ++k) {
        writeProperty(cell(k), Property::Visible, true);
    }
    for (int k = 10; k <= cellCount; ++k) {
        writeProperty(cell(k), Property::Visible, false);
    }
    writeProperty(分组框2, Property::Left, 0);
    writeProperty(分组框2, Property::Top, 0);
    writeProperty(分组框2, Property::Width, 573);
    writeProperty(分组框2, Property::Height, 616);
    writeProperty(cell(5), Property::TextColour, static_cast<std::int32_t>(highlight));
    setFocus(cell(36));
    writeProperty(组合框1, Property::CurrentItem, 0);
    writeProperty(Logo, Property::Visible, false);
    writeProperty(签名, Property::Visible, false);
    writeProperty(时钟1, Property::TimerPeriod, tickPeriod);
}

void askAgreement() {
    if (readProperty(选择框1, Property::Checked).flag()) {
        writeProperty(选择框1, Property::Checked, true);
        return;
    }
    writeProperty(选择框1, Property::Checked, false);
    writeProperty(时钟1, Property::TimerPeriod, 0);
    if (messageBox(exitQuestion, buttonsYesNo, Text(exitCaption)) != resultNo) {
        destroyWindow(主窗口);
    }
    writeProperty(时钟1, Property::TimerPeriod, tickPeriod);
    writeProperty(选择框1, Property::Checked, true);
}

void countdownTick() {
    const double next = toNumber(readProperty(计时1, Property::Text).text()) - 1;
    writeProperty(计时1, Property::Text, toText(next));
    if (compareText(readProperty(计时1, Property::Text).text(), "0") == 0) {
        writeProperty(分组框2, Property::Visible, false);
    }
}

void showLogoAndSignature() {
    writeProperty(Logo, Property::Visible, true);
    writeProperty(签名, Property::Visible, true);
}

void enter() {
    sleepMs(enterPause);
    writeProperty(分组框2, Property::Visible, false);
}

void hideLogoAndSignature() {
    writeProperty(Logo, Property::Visible, false);
    writeProperty(签名, Property::Visible, false);
}

} // namespace cover
