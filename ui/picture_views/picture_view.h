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
    // Animations start when their box is first painted; frameReady may be called from any thread.
    virtual void start(std::function<void()> frameReady) { (void)frameReady; }
    virtual void paint(QPainter& painter, const QRect& area, const QWidget& box) = 0;
};

} // namespace ui
