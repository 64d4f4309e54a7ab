#pragma once
// The Qt window of the main window (the window record's widget, as a group box's is a
// GroupBoxWidget): a top-level widget, fixed 582 x 640 outside, frame included, centred on the
// primary screen; minimize and close buttons, no maximize, not resizable; Esc closes it.

#include "ui/form/form.h"

#include <QWidget>
#include <functional>

namespace ui {

class WindowWidget : public QWidget {
    Q_OBJECT

public:
    explicit WindowWidget(const WindowRecord& record);

    // Shows the window at its place: (screen - outer size) / 2 on the whole primary screen.
    void showCentred();

    // The frame's top-left corner where the window belongs.
    QPoint homePosition() const;

    void setCloseCallback(std::function<void()> callback) { onClose_ = std::move(callback); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    // Sizes the client area so that, with the frame the window manager gives it, the window is
    // exactly its outer size, and puts the frame at the home position. The frame is known only
    // once the window manager has taken the window, so this runs again whenever it changes.
    void fitToFrame();

    QSize outerSize_;
    QMargins appliedFrame_{-1, -1, -1, -1};
    bool fitting_ = false;
    std::function<void()> onClose_;
};

} // namespace ui
