#include "ui/form/form_window.h"

#include "ui/accessibility/window_description.h"
#include "ui/controls/button.h"
#include "ui/controls/check_box.h"
#include "ui/controls/combo_box.h"
#include "ui/controls/edit_box.h"
#include "ui/controls/group_box.h"
#include "ui/controls/pic_box.h"
#include "ui/controls/properties.h"
#include "ui/controls/timer.h"
#include "ui/controls/trans_label.h"
#include "ui/form/window_widget.h"
#include "ui/picture_views/picture_views.h"

namespace ui {
namespace {

FormWindow* currentWindow = nullptr;

std::unique_ptr<Control> makeControl(const ControlRecord& record, FormWindow& window,
                                     QWidget* parent) {
    switch (record.kind) {
    case Kind::GroupBox:
        return std::make_unique<GroupBoxControl>(record, window, parent);
    case Kind::EditBox:
        return std::make_unique<EditBoxControl>(record, window, parent);
    case Kind::PicBox:
        return std::make_unique<PicBoxControl>(record, window, parent);
    case Kind::TransLabel:
        return std::make_unique<TransLabelControl>(record, window, parent);
    case Kind::CheckBox:
        return std::make_unique<CheckBoxControl>(record, window, parent);
    case Kind::ComboBox:
        return std::make_unique<ComboBoxControl>(record, window, parent);
    case Kind::Button:
        return std::make_unique<ButtonControl>(record, window, parent);
    case Kind::Timer:
        return std::make_unique<TimerControl>(record, window, parent);
    case Kind::Window:
        break;
    }
    throw std::logic_error("the form holds a control of no known kind");
}

} // namespace

NoSuchControl::NoSuchControl(ControlId id)
    : std::runtime_error("no control with identifier " + std::to_string(id)) {}

FormWindow::FormWindow() : main_(std::make_unique<WindowWidget>(windowRecord())) {
    main_->setWindowIcon(windowIcon());
    for (const ControlRecord& record : formControls()) {
        controls_.push_back(makeControl(record, *this, main_.get()));
    }
    // Attach each control to its container; walking the form list and putting each control below
    // the ones before it makes the form list order the top-to-bottom order among siblings.
    for (const auto& control : controls_) {
        QWidget* widget = control->widget();
        if (!widget) {
            continue; // a timer is never shown
        }
        const ControlId container = control->record().container;
        widget->setParent(container == windowRecord().id ? main_.get() : this->widget(container));
        widget->lower();
        widget->setVisible(control->record().visible);
    }
    currentWindow = this;
    describeForAccessibility(*this);
}

FormWindow::~FormWindow() {
    if (currentWindow == this) {
        currentWindow = nullptr;
    }
    main_.reset(); // the widgets go first: they may still report to their controls while they do
    controls_.clear();
}

FormWindow* FormWindow::current() {
    return currentWindow;
}

void FormWindow::bind(ControlId control, Event event, EventHandler handler) {
    bindings_[{control, event}] = std::move(handler);
}

void FormWindow::raise(ControlId control, Event event, EventArgs args) {
    const auto found = bindings_.find({control, event});
    if (found != bindings_.end() && found->second) {
        found->second(args);
    }
}

void FormWindow::createAndShow() {
    raise(windowRecord().id, Event::Created);
    main_->showCentred();
}

Control& FormWindow::control(ControlId id) const {
    for (const auto& control : controls_) {
        if (control->id() == id) {
            return *control;
        }
    }
    throw NoSuchControl(id);
}

Control* FormWindow::controlAt(const QPoint& globalPosition) const {
    QWidget* hit = main_->childAt(main_->mapFromGlobal(globalPosition));
    for (; hit && hit != main_.get(); hit = hit->parentWidget()) {
        for (const auto& control : controls_) {
            if (control->widget() == hit) {
                return control.get();
            }
        }
    }
    return nullptr;
}

void FormWindow::giveFocus(ControlId id) {
    QWidget* target = id == windowRecord().id ? main_.get() : widget(id);
    focusHolder_ = id;
    if (target && (target == main_.get() || target->isVisibleTo(main_.get()))) {
        target->setFocus(Qt::OtherFocusReason);
    } else {
        main_->setFocus(Qt::OtherFocusReason);
    }
}

void FormWindow::onCloseRequested(std::function<void()> callback) {
    main_->setCloseCallback(std::move(callback));
}

void FormWindow::requestDestroy() {
    if (destroyKeeper_) {
        destroyKeeper_();
    }
}

void FormWindow::onDestroyRequested(std::function<void()> keeper) {
    destroyKeeper_ = std::move(keeper);
}

Value readProperty(ControlId control, Property property) {
    FormWindow* window = FormWindow::current();
    if (!window) {
        throw NoSuchControl(control);
    }
    return window->control(control).read(property);
}

void writeProperty(ControlId control, Property property, const Value& value) {
    FormWindow* window = FormWindow::current();
    if (!window) {
        throw NoSuchControl(control);
    }
    window->control(control).write(property, value);
}

} // namespace ui
