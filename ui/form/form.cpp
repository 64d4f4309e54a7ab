#include "ui/form/form.h"

#include "ui/texts/program_texts.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace ui {
namespace {

using namespace texts;

// The cell names 编辑框1 .. 编辑框36: the edit box's name followed by the cell's number.
constexpr std::string_view cellNamePrefix = names::编辑框;
constexpr auto cellNames = [] {
    std::array<std::array<char, cellNamePrefix.size() + 3>, cellCount + 1> result{};
    for (int k = 1; k <= cellCount; ++k) {
        auto& name = result[static_cast<std::size_t>(k)];
        auto* end = std::copy(cellNamePrefix.begin(), cellNamePrefix.end(), name.begin());
        if (k >= 10) {
            *end++ = static_cast<char>('0' + k / 10);
        }
        *end = static_cast<char>('0' + k % 10);
    }
    return result;
}();
constexpr const char* cellName(int k) {
    return cellNames[static_cast<std::size_t>(k)].data();
}

constexpr const char* sizeItems[] = {"3x3", "4x4", "5x5", "6x6"};

constexpr WindowRecord window{
    .id = 主窗口, .caption = caption, .width = 582, .height = 640, .background = buttonFace};

// clang-format off
// One row per control, in the form list order.
constexpr ControlRecord controls[] = {
    {.id = 计时1, .name = names::计时1, .kind = Kind::TransLabel, .container = 分组框2, .left = 512, .top = 16, .width = 40, .height = 40, .visible = true, .tabStop = false, .text = "10", .textColour = 0x000000FF, .font = {29, 700}, .align = HAlign::Centre, .valign = VAlign::Centre},
    {.id = 透明标签1, .name = names::透明标签1, .kind = Kind::TransLabel, .container = 分组框2, .left = 154, .top = 56, .width = 264, .height = 80, .visible = true, .tabStop = false, .text = prefaceTitle, .textColour = 0x000080FF, .font = {56, 700}, .align = HAlign::Centre, .valign = VAlign::Centre},
    {.id = 透明标签2, .name = names::透明标签2, .kind = Kind::TransLabel, .container = 分组框2, .left = 81, .top = 172, .width = 410, .height = 272, .visible = true, .tabStop = false, .text = preface, .textColour = 0x000080FF, .font = {37, 400}, .align = HAlign::Centre, .valign = VAlign::Centre, .wordWrap = true, .whiteShadow = true},
    {.id = 签名, .name = names::签名, .kind = Kind::TransLabel, .container = 分组框2, .left = 320, .top = 552, .width = 272, .height = 56, .visible = true, .tabStop = false, .text = signature, .textColour = 0, .font = {29, 700, true}, .align = HAlign::Left, .valign = VAlign::Centre},
    {.id = 分组框2, .name = names::分组框2, .kind = Kind::GroupBox, .container = 分组框1, .left = 0, .top = 0, .width = 573, .height = 616, .visible = true, .tabStop = false, .background = white},
    {.id = 选择框1, .name = names::选择框1, .kind = Kind::CheckBox, .container = 分组框2, .left = 16, .top = 561, .width = 208, .height = 42, .visible = true, .tabStop = true, .text = agreement, .background = white, .font = {21, 400}, .checked = true},
    {.id = Logo, .name = names::Logo, .kind = Kind::PicBox, .container = 分组框2, .left = 397, .top = 432, .width = 139, .height = 136, .visible = true, .tabStop = false, .background = white, .picture = PictureId::Logo},
    {.id = 时钟1, .name = names::时钟1, .kind = Kind::Timer, .container = 分组框1, .left = 32, .top = 16, .width = 32, .height = 32, .visible = false, .tabStop = false, .timerPeriod = 0},
    {.id = 0x16010137, .name = cellName(36), .kind = Kind::EditBox, .container = 分组框1, .left = 64, .top = 72, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x16010136, .name = cellName(35), .kind = Kind::EditBox, .container = 分组框1, .left = 72, .top = 72, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x16010135, .name = cellName(34), .kind = Kind::EditBox, .container = 分组框1, .left = 64, .top = 80, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x16010134, .name = cellName(33), .kind = Kind::EditBox, .container = 分组框1, .left = 56, .top = 88, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x16010133, .name = cellName(32), .kind = Kind::EditBox, .container = 分组框1, .left = 72, .top = 96, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x16010132, .name = cellName(31), .kind = Kind::EditBox, .container = 分组框1, .left = 48, .top = 64, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x16010131, .name = cellName(30), .kind = Kind::EditBox, .container = 分组框1, .left = 56, .top = 72, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x16010130, .name = cellName(29), .kind = Kind::EditBox, .container = 分组框1, .left = 64, .top = 80, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x1601012F, .name = cellName(28), .kind = Kind::EditBox, .container = 分组框1, .left = 72, .top = 64, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x1601012E, .name = cellName(27), .kind = Kind::EditBox, .container = 分组框1, .left = 48, .top = 64, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x1601012D, .name = cellName(26), .kind = Kind::EditBox, .container = 分组框1, .left = 80, .top = 64, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x1601012C, .name = cellName(25), .kind = Kind::EditBox, .container = 分组框1, .left = 64, .top = 64, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x1601012B, .name = cellName(24), .kind = Kind::EditBox, .container = 分组框1, .left = 56, .top = 64, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x1601012A, .name = cellName(23), .kind = Kind::EditBox, .container = 分组框1, .left = 56, .top = 72, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x16010129, .name = cellName(22), .kind = Kind::EditBox, .container = 分组框1, .left = 72, .top = 80, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x16010128, .name = cellName(21), .kind = Kind::EditBox, .container = 分组框1, .left = 72, .top = 72, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x16010127, .name = cellName(20), .kind = Kind::EditBox, .container = 分组框1, .left = 80, .top = 72, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x16010126, .name = cellName(19), .kind = Kind::EditBox, .container = 分组框1, .left = 72, .top = 72, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x16010125, .name = cellName(18), .kind = Kind::EditBox, .container = 分组框1, .left = 64, .top = 64, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x16010124, .name = cellName(17), .kind = Kind::EditBox, .container = 分组框1, .left = 72, .top = 80, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x16010123, .name = cellName(16), .kind = Kind::EditBox, .container = 分组框1, .left = 48, .top = 88, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x16010122, .name = cellName(15), .kind = Kind::EditBox, .container = 分组框1, .left = 80, .top = 80, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x16010121, .name = cellName(14), .kind = Kind::EditBox, .container = 分组框1, .left = 56, .top = 104, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x16010120, .name = cellName(13), .kind = Kind::EditBox, .container = 分组框1, .left = 72, .top = 88, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 组合框1, .name = names::组合框1, .kind = Kind::ComboBox, .container = 分组框1, .left = 456, .top = 568, .width = 82, .height = 29, .visible = true, .tabStop = true, .background = white, .font = {21, 400}, .items = sizeItems, .currentItem = 0},
    {.id = 按钮1, .name = names::按钮1, .kind = Kind::Button, .container = 分组框1, .left = 247, .top = 566, .width = 78, .height = 36, .visible = true, .tabStop = true, .text = newBatch, .align = HAlign::Centre},
    {.id = 0x160100A8, .name = cellName(10), .kind = Kind::EditBox, .container = 分组框1, .left = 64, .top = 48, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x160100A9, .name = cellName(11), .kind = Kind::EditBox, .container = 分组框1, .left = 64, .top = 64, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x1601011F, .name = cellName(12), .kind = Kind::EditBox, .container = 分组框1, .left = 88, .top = 72, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x16010048, .name = cellName(9), .kind = Kind::EditBox, .container = 分组框1, .left = 375, .top = 375, .width = 180, .height = 180, .visible = true, .tabStop = true, .font = {160, 700}, .align = HAlign::Centre},
    {.id = 0x1601004A, .name = cellName(8), .kind = Kind::EditBox, .container = 分组框1, .left = 195, .top = 375, .width = 180, .height = 180, .visible = true, .tabStop = true, .font = {160, 700}, .align = HAlign::Centre},
    {.id = 0x1601004B, .name = cellName(7), .kind = Kind::EditBox, .container = 分组框1, .left = 15, .top = 375, .width = 180, .height = 180, .visible = true, .tabStop = true, .font = {160, 700}, .align = HAlign::Centre},
    {.id = 0x1601004C, .name = cellName(4), .kind = Kind::EditBox, .container = 分组框1, .left = 15, .top = 195, .width = 180, .height = 180, .visible = true, .tabStop = true, .font = {160, 700}, .align = HAlign::Centre},
    {.id = 0x16010049, .name = cellName(5), .kind = Kind::EditBox, .container = 分组框1, .left = 195, .top = 195, .width = 180, .height = 180, .visible = true, .tabStop = true, .font = {160, 700}, .align = HAlign::Centre},
    {.id = 0x16010047, .name = cellName(6), .kind = Kind::EditBox, .container = 分组框1, .left = 375, .top = 195, .width = 180, .height = 180, .visible = true, .tabStop = true, .font = {160, 700}, .align = HAlign::Centre},
    {.id = 0x16010046, .name = cellName(3), .kind = Kind::EditBox, .container = 分组框1, .left = 375, .top = 15, .width = 180, .height = 180, .visible = true, .tabStop = true, .font = {160, 700}, .align = HAlign::Centre},
    {.id = 0x1601003E, .name = cellName(2), .kind = Kind::EditBox, .container = 分组框1, .left = 195, .top = 15, .width = 180, .height = 180, .visible = true, .tabStop = true, .font = {160, 700}, .align = HAlign::Centre},
    {.id = 0x16010034, .name = cellName(1), .kind = Kind::EditBox, .container = 分组框1, .left = 15, .top = 15, .width = 180, .height = 180, .visible = true, .tabStop = true, .font = {160, 700}, .align = HAlign::Centre},
    {.id = 点击进入, .name = names::点击进入, .kind = Kind::PicBox, .container = 分组框2, .left = 246, .top = 482, .width = 80, .height = 80, .visible = true, .tabStop = false, .background = white, .picture = PictureId::Enter, .handPointer = true},
    {.id = 底板, .name = names::底板, .kind = Kind::TransLabel, .container = 分组框2, .left = 104, .top = 352, .width = 368, .height = 262, .visible = true, .tabStop = false, .textColour = 0, .align = HAlign::Left, .valign = VAlign::Centre},
    {.id = 分组框1, .name = names::分组框1, .kind = Kind::GroupBox, .container = 主窗口, .left = 1, .top = 0, .width = 573, .height = 616, .visible = true, .tabStop = false, .background = buttonFace},
};

constexpr Binding bindings[] = {
    {主窗口, Event::Created, HandlerId::SetStartState},
    {选择框1, Event::Clicked, HandlerId::AskAgreement},
    {时钟1, Event::Periodic, HandlerId::CountdownTick},
    {点击进入, Event::MouseMoved, HandlerId::ShowLogoAndSignature},
    {点击进入, Event::LeftButtonPressed, HandlerId::Enter},
    {底板, Event::MouseMoved, HandlerId::HideLogoAndSignature},
    {组合框1, Event::ListItemSelected, HandlerId::LayOutGrid},
    {按钮1, Event::Clicked, HandlerId::FillBatch},
};
// clang-format on

} // namespace

const WindowRecord& windowRecord() {
    return window;
}
std::span<const ControlRecord> formControls() {
    return controls;
}
std::span<const Binding> formBindings() {
    return bindings;
}

ControlId cell(int k) {
    static const auto ids = [] {
        std::array<ControlId, cellCount + 1> result{};
        for (const ControlRecord& r : controls) {
            const std::string_view name = r.name;
            if (r.kind == Kind::EditBox && name.starts_with(cellNamePrefix)) {
                result[static_cast<std::size_t>(
                    std::stoi(std::string(name.substr(cellNamePrefix.size()))))] = r.id;
            }
        }
        return result;
    }();
    return k >= 1 && k <= cellCount ? ids[static_cast<std::size_t>(k)] : 0;
}

const ControlRecord* findRecord(ControlId id) {
    const auto* found = std::find_if(std::begin(controls), std::end(controls),
                                     [id](const ControlRecord& r) { return r.id == id; });
    return found == std::end(controls) ? nullptr : found;
}

} // namespace ui
