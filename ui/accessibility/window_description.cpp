#include "ui/accessibility.h"

#include "ui/accessibility_cells.h"
#include "ui/accessibility_interfaces.h"
#include "ui/control_ids.h"
#include "ui/form_window.h"
#include "ui/trans_label.h"

#include <QAbstractItemView>
#include <QComboBox>

namespace ui {
namespace {

// Names for the controls whose caption does not say what they are. The check box and the
// button are named by their captions, the labels by theirs after these names.
struct AccessibleName {
    ControlId control;
    const char16_t* name;
};

constexpr AccessibleName names[] = {
    {分组框1, u"注意力训练"}, {分组框2, u"封面"}, {计时1, u"倒计时"},      {签名, u"签名"},
    {底板, u"封面底板"},      {Logo, u"标志"},    {点击进入, u"点击进入"}, {组合框1, u"方格大小"},
};

constexpr ControlId labels[] = {计时1, 透明标签1, 透明标签2, 签名, 底板};

} // namespace

void describeForAccessibility(FormWindow& window) {
    for (const auto& [control, name] : names) {
        window.widget(control)->setAccessibleName(QString::fromUtf16(name));
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
