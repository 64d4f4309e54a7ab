#include "ui/controls/control.h"

#include "ui/form/form_window.h"
#include "ui/texts/gbk_text.h"

#include <QMouseEvent>
#include <algorithm>

namespace ui {

Value Control::read(Property) const {
    return std::int32_t{0};
}

void Control::write(Property, const Value&) {}

void Control::raise(Event event, EventArgs args) {
    window_.raise(id(), event, args);
}

WidgetControl::WidgetControl(const ControlRecord& record, FormWindow& window, QWidget* widget)
    : Control(record, window), widget_(widget) {
    widget_->setObjectName(fromGbk(record.name));
    widget_->setGeometry(record.left, record.top, record.width, record.height);
    // A control without a tab stop (a label, a picture, a group box) never takes the focus, not
    // even on a click: the keys stay where they were.
    widget_->setFocusPolicy(record.tabStop ? Qt::StrongFocus : Qt::NoFocus);
    widget_->setAttribute(Qt::WA_NoMousePropagation);
    routeMouseEvents(*this, *widget_);
}

Value WidgetControl::read(Property property) const {
    switch (property) {
    case Property::Left:
        return widget_->x();
    case Property::Top:
        return widget_->y();
    case Property::Width:
        return widget_->width();
    case Property::Height:
        return widget_->height();
    case Property::Visible:
        return !widget_->isHidden();
    default:
        return Control::read(property);
    }
}

void WidgetControl::write(Property property, const Value& value) {
    const int position = std::clamp(value.integer(), -coordinateLimit, coordinateLimit);
    const int size = std::clamp(value.integer(), 0, coordinateLimit);
    switch (property) {
    case Property::Left:
        widget_->move(position, widget_->y());
        break;
    case Property::Top:
        widget_->move(widget_->x(), position);
        break;
    case Property::Width:
        widget_->resize(size, widget_->height());
        break;
    case Property::Height:
        setHeight(size);
        break;
    case Property::Visible:
        widget_->setVisible(value.flag());
        break;
    default:
        Control::write(property, value);
    }
}

void WidgetControl::setHeight(int height) {
    widget_->resize(widget_->width(), height);
}

namespace {

int keyState(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ControlModifier ? 1 : 0) + (modifiers & Qt::ShiftModifier ? 2 : 0) +
           (modifiers & Qt::AltModifier ? 4 : 0);
}

class MouseEventRouter : public QObject {
    Q_OBJECT

public:
    MouseEventRouter(Control& control, QWidget& widget) : QObject(&widget), control_(control) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        const bool move = event->type() == QEvent::MouseMove;
        const bool press = event->type() == QEvent::MouseButtonPress &&
                           static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
        if (!move && !press) {
            return false;
        }
        const auto* mouse = static_cast<QMouseEvent*>(event);
        Control* target = &control_;
        QPoint at = mouse->position().toPoint();
        if (move && mouse->buttons() != Qt::NoButton) {
            // While a button is held Qt sends every move to the widget where it went down; the
            // move belongs to the control under the pointer.
            const QPoint global = mouse->globalPosition().toPoint();
            target = control_.window().controlAt(global);
            if (!target) {
                return false;
            }
            at = target->widget()->mapFromGlobal(global);
        }
        target->raise(move ? Event::MouseMoved : Event::LeftButtonPressed,
                      {static_cast<std::uint16_t>(at.x()), static_cast<std::uint16_t>(at.y()),
                       keyState(mouse->modifiers())});
        return false; // the widget then handles the input as usual
    }

private:
    Control& control_;
};

} // namespace

void routeMouseEvents(Control& control, QWidget& widget) {
    widget.setMouseTracking(true);
    widget.installEventFilter(new MouseEventRouter(control, widget));
}

} // namespace ui

#include "control.moc"
