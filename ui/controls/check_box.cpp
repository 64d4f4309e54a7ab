#include "ui/controls/check_box.h"

#include "ui/controls/colours.h"
#include "ui/controls/fonts.h"
#include "ui/texts/gbk_text.h"

namespace ui {
namespace {

// A click anywhere in the box's rectangle toggles it, not only on the mark and the caption's text.
class WholeAreaCheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    bool hitButton(const QPoint& position) const override { return rect().contains(position); }
};

} // namespace

CheckBoxControl::CheckBoxControl(const ControlRecord& record, FormWindow& window, QWidget* parent)
    : WidgetControl(record, window, new WholeAreaCheckBox(fromGbk(record.text), parent)),
      box_(static_cast<QCheckBox*>(widget())) {
    box_->setFont(buildFont(record.font));
    QPalette palette = box_->palette();
    palette.setColor(QPalette::Window, toQColor(record.background));
    palette.setColor(QPalette::Button,
                     toQColor(record.background)); // a button's own background role
    palette.setColor(QPalette::WindowText, toQColor(record.textColour));
    box_->setPalette(palette);
    box_->setAutoFillBackground(true);
    box_->setChecked(record.checked);
    QObject::connect(box_, &QCheckBox::clicked, box_, [this] { raise(Event::Clicked); });
}

Value CheckBoxControl::read(Property property) const {
    return property == Property::Checked ? Value(box_->isChecked()) : WidgetControl::read(property);
}

void CheckBoxControl::write(Property property, const Value& value) {
    if (property == Property::Checked) {
        box_->setChecked(value.flag()); // setChecked emits toggled, never clicked
    } else {
        WidgetControl::write(property, value);
    }
}

} // namespace ui
