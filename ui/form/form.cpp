#include "ui/form.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace ui {
namespace {

// The cell names 编辑框1 .. 编辑框36 in GBK.
#define CELL_NAME(k) "\xb1\xe0\xbc\xad\xbf\xf2" k

// "少儿成长；专注教育", "业余作品；绝无病毒", "欢迎转载；免费使用", "版权所有；翻版必究", an empty
// line between each two; 84 bytes.
constexpr const char* preface =
    "\xc9\xd9\xb6\xf9\xb3\xc9\xb3\xa4\xa3\xbb\xd7\xa8\xd7\xa2\xbd\xcc\xd3\xfd\r\n\r\n"
    "\xd2\xb5\xd3\xe0\xd7\xf7\xc6\xb7\xa3\xbb\xbe\xf8\xce\xde\xb2\xa1\xb6\xbe\r\n\r\n"
    "\xbb\xb6\xd3\xad\xd7\xaa\xd4\xd8\xa3\xbb\xc3\xe2\xb7\xd1\xca\xb9\xd3\xc3\r\n\r\n"
    "\xb0\xe6\xc8\xa8\xcb\xf9\xd3\xd0\xa3\xbb\xb7\xad\xb0\xe6\xb1\xd8\xbe\xbf";

constexpr const char* sizeItems[] = {"3x3", "4x4", "5x5", "6x6"};

// "Fokarium - 注意力训练 v1.0"
constexpr WindowRecord window{.id = 主窗口,
                              .caption = "Fokarium - \xd7\xa2\xd2\xe2\xc1\xa6\xd1\xb5\xc1\xb7 v1.0",
                              .width = 582,
                              .height = 640,
                              .background = buttonFace};

// clang-format off
// One row per control, in the form list order.
constexpr ControlRecord controls[] = {
    {.id = 计时1, .name = "\xbc\xc6\xca\xb1" "1", .kind = Kind::TransLabel, .container = 分组框2, .left = 512, .top = 16, .width = 40, .height = 40, .visible = true, .tabStop = false, .text = "10", .textColour = 0x000000FF, .font = {29, 700}, .align = HAlign::Centre, .valign = VAlign::Centre},
    {.id = 透明标签1, .name = "\xcd\xb8\xc3\xf7\xb1\xea\xc7\xa9" "1", .kind = Kind::TransLabel, .container = 分组框2, .left = 154, .top = 56, .width = 264, .height = 80, .visible = true, .tabStop = false, .text = "\xc7\xb0\xd1\xd4", .textColour = 0x000080FF, .font = {56, 700}, .align = HAlign::Centre, .valign = VAlign::Centre},
    {.id = 透明标签2, .name = "\xcd\xb8\xc3\xf7\xb1\xea\xc7\xa9" "2", .kind = Kind::TransLabel, .container = 分组框2, .left = 81, .top = 172, .width = 410, .height = 272, .visible = true, .tabStop = false, .text = preface, .textColour = 0x000080FF, .font = {37, 400}, .align = HAlign::Centre, .valign = VAlign::Centre, .wordWrap = true, .whiteShadow = true},
    {.id = 签名, .name = "\xc7\xa9\xc3\xfb", .kind = Kind::TransLabel, .container = 分组框2, .left = 320, .top = 552, .width = 272, .height = 56, .visible = true, .tabStop = false, .text = "By: Varnholt", .textColour = 0, .font = {29, 700, true}, .align = HAlign::Left, .valign = VAlign::Centre},
    {.id = 分组框2, .name = "\xb7\xd6\xd7\xe9\xbf\xf2" "2", .kind = Kind::GroupBox, .container = 分组框1, .left = 0, .top = 0, .width = 573, .height = 616, .visible = true, .tabStop = false, .background = white},
    {.id = 选择框1, .name = "\xd1\xa1\xd4\xf1\xbf\xf2" "1", .kind = Kind::CheckBox, .container = 分组框2, .left = 16, .top = 561, .width = 208, .height = 42, .visible = true, .tabStop = true, .text = "\xd2\xd1\xd4\xc4\xb6\xc1\xb2\xa2\xcd\xac\xd2\xe2", .background = white, .font = {21, 400}, .checked = true},
    {.id = Logo, .name = "Logo", .kind = Kind::PicBox, .container = 分组框2, .left = 397, .top = 432, .width = 139, .height = 136, .visible = true, .tabStop = false, .background = white, .picture = PictureId::Logo},
    {.id = 时钟1, .name = "\xca\xb1\xd6\xd3" "1", .kind = Kind::Timer, .container = 分组框1, .left = 32, .top = 16, .width = 32, .height = 32, .visible = false, .tabStop = false, .timerPeriod = 0},
    {.id = 0x16010137, .name = CELL_NAME("36"), .kind = Kind::EditBox, .container = 分组框1, .left = 64, .top = 72, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x16010136, .name = CELL_NAME("35"), .kind = Kind::EditBox, .container = 分组框1, .left = 72, .top = 72, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x16010135, .name = CELL_NAME("34"), .kind = Kind::EditBox, .container = 分组框1, .left = 64, .top = 80, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x16010134, .name = CELL_NAME("33"), .kind = Kind::EditBox, .container = 分组框1, .left = 56, .top = 88, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x16010133, .name = CELL_NAME("32"), .kind = Kind::EditBox, .container = 分组框1, .left = 72, .top = 96, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x16010132, .name = CELL_NAME("31"), .kind = Kind::EditBox, .container = 分组框1, .left = 48, .top = 64, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x16010131, .name = CELL_NAME("30"), .kind = Kind::EditBox, .container = 分组框1, .left = 56, .top = 72, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x16010130, .name = CELL_NAME("29"), .kind = Kind::EditBox, .container = 分组框1, .left = 64, .top = 80, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x1601012F, .name = CELL_NAME("28"), .kind = Kind::EditBox, .container = 分组框1, .left = 72, .top = 64, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x1601012E, .name = CELL_NAME("27"), .kind = Kind::EditBox, .container = 分组框1, .left = 48, .top = 64, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x1601012D, .name = CELL_NAME("26"), .kind = Kind::EditBox, .container = 分组框1, .left = 80, .top = 64, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x1601012C, .name = CELL_NAME("25"), .kind = Kind::EditBox, .container = 分组框1, .left = 64, .top = 64, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x1601012B, .name = CELL_NAME("24"), .kind = Kind::EditBox, .container = 分组框1, .left = 56, .top = 64, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x1601012A, .name = CELL_NAME("23"), .kind = Kind::EditBox, .container = 分组框1, .left = 56, .top = 72, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x16010129, .name = CELL_NAME("22"), .kind = Kind::EditBox, .container = 分组框1, .left = 72, .top = 80, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x16010128, .name = CELL_NAME("21"), .kind = Kind::EditBox, .container = 分组框1, .left = 72, .top = 72, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x16010127, .name = CELL_NAME("20"), .kind = Kind::EditBox, .container = 分组框1, .left = 80, .top = 72, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x16010126, .name = CELL_NAME("19"), .kind = Kind::EditBox, .container = 分组框1, .left = 72, .top = 72, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x16010125, .name = CELL_NAME("18"), .kind = Kind::EditBox, .container = 分组框1, .left = 64, .top = 64, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x16010124, .name = CELL_NAME("17"), .kind = Kind::EditBox, .container = 分组框1, .left = 72, .top = 80, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x16010123, .name = CELL_NAME("16"), .kind = Kind::EditBox, .container = 分组框1, .left = 48, .top = 88, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x16010122, .name = CELL_NAME("15"), .kind = Kind::EditBox, .container = 分组框1, .left = 80, .top = 80, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x16010121, .name = CELL_NAME("14"), .kind = Kind::EditBox, .container = 分组框1, .left = 56, .top = 104, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x16010120, .name = CELL_NAME("13"), .kind = Kind::EditBox, .container = 分组框1, .left = 72, .top = 88, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 组合框1, .name = "\xd7\xe9\xba\xcf\xbf\xf2" "1", .kind = Kind::ComboBox, .container = 分组框1, .left = 456, .top = 568, .width = 82, .height = 29, .visible = true, .tabStop = true, .background = white, .font = {21, 400}, .items = sizeItems, .currentItem = 0},
    {.id = 按钮1, .name = "\xb0\xb4\xc5\xa5" "1", .kind = Kind::Button, .container = 分组框1, .left = 247, .top = 566, .width = 78, .height = 36, .visible = true, .tabStop = true, .text = "\xbb\xbb\xd2\xbb\xc5\xfa", .align = HAlign::Centre},
    {.id = 0x160100A8, .name = CELL_NAME("10"), .kind = Kind::EditBox, .container = 分组框1, .left = 64, .top = 48, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x160100A9, .name = CELL_NAME("11"), .kind = Kind::EditBox, .container = 分组框1, .left = 64, .top = 64, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x1601011F, .name = CELL_NAME("12"), .kind = Kind::EditBox, .container = 分组框1, .left = 88, .top = 72, .width = 48, .height = 32, .visible = true, .tabStop = true, .font = {12, 700}, .align = HAlign::Centre},
    {.id = 0x16010048, .name = CELL_NAME("9"), .kind = Kind::EditBox, .container = 分组框1, .left = 375, .top = 375, .width = 180, .height = 180, .visible = true, .tabStop = true, .font = {160, 700}, .align = HAlign::Centre},
    {.id = 0x1601004A, .name = CELL_NAME("8"), .kind = Kind::EditBox, .container = 分组框1, .left = 195, .top = 375, .width = 180, .height = 180, .visible = true, .tabStop = true, .font = {160, 700}, .align = HAlign::Centre},
    {.id = 0x1601004B, .name = CELL_NAME("7"), .kind = Kind::EditBox, .container = 分组框1, .left = 15, .top = 375, .width = 180, .height = 180, .visible = true, .tabStop = true, .font = {160, 700}, .align = HAlign::Centre},
    {.id = 0x1601004C, .name = CELL_NAME("4"), .kind = Kind::EditBox, .container = 分组框1, .left = 15, .top = 195, .width = 180, .height = 180, .visible = true, .tabStop = true, .font = {160, 700}, .align = HAlign::Centre},
    {.id = 0x16010049, .name = CELL_NAME("5"), .kind = Kind::EditBox, .container = 分组框1, .left = 195, .top = 195, .width = 180, .height = 180, .visible = true, .tabStop = true, .font = {160, 700}, .align = HAlign::Centre},
    {.id = 0x16010047, .name = CELL_NAME("6"), .kind = Kind::EditBox, .container = 分组框1, .left = 375, .top = 195, .width = 180, .height = 180, .visible = true, .tabStop = true, .font = {160, 700}, .align = HAlign::Centre},
    {.id = 0x16010046, .name = CELL_NAME("3"), .kind = Kind::EditBox, .container = 分组框1, .left = 375, .top = 15, .width = 180, .height = 180, .visible = true, .tabStop = true, .font = {160, 700}, .align = HAlign::Centre},
    {.id = 0x1601003E, .name = CELL_NAME("2"), .kind = Kind::EditBox, .container = 分组框1, .left = 195, .top = 15, .width = 180, .height = 180, .visible = true, .tabStop = true, .font = {160, 700}, .align = HAlign::Centre},
    {.id = 0x16010034, .name = CELL_NAME("1"), .kind = Kind::EditBox, .container = 分组框1, .left = 15, .top = 15, .width = 180, .height = 180, .visible = true, .tabStop = true, .font = {160, 700}, .align = HAlign::Centre},
    {.id = 点击进入, .name = "\xb5\xe3\xbb\xf7\xbd\xf8\xc8\xeb", .kind = Kind::PicBox, .container = 分组框2, .left = 246, .top = 482, .width = 80, .height = 80, .visible = true, .tabStop = false, .background = white, .picture = PictureId::Enter, .handPointer = true},
    {.id = 底板, .name = "\xb5\xd7\xb0\xe5", .kind = Kind::TransLabel, .container = 分组框2, .left = 104, .top = 352, .width = 368, .height = 262, .visible = true, .tabStop = false, .textColour = 0, .align = HAlign::Left, .valign = VAlign::Centre},
    {.id = 分组框1, .name = "\xb7\xd6\xd7\xe9\xbf\xf2" "1", .kind = Kind::GroupBox, .container = 主窗口, .left = 1, .top = 0, .width = 573, .height = 616, .visible = true, .tabStop = false, .background = buttonFace},
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

const WindowRecord& formWindow() {
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
        const std::string_view prefix = CELL_NAME("");
        for (const ControlRecord& r : controls) {
            const std::string_view name = r.name;
            if (r.kind == Kind::EditBox && name.starts_with(prefix)) {
                result[static_cast<std::size_t>(
                    std::stoi(std::string(name.substr(prefix.size()))))] = r.id;
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
