#pragma once
// Timer: nothing on screen; raises its periodic event every period while it runs.

#include "ui/controls/control.h"

#include <QTimer>

namespace ui {

class TimerControl : public Control {
public:
    TimerControl(const ControlRecord& record, FormWindow& window, QObject* owner);

    QWidget* widget() const override { return nullptr; }
    Value read(Property property) const override;
    void write(Property property, const Value& value) override;

private:
    void setPeriod(int period);

    QTimer* timer_;
    int period_ = 0;
};

} // namespace ui
