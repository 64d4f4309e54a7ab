#include "ui/accessibility/window_description.h"

#include "ui/accessibility/accessible_interfaces.h"
#include "ui/accessibility/cell_names.h"
#include "ui/controls/trans_label.h"
#include "ui/form/control_ids.h"
#include "ui/form/form_window.h"
#include "ui/texts/gbk_text.h"
#include "ui/texts/program_texts.h"

#include <QAbstractItemView>
#include <QComboBox>

namespace ui {
namespace {

// Names for the controls whose caption does not say what they are. The check box and the
// button are named by their captions, the labels by theirs after these names.
struct AccessibleName {
    ControlId control;
    const char* name; // GBK
};

using namespace texts::accessible;
constexpr AccessibleName names[] = {
    {分组框1, grid},   {分组框2, cover}, {计时1, countdown}, {签名, signature},
    {底板, coverBase}, {Logo, logo},     {点击进入, enter},  {组合框1, gridSize},
};

constexpr ControlId labels[] = {计时1, 透明标签1, 透明标签2, 签名, 底板};

} // namespace

void describeForAccessibility(FormWindow& window) {
    for (const auto& [control, name] : names) {
        window.widget(control)->setAccessibleName(fromGbk(name));
    }
    for (const ControlId label : labels) {
        describeLabel(*static_cast<TransLabelWidget*>(window.widget(label)));
    }
    // Qt on Linux names a drop-down list by its current item ("3x3"); what the list chooses is
    // told by its description and by the name of its opened list.
    auto& sizes = *static_cast<QComboBox*>(window.widget(组合框1));
    sizes.setAccessibleDescription(sizes.accessibleName());
    sizes.view()->setAccessibleName(sizes.accessibleName());
    describePicture(*window.widget(Logo), QAccessible::Graphic);
    describePicture(*window.widget(点击进入), QAccessible::Button);
    for (int k = 1; k <= cellCount; ++k) {
        nameCellByItsPlace(*window.widget(cell(k)), k);
    }
}

} // namespace ui
