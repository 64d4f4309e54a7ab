#pragma once
// PicBox: an area filled with its background colour that shows a picture, still or animated.

#include "ui/control.h"

#include <QWidget>
#include <atomic>
#include <functional>
#include <memory>

namespace ui {

// What a picture box shows, painted into the box's inner area.
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

class PicBoxWidget : public QWidget {
public:
    PicBoxWidget(const ControlRecord& record, std::unique_ptr<PictureView> view, QWidget* parent);
    ~PicBoxWidget() override;

    // Repaints at once, outside the event loop, the boxes whose animation has drawn a new frame
    // since they were last painted. Used while the GUI thread is blocked.
    static void paintNewFramesNow();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void frameReady(); // any thread
    void paintOwnAreaNow();

    Colour background_;
    std::unique_ptr<PictureView> view_;
    bool started_ = false;
    std::atomic<bool> framePending_{false};
};

class PicBoxControl : public WidgetControl {
public:
    PicBoxControl(const ControlRecord& record, FormWindow& window, QWidget* parent);
};

} // namespace ui
