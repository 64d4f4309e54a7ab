#include "ui/controls/button.h"

#include "ui/controls/fonts.h"
#include "ui/texts/gbk_text.h"

#include <QPushButton>

namespace ui {

ButtonControl::ButtonControl(const ControlRecord& record, FormWindow& window, QWidget* parent)
    : WidgetControl(record, window, new QPushButton(fromGbk(record.text), parent)) {
    auto* button = static_cast<QPushButton*>(widget());
    button->setFont(buildFont(record.font));
    button->setAutoDefault(false);
    button->setDefault(false);
    QObject::connect(button, &QPushButton::clicked, button, [this] { raise(Event::Clicked); });
}

} // namespace ui
