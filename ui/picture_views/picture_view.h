#pragma once
// What a picture box shows, painted into the box's inner area.

#include <functional>

class QPainter;
class QRect;
class QWidget;

namespace ui {

class PictureView {
public:
    virtual ~PictureView() = default;
    // Called once, right after the window has first been painted: the moment to get ready what
    // the first paint of a box that is not shown yet would otherwise wait for.
    virtual void prepare(const QWidget& box) { (void)box; }
    // Animations start when their box is first painted; frameReady may be called from any thread.
    virtual void start(std::function<void()> frameReady) { (void)frameReady; }
    virtual void paint(QPainter& painter, const QRect& area, const QWidget& box) = 0;
};

} // namespace ui
