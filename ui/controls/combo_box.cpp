#include "ui/controls/combo_box.h"

#include "ui/controls/colours.h"
#include "ui/controls/fonts.h"
#include "ui/texts/gbk_text.h"

#include <QProxyStyle>
#include <QStyleOptionComboBox>
#include <QStyledItemDelegate>
#include <algorithm>

namespace ui {
namespace {

// Each list item is one pixel taller than the platform's item height for the font.
class TallerItemDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(0, 1);
    }
};

// A drop-down list as the form draws it: a white selection field with the arrow button at its
// right end, and a list that opens below the field (Fusion draws a button and opens the list over
// the field, lined up on the current item).
class DropDownListStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ComboBox_Popup) {
            return 0;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override {
        if (const auto* box = qstyleoption_cast<const QStyleOptionComboBox*>(option);
            box && control == CC_ComboBox) {
            QStyleOptionComboBox field = *box;
            field.editable = true; // drawn as a text field, although no text can be typed
            QProxyStyle::drawComplexControl(control, &field, painter, widget);
            return;
        }
        QProxyStyle::drawComplexControl(control, option, painter, widget);
    }
};

} // namespace

ComboBoxControl::ComboBoxControl(const ControlRecord& record, FormWindow& window, QWidget* parent)
    : WidgetControl(record, window, new QComboBox(parent)),
      combo_(static_cast<QComboBox*>(widget())) {
    combo_->setEditable(false);
    auto* style = new DropDownListStyle;
    style->setParent(combo_);
    combo_->setStyle(style);
    combo_->setFont(buildFont(record.font));
    combo_->setItemDelegate(new TallerItemDelegate(combo_));
    QPalette palette = combo_->palette();
    palette.setColor(QPalette::Base, toQColor(record.background));
    palette.setColor(QPalette::Text, toQColor(record.textColour));
    palette.setColor(QPalette::ButtonText, toQColor(record.textColour));
    combo_->setPalette(palette);
    for (const char* item : record.items) {
        combo_->addItem(fromGbk(item));
    }
    combo_->setCurrentIndex(record.currentItem);
    // Built 160 high with its list; the closed control shows only the selection field, whose
    // height follows from its font.
    combo_->resize(record.width, combo_->sizeHint().height());
    QObject::connect(combo_, &QComboBox::activated, combo_, [this] {
        // Delivered by the event loop once the choice has been handled and the list has closed.
        QMetaObject::invokeMethod(
            combo_, [this] { raise(Event::ListItemSelected); }, Qt::QueuedConnection);
    });
}

Value ComboBoxControl::read(Property property) const {
    switch (property) {
    case Property::CurrentItem:
        return combo_->currentIndex();
    case Property::Height:
        return comboBoxBuiltHeight;
    default:
        return WidgetControl::read(property);
    }
}

void ComboBoxControl::write(Property property, const Value& value) {
    if (property == Property::CurrentItem) {
        combo_->setCurrentIndex(std::clamp(value.integer(), -1, combo_->count() - 1));
    } else if (property != Property::Height) {
        WidgetControl::write(property, value);
    }
}

} // namespace ui

#include "combo_box.moc"
