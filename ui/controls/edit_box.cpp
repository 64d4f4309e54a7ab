#include "ui/controls/edit_box.h"

#include "ui/controls/colours.h"
#include "ui/controls/fonts.h"
#include "ui/texts/gbk_text.h"

#include <algorithm>

namespace ui {
namespace {

constexpr int inputModeLimit = 11;
constexpr int readOnlyMode = 1;
constexpr int maskedMode = 2;

QLineEdit* makeLineEdit(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setFrame(true);
    edit->setAlignment(Qt::AlignCenter);
    return edit;
}

} // namespace

EditBoxControl::EditBoxControl(const ControlRecord& record, FormWindow& window, QWidget* parent)
    : WidgetControl(record, window, makeLineEdit(parent)), edit_(static_cast<QLineEdit*>(widget())),
      font_(record.font), textColour_(record.textColour) {
    edit_->setText(fromGbk(record.text));
    applyColours();
    applyFont();
}

Value EditBoxControl::read(Property property) const {
    switch (property) {
    case Property::Text:
        return toGbk(edit_->text());
    case Property::TextColour:
        return static_cast<std::int32_t>(textColour_);
    case Property::FontSize:
        return pixelsToPoints(font_.height, screenDpiY());
    case Property::ReadOnly:
        return inputMode_;
    default:
        return WidgetControl::read(property);
    }
}

void EditBoxControl::write(Property property, const Value& value) {
    switch (property) {
    case Property::Text:
        edit_->setText(fromGbk(value.text()));
        raise(Event::ContentChanged);
        break;
    case Property::TextColour:
        textColour_ = static_cast<Colour>(value.integer());
        applyColours();
        break;
    case Property::FontSize:
        font_.height = pointsToPixels(std::max(0, value.integer()), screenDpiY());
        applyFont();
        break;
    case Property::ReadOnly:
        inputMode_ = std::clamp(value.integer(), 0, inputModeLimit);
        edit_->setReadOnly(inputMode_ == readOnlyMode);
        edit_->setEchoMode(inputMode_ == maskedMode ? QLineEdit::Password : QLineEdit::Normal);
        applyColours(); // a read-only box keeps its colours, it is not greyed
        break;
    default:
        WidgetControl::write(property, value);
    }
}

void EditBoxControl::applyColours() {
    QPalette palette = edit_->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Text, toQColor(textColour_));
        palette.setColor(group, QPalette::Base, toQColor(record().background));
    }
    edit_->setPalette(palette);
    edit_->update();
}

void EditBoxControl::applyFont() {
    const QFont font = buildFont(font_);
    edit_->setFont(font);
    // A one-line box too low for its font grows downwards to line height plus both edges.
    const int needed = minimumOneLineHeight(font);
    if (edit_->height() < needed) {
        setHeight(needed);
    }
}

} // namespace ui
