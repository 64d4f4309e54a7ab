#include "ui/controls/group_box.h"

#include "ui/controls/colours.h"
#include "ui/controls/fonts.h"
#include "ui/texts/gbk_text.h"

#include <QApplication>
#include <QPainter>
#include <qdrawutil.h>

namespace ui {

GroupBoxWidget::GroupBoxWidget(const ControlRecord& record, QWidget* parent)
    : QGroupBox(fromGbk(record.text), parent), background_(record.background) {
    setFont(buildFont(record.font));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GroupBoxWidget::paintEvent(QPaintEvent*) {
    // The whole area in the background colour, then an etched frame line. (Qt's own group-box
    // frame would lay a translucent tint over the inside, so the white cover would not be white.)
    // The form's group boxes have empty captions, so the frame line runs unbroken.
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(background_));
    qDrawShadeRect(&painter, rect(), palette(), true, 1);
}

bool GroupBoxWidget::focusNextPrevChild(bool next) {
    // Qt asks a group box that is being hidden to pass on the focus that one of its controls holds.
    // Hiding gives no other control the focus: the window keeps it, so typing changes nothing until
    // the user clicks a control.
    if (!isVisible() && isAncestorOf(QApplication::focusWidget())) {
        window()->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return QGroupBox::focusNextPrevChild(next);
}

} // namespace ui
