#pragma once
// The main window, built from the form's window record and control records: its Qt window (the
// WindowWidget), one control per control record, and the event bindings. While it exists it is the
// window that readProperty and writeProperty address.

#include "ui/controls/control.h"
#include "ui/form/form.h"

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace ui {

class WindowWidget;

using EventHandler = std::function<void(const EventArgs&)>;

class FormWindow {
public:
    // Builds the window hidden, with every control created from its form record, attached to its
    // container, stacked by the form list order and shown or hidden by its visible flag.
    FormWindow();
    ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    // The window being addressed by the control layer, or nullptr.
    static FormWindow* current();

    void bind(ControlId control, Event event, EventHandler handler);
    // Runs the handler bound to the event, if there is one; an unbound event is dropped.
    void raise(ControlId control, Event event, EventArgs args = {});

    // Raises the created event, then shows the window centred on the primary screen.
    void createAndShow();

    Control& control(ControlId id) const; // throws NoSuchControl
    QWidget* widget(ControlId id) const { return control(id).widget(); }
    WindowWidget& windowWidget() const { return *main_; }
    // The topmost control on screen under a point of the screen, or nullptr.
    Control* controlAt(const QPoint& globalPosition) const;

    // Gives the keyboard focus to a control, also a hidden one. Qt refuses the focus to hidden
    // widgets, so then the window itself holds it: no caret shows and no key but Esc does anything.
    void giveFocus(ControlId id);
    ControlId focusHolder() const { return focusHolder_; }

    // Called when the user closes the window (close button, Alt+F4, Esc).
    void onCloseRequested(std::function<void()> callback);

    // destroyWindow: asks whoever keeps the window (onDestroyRequested) to destroy it. The keeper
    // does so once the event loop delivers its request, so the asking handler runs to its end.
    void requestDestroy();
    void onDestroyRequested(std::function<void()> keeper);

private:
    std::unique_ptr<WindowWidget> main_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::map<std::pair<ControlId, Event>, EventHandler> bindings_;
    std::function<void()> destroyKeeper_;
    ControlId focusHolder_ = 0;
};

} // namespace ui
