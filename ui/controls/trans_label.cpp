#include "ui/controls/trans_label.h"

#include "ui/controls/colours.h"
#include "ui/controls/fonts.h"
#include "ui/texts/gbk_text.h"

#include <QPainter>

namespace ui {
namespace {

// The Qt text flags for a label's alignment and word wrap.
int labelTextFlags(const ControlRecord& record) {
    int flags = record.align == HAlign::Left     ? Qt::AlignLeft
                : record.align == HAlign::Centre ? Qt::AlignHCenter
                                                 : Qt::AlignRight;
    if (record.wordWrap) {
        // Broken at each line break and at the right edge; the lines run down from the top.
        flags |= Qt::TextWordWrap | Qt::AlignTop;
    } else {
        // One line, whatever line breaks it holds, placed by the vertical alignment.
        flags |= Qt::TextSingleLine;
        flags |= record.valign == VAlign::Top      ? Qt::AlignTop
                 : record.valign == VAlign::Centre ? Qt::AlignVCenter
                                                   : Qt::AlignBottom;
    }
    return flags;
}

} // namespace

TransLabelWidget::TransLabelWidget(const ControlRecord& record, QWidget* parent)
    : QWidget(parent), record_(record), caption_(record.text) {
    setFont(buildFont(record.font));
}

void TransLabelWidget::setCaption(Text caption) {
    caption_ = std::move(caption);
    // Not opaque: Qt repaints everything beneath the label first, so no trace of the old caption
    // stays.
    update();
}

void TransLabelWidget::paintEvent(QPaintEvent*) {
    if (caption_.empty()) {
        return;
    }
    QString text = fromGbk(caption_);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QPainter painter(this);
    painter.setFont(font());
    const int flags = labelTextFlags(record_);
    if (record_.whiteShadow) {
        painter.setPen(Qt::white);
        painter.drawText(rect().translated(1, 1), flags, text);
    }
    painter.setPen(toQColor(record_.textColour));
    painter.drawText(rect(), flags, text);
}

TransLabelControl::TransLabelControl(const ControlRecord& record, FormWindow& window,
                                     QWidget* parent)
    : WidgetControl(record, window, new TransLabelWidget(record, parent)),
      label_(static_cast<TransLabelWidget*>(widget())) {}

Value TransLabelControl::read(Property property) const {
    return property == Property::Text ? Value(label_->caption()) : WidgetControl::read(property);
}

void TransLabelControl::write(Property property, const Value& value) {
    if (property == Property::Text) {
        label_->setCaption(value.text());
    } else {
        WidgetControl::write(property, value);
    }
}

} // namespace ui
