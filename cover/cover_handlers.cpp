#include "cover/cover_handlers.h"

#include "app/operations/operations.h"
#include "ui/controls/properties.h"
#include "ui/form/number_grid.h"
#include "ui/texts/program_texts.h"

namespace cover {

using namespace ui;
using namespace app;

namespace {

constexpr int tickPeriod = 1000;
constexpr int enterPause = 500;

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
    writeProperty(cell(5), Property::TextColour, static_cast<std::int32_t>(highlightColour));
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
    if (messageBox(texts::exitQuestion, buttonsYesNo, Text(texts::exitCaption)) != resultNo) {
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
