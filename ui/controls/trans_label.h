#pragma once
// TransLabel: a caption drawn straight onto whatever lies beneath, with no background of its own.

#include "ui/controls/control.h"

#include <QWidget>

namespace ui {

class TransLabelWidget : public QWidget {
    Q_OBJECT

public:
    TransLabelWidget(const ControlRecord& record, QWidget* parent);

    void setCaption(Text caption);
    const Text& caption() const { return caption_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const ControlRecord& record_;
    Text caption_;
};

class TransLabelControl : public WidgetControl {
public:
    TransLabelControl(const ControlRecord& record, FormWindow& window, QWidget* parent);

    Value read(Property property) const override;
    void write(Property property, const Value& value) override;

private:
    TransLabelWidget* label_;
};

} // namespace ui
