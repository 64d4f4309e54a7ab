#include "ui/controls/timer.h"

#include "ui/texts/gbk_text.h"

#include <algorithm>

namespace ui {

TimerControl::TimerControl(const ControlRecord& record, FormWindow& window, QObject* owner)
    : Control(record, window), timer_(new QTimer(owner)) {
    timer_->setObjectName(fromGbk(record.name));
    timer_->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer_, &QTimer::timeout, timer_, [this] { raise(Event::Periodic); });
    setPeriod(record.timerPeriod);
}

Value TimerControl::read(Property property) const {
    return property == Property::TimerPeriod ? Value(period_) : Control::read(property);
}

void TimerControl::write(Property property, const Value& value) {
    if (property == Property::TimerPeriod) {
        setPeriod(std::max(0, value.integer()));
    }
}

void TimerControl::setPeriod(int period) {
    if (period == period_) {
        return; // a running timer goes on with its interval undisturbed
    }
    period_ = period;
    timer_->stop();
    if (period_ > 0) {
        timer_->start(period_); // the first tick falls one period after this write
    }
}

} // namespace ui
