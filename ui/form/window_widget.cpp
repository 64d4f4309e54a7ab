#include "ui/form/window_widget.h"

#include "ui/controls/colours.h"
#include "ui/texts/gbk_text.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QWindow>

namespace ui {

WindowWidget::WindowWidget(const WindowRecord& record)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      outerSize_(record.width, record.height) {
    setWindowTitle(fromGbk(record.caption));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, toQColor(record.background));
    setPalette(palette);
    setAutoFillBackground(true);
    // Until the window manager tells its frame, the client area takes the whole outer size.
    setFixedSize(outerSize_);
}

QPoint WindowWidget::homePosition() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area =
        screen ? screen->geometry() : QRect(0, 0, outerSize_.width(), outerSize_.height());
    return {area.x() + (area.width() - outerSize_.width()) / 2,
            area.y() + (area.height() - outerSize_.height()) / 2};
}

void WindowWidget::showCentred() {
    move(homePosition());
    show();
    fitToFrame();
}

void WindowWidget::fitToFrame() {
    const QWindow* handle = windowHandle();
    if (fitting_ || !handle) {
        return;
    }
    const QMargins frame = handle->frameMargins();
    if (frame == appliedFrame_) {
        return;
    }
    fitting_ = true;
    appliedFrame_ = frame;
    setFixedSize(outerSize_.width() - frame.left() - frame.right(),
                 outerSize_.height() - frame.top() - frame.bottom());
    move(homePosition()); // a top-level widget's position is that of its frame
    fitting_ = false;
}

bool WindowWidget::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::WindowStateChange:
        fitToFrame();
        break;
    default:
        break;
    }
    return handled;
}

void WindowWidget::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void WindowWidget::closeEvent(QCloseEvent* event) {
    event->accept(); // no close query is handled, so a close always goes ahead
    if (onClose_) {
        onClose_();
    }
}

} // namespace ui
