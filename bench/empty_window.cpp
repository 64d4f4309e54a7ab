// The yardstick of the start-up benchmark: an empty Qt Widgets window with the main window's outer
// size (582 x 640, frame included), caption and window flags, and nothing in it. Whatever the
// program needs beyond this to come up is the program's own cost.

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {

const QSize outerSize(582, 640);

class EmptyWindow : public QWidget {
public:
    EmptyWindow()
        : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowCloseButtonHint) {
        setWindowTitle(QString::fromUtf8("Fokarium - 注意力训练 v1.0"));
        setFixedSize(outerSize);
    }

protected:
    // The same sizing as the main window's: once the window manager has framed the window, the
    // client area shrinks so that the frame's outside keeps the outer size.
    bool event(QEvent* event) override {
        const bool handled = QWidget::event(event);
        if (event->type() == QEvent::Show || event->type() == QEvent::Move ||
            event->type() == QEvent::Resize) {
            fitToFrame();
        }
        return handled;
    }

private:
    void fitToFrame() {
        const QWindow* handle = windowHandle();
        if (!handle || handle->frameMargins() == appliedFrame_) {
            return;
        }
        appliedFrame_ = handle->frameMargins();
        setFixedSize(outerSize.shrunkBy(appliedFrame_));
    }

    QMargins appliedFrame_{-1, -1, -1, -1};
};

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    EmptyWindow window;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    window.move(screen.center() - QPoint(outerSize.width() / 2, outerSize.height() / 2));
    window.show();
    return QApplication::exec();
}
