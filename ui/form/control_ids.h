#pragma once
// The identifiers of the main window and its controls. Handlers address controls by these names,
// which are the controls' own names in the form.

#include <cstdint>

namespace ui {

using ControlId = std::uint32_t;

inline constexpr ControlId 主窗口 = 0x52010001; // the main window itself

inline constexpr ControlId 计时1 = 0x1601030D;
inline constexpr ControlId 透明标签1 = 0x1601030C;
inline constexpr ControlId 透明标签2 = 0x1601030B;
inline constexpr ControlId 签名 = 0x160102D7;
inline constexpr ControlId 分组框2 = 0x160102B3;
inline constexpr ControlId 选择框1 = 0x160102D5;
inline constexpr ControlId Logo = 0x160102C3;
inline constexpr ControlId 时钟1 = 0x160102B7;
inline constexpr ControlId 组合框1 = 0x1601008A;
inline constexpr ControlId 按钮1 = 0x1601000C;
inline constexpr ControlId 点击进入 = 0x160102D0;
inline constexpr ControlId 底板 = 0x16010308;
inline constexpr ControlId 分组框1 = 0x16010002;

// Grid cell k (1..36) is the edit box 编辑框k.
inline constexpr int cellCount = 36;
ControlId cell(int k);

} // namespace ui
