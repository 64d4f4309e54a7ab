#include "ui/group_box.h"

#include "ui/colours.h"
#include "ui/fonts.h"
#include "ui/gbk_text.h"

#include <QPainter>

namespace ui {

GroupBoxWidget::GroupBoxWidget(const ControlRecord& record, QWidget* parent)
    : QGroupBox(fromGbk(record.text), parent), background_(record.background) {
    setFont(buildFont(record.font));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GroupBoxWidget::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        painter.fillRect(rect(), toQColor(background_));
    }
    QGroupBox::paintEvent(event);
}

} // namespace ui
