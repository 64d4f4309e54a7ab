// The pictures as the picture boxes show them: the logo's place and colours on a grab of the real
// widget, the stretched fingerprint, plain white boxes for pictures that cannot be decoded, the
// animation going on while the GUI thread sleeps, the window icon and the hand pointer.

#include "app/operations/operations.h"
#include "program_fixture.h"
#include "ui/controls/pic_box.h"
#include "ui/picture_views/embedded_assets.h"
#include "ui/picture_views/picture_views.h"
#include "ui/pictures/gif_canvas.h"
#include "ui/pictures/gif_decoder.h"

#include <QPainter>
#include <vector>

using namespace testing_support;
using ui::Property;

namespace {

// The smallest rectangle holding every pixel that is not white.
QRect inkBounds(const QImage& image) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) != QColor(Qt::white)) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}

QImage grabOf(ui::ControlId id) {
    return ui::FormWindow::current()->widget(id)->grab().toImage();
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        count += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

} // namespace

TEST_F(ProgramTest, TheLogoIsCentredShrunkAndFlattenedOntoWhite) {
    ui::writeProperty(ui::Logo, Property::Visible, true);
    const QImage logo = grabOf(ui::Logo);
    ASSERT_EQ(logo.size(), QSize(139, 136));
    const QRect ink = inkBounds(logo);
    EXPECT_TRUE(QRect(1, 0, 137, 136).contains(ink)) << "drawn 137 x 136 at left 1, top 0";
    EXPECT_GT(ink.width(), 100);
    EXPECT_GT(ink.height(), 100);
    EXPECT_TRUE(logo.pixelColor(2, 2) == QColor(Qt::white))
        << "transparent corners show the box's white";
    // The wings below row 90 are magenta (222, 48, 150) with a few orange (244, 142, 24) strokes;
    // their soft edges, blended with white, keep red at 222 or above (218 leaves room for the
    // scaling's rounding). A blend with anything dark, such as the black of the transparent
    // pixels, would show as a darker fringe along every edge.
    int edgePixels = 0, fringePixels = 0;
    for (int y = 90; y < logo.height(); ++y) {
        for (int x = 0; x < logo.width(); ++x) {
            const QColor c = logo.pixelColor(x, y);
            edgePixels += c != QColor(Qt::white) && c.green() > 60 ? 1 : 0;
            fringePixels += c.red() < 218 ? 1 : 0;
        }
    }
    EXPECT_GT(edgePixels, 100) << "the wings' soft edges are in the rows looked at";
    EXPECT_EQ(fringePixels, 0) << "no dark fringe where the logo's edges meet the white";
}

TEST_F(ProgramTest, TheEnterPictureFillsItsBoxAndAnimates) {
    ASSERT_TRUE(waitUntil([] { return inkBounds(grabOf(ui::点击进入)).isValid(); }));
    // The fingerprint is coloured anew in every 1480 ms cycle: three changes of what the box
    // shows come within a few cycles, however slowly this machine runs.
    int changes = 0;
    QImage last = grabOf(ui::点击进入);
    EXPECT_TRUE(waitUntil(
        [&] {
            const QImage now = grabOf(ui::点击进入);
            changes += now != last ? 1 : 0;
            last = now;
            return changes >= 3;
        },
        30000))
        << changes << " changes seen";
    const QRect ink = inkBounds(last);
    EXPECT_EQ(last.size(), QSize(80, 80));
    EXPECT_GT(ink.width(), 50) << "the 400 x 400 canvas is stretched to the whole box";
    EXPECT_GT(ink.height(), 50);
}

// The box shows the canvas exactly as Qt's averaging stretches it to 80 x 80, although only the
// parts that frames change are scaled anew: the grey start and the fully coloured fingerprint,
// composed here from the decoded frames, both reach the box.
TEST_F(ProgramTest, TheEnterPictureShowsTheCanvasExactlyStretched) {
    const auto animation = pictures::decodeGif(ui::enterGifBytes());
    ASSERT_TRUE(animation.has_value());
    ASSERT_EQ(animation->frames.size(), 37u);
    pictures::GifCanvas canvas(animation->width, animation->height, 0xFFFFFFFF);
    const auto stretched = [&] {
        return QImage(reinterpret_cast<const uchar*>(canvas.pixels()), canvas.width(),
                      canvas.height(), QImage::Format_RGB32)
            .scaled(80, 80, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    };
    canvas.draw(animation->frames[0]);
    const QImage grey = stretched();
    for (std::size_t i = 1; i <= 28; ++i) {
        canvas.draw(animation->frames[i]);
    }
    const QImage coloured = stretched();
    ASSERT_NE(grey, coloured);

    bool sawGrey = false;
    bool sawColoured = false;
    EXPECT_TRUE(waitUntil(
        [&] {
            const QImage shown = grabOf(ui::点击进入).convertToFormat(QImage::Format_RGB32);
            sawGrey = sawGrey || shown == grey;
            sawColoured = sawColoured || shown == coloured;
            return sawGrey && sawColoured;
        },
        15000))
        << "grey start seen: " << sawGrey << ", coloured fingerprint seen: " << sawColoured;
}

// The enter picture goes on being painted while the GUI thread sleeps, and nothing else is.
TEST_F(ProgramTest, TheAnimationKeepsDrawingWhileTheGuiThreadSleeps) {
    QWidget* enter = window().widget(ui::点击进入);
    ASSERT_TRUE(waitUntil([] { return inkBounds(grabOf(ui::点击进入)).isValid(); }));
    PaintCounter enterPaints(enter);
    PaintCounter labelPaints(window().widget(ui::计时1));
    ui::writeProperty(ui::计时1, Property::Text, "5"); // a repaint that must wait for the sleep
    // Sleeps of half a second (as the enter handler's), one after the other with no event handled
    // between them, until the enter picture has been painted five times (a cycle paints the 26
    // frames that colour the fingerprint and its grey start), for at most 60 sleeps.
    for (int sleeps = 0; sleeps < 60 && enterPaints.count < 5; ++sleeps) {
        app::sleepMs(500);
    }
    EXPECT_GE(enterPaints.count, 5) << "the enter picture is painted during the sleep";
    EXPECT_EQ(labelPaints.count, 0) << "nothing else is painted during the sleep";
}

// Headers that are not a picture's give no view; a PNG whose image data is cut off has a sound
// header and fails when it is first drawn. Either way the box shows only its background.
TEST(PictureViews, PicturesThatCannotBeDecodedShowOnlyTheBackground) {
    const std::vector<std::uint8_t> garbage(300, 0x5A);
    const auto logo = ui::logoPngBytes();
    const auto gif = ui::enterGifBytes();
    EXPECT_EQ(ui::makeLogoView(garbage), nullptr);
    EXPECT_EQ(ui::makeAnimationView(garbage), nullptr);
    EXPECT_EQ(ui::makeAnimationView(gif.first(20)), nullptr) << "a truncated GIF header";
    EXPECT_NE(ui::makeAnimationView(gif), nullptr);

    const ui::ControlRecord& record = *ui::findRecord(ui::Logo);
    ui::PicBoxWidget truncated(record, ui::makeLogoView(logo.first(logo.size() / 2)), nullptr);
    truncated.resize(139, 136);
    EXPECT_FALSE(inkBounds(truncated.grab().toImage()).isValid()) << "a truncated PNG";
    ui::PicBoxWidget whole(record, ui::makeLogoView(logo), nullptr);
    whole.resize(139, 136);
    EXPECT_TRUE(inkBounds(whole.grab().toImage()).isValid());
}

TEST(PictureViews, ABoxWithoutAPictureShowsOnlyItsBackground) {
    const ui::ControlRecord& record = *ui::findRecord(ui::Logo);
    ui::PicBoxWidget box(record, nullptr, nullptr);
    box.resize(139, 136);
    EXPECT_FALSE(inkBounds(box.grab().toImage()).isValid());
}

TEST(PictureViews, WindowIconAndHandPointer) {
    const QIcon icon = ui::windowIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.availableSizes(), QList<QSize>{QSize(32, 32)})
        << "the 32 x 32 image serves every size";
    const QImage grid = icon.pixmap(32, 32).toImage();
    int red = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QColor c = grid.pixelColor(x, y);
            red += c.red() > 180 && c.green() < 80 && c.blue() < 80 ? 1 : 0;
        }
    }
    EXPECT_GT(red, 40) << "the grid's red lines";
    const auto pointer = ui::handPointer();
    ASSERT_TRUE(pointer.has_value());
    EXPECT_EQ(pointer->hotSpot(), QPoint(6, 0));
    EXPECT_EQ(pointer->pixmap().size(), QSize(32, 32));
}
