#pragma once
// GroupBox: a panel that fills its whole area with its background colour, draws its frame line
// (its caption is empty here) and holds other controls.

#include "ui/controls/control.h"

#include <QGroupBox>

namespace ui {

class GroupBoxWidget : public QGroupBox {
    Q_OBJECT

public:
    GroupBoxWidget(const ControlRecord& record, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    Colour background_;
};

class GroupBoxControl : public WidgetControl {
public:
    GroupBoxControl(const ControlRecord& record, FormWindow& window, QWidget* parent)
        : WidgetControl(record, window, new GroupBoxWidget(record, parent)) {}
};

} // namespace ui
