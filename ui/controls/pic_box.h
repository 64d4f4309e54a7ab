#pragma once
// PicBox: an area filled with its background colour that shows a picture, still or animated.

#include "ui/controls/control.h"
#include "ui/picture_views/picture_view.h"

#include <QWidget>
#include <atomic>
#include <memory>

namespace ui {

class PicBoxWidget : public QWidget {
    Q_OBJECT

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
