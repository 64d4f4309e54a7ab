#include "ui/controls/pic_box.h"

#include "ui/controls/colours.h"
#include "ui/picture_views/picture_views.h"

#include <QBackingStore>
#include <QPainter>
#include <QWindow>
#include <algorithm>
#include <vector>

namespace ui {
namespace {

// The picture boxes that exist; touched on the GUI thread only.
std::vector<PicBoxWidget*>& liveBoxes() {
    static std::vector<PicBoxWidget*> boxes;
    return boxes;
}

} // namespace

PicBoxWidget::PicBoxWidget(const ControlRecord& record, std::unique_ptr<PictureView> view,
                           QWidget* parent)
    : QWidget(parent), background_(record.background), view_(std::move(view)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    liveBoxes().push_back(this);
    if (view_) {
        window()->installEventFilter(this); // until the window's first paint
    }
}

PicBoxWidget::~PicBoxWidget() {
    auto& boxes = liveBoxes();
    boxes.erase(std::remove(boxes.begin(), boxes.end(), this), boxes.end());
    view_.reset(); // stops an animation before the widget it reports to goes
}

void PicBoxWidget::paintNewFramesNow() {
    for (PicBoxWidget* box : liveBoxes()) {
        if (box->framePending_.load() && box->isVisible()) {
            box->paintOwnAreaNow();
        }
    }
}

void PicBoxWidget::paintOwnAreaNow() {
    // QWidget::repaint() would also paint every other pending change of the window; this paints
    // the box's own area of the window, and nothing else, straight into the window's backing store.
    QWidget* top = window();
    QBackingStore* store = top->backingStore();
    QWindow* handle = top->windowHandle();
    if (!store || !handle || !handle->isExposed()) {
        return;
    }
    const QRect area = QRect(mapTo(top, QPoint(0, 0)), size()) & top->rect();
    if (area.isEmpty()) {
        return;
    }
    store->beginPaint(area);
    {
        QPainter painter(store->paintDevice());
        top->render(&painter, area.topLeft(), QRegion(area),
                    QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }
    store->endPaint();
    store->flush(area, handle);
}

void PicBoxWidget::frameReady() {
    if (!framePending_.exchange(true)) {
        QMetaObject::invokeMethod(
            this, [this] { update(); }, Qt::QueuedConnection);
    }
}

bool PicBoxWidget::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && watched == window()) {
        watched->removeEventFilter(this);
        // Queued: it runs once the window's first picture has been painted and sent out.
        QMetaObject::invokeMethod(
            this, [this] { view_->prepare(*this); }, Qt::QueuedConnection);
    }
    return false;
}

void PicBoxWidget::paintEvent(QPaintEvent*) {
    framePending_.store(false);
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(background_));
    if (!view_) {
        return;
    }
    if (!started_) {
        started_ = true;
        view_->start([this] { frameReady(); });
    }
    view_->paint(painter, rect(), *this);
}

PicBoxControl::PicBoxControl(const ControlRecord& record, FormWindow& window, QWidget* parent)
    : WidgetControl(record, window,
                    new PicBoxWidget(record, makePictureView(record.picture), parent)) {
    if (record.handPointer) {
        if (const auto pointer = handPointer()) {
            widget()->setCursor(*pointer);
        }
    }
}

} // namespace ui
