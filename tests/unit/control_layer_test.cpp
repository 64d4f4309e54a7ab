// The control layer on the real widgets: property ranges and effects, events, stacking and mouse
// targeting, focus.

#include "program_fixture.h"
#include "ui/controls/fonts.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QTimer>

using namespace testing_support;
using ui::Property;

namespace {

QTimer* timerOf(ui::FormWindow& window) {
    return window.windowWidget().findChild<QTimer*>(QString("时钟1"));
}

} // namespace

TEST_F(FormWindowTest, ValuesOutOfRangeAreClamped) {
    struct Case {
        ui::ControlId control;
        Property property;
        int written, stored;
    };
    const Case cases[] = {
        {ui::cell(10), Property::Left, -40000, -32627},
        {ui::cell(10), Property::Left, 40000, 32627},
        {ui::cell(10), Property::Top, -32627, -32627},
        {ui::分组框2, Property::Top, 32767, 32627},
        {ui::cell(10), Property::Width, -5, 0},
        {ui::cell(10), Property::Width, 99999, 32627},
        {ui::分组框2, Property::Height, -1, 0},
        {ui::cell(10), Property::ReadOnly, 12, 11},
        {ui::cell(10), Property::ReadOnly, -3, 0},
        {ui::组合框1, Property::CurrentItem, 9, 3},
        {ui::组合框1, Property::CurrentItem, -7, -1},
        {ui::组合框1, Property::CurrentItem, 2, 2},
        {ui::时钟1, Property::TimerPeriod, -5, 0},
        {ui::选择框1, Property::Checked, 7, 1},
    };
    for (const auto& c : cases) {
        ui::writeProperty(c.control, c.property, c.written);
        EXPECT_EQ(integer(c.control, c.property), c.stored)
            << "control " << std::hex << c.control << std::dec << " property " << int(c.property)
            << " wrote " << c.written;
    }
}

TEST_F(FormWindowTest, GeometryWritesMoveAndResizeTheWidget) {
    QWidget* cell = window().widget(ui::cell(1));
    ui::writeProperty(ui::cell(1), Property::Left, 40);
    ui::writeProperty(ui::cell(1), Property::Top, 50);
    EXPECT_EQ(cell->geometry(), QRect(40, 50, 180, 180)) << "a move keeps the size";
    ui::writeProperty(ui::cell(1), Property::Width, 90);
    EXPECT_EQ(cell->geometry(), QRect(40, 50, 90, 180))
        << "a resize keeps the corner and the other side";
    ui::writeProperty(ui::cell(1), Property::Height, 200);
    EXPECT_EQ(cell->geometry(), QRect(40, 50, 90, 200));
}

TEST_F(FormWindowTest, FontSizeWritesFollowTheScreenResolution) {
    ASSERT_EQ(ui::screenDpiY(), 96);
    const std::pair<int, int> cases[] = {{120, 160}, {80, 107}, {60, 80}, {45, 60}, {9, 12}};
    auto* edit = static_cast<QLineEdit*>(window().widget(ui::cell(1)));
    for (const auto& [points, pixels] : cases) {
        ui::writeProperty(ui::cell(1), Property::FontSize, points);
        EXPECT_EQ(edit->font().pixelSize(), pixels) << points;
    }
}

TEST_F(FormWindowTest, FontSizeWritesKeepTheDigitsBoldOnScreen) {
    // The ink of the cell's digit against the same digit drawn at normal weight in the same face
    // and size; the box's own edge is taken out by grabbing it empty too.
    const auto inkOf = [](const QImage& image) {
        double ink = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                ink += 255 - qGray(image.pixel(x, y));
            }
        }
        return ink;
    };
    show();
    QWidget* edit = window().widget(ui::cell(1));
    for (const auto& [points, pixels] : {std::pair{120, 160}, {80, 107}, {60, 80}, {45, 60}}) {
        ui::writeProperty(ui::cell(1), Property::FontSize, points);
        ui::writeProperty(ui::cell(1), Property::Text, "");
        const double empty = inkOf(edit->grab().toImage());
        ui::writeProperty(ui::cell(1), Property::Text, "8");
        const double bold = inkOf(edit->grab().toImage()) - empty;

        QFont normal(QString::fromLatin1(ui::defaultFace));
        normal.setPixelSize(pixels);
        QImage reference(edit->size(), QImage::Format_RGB32);
        reference.fill(Qt::white);
        QPainter painter(&reference);
        painter.setFont(normal);
        painter.setPen(Qt::black);
        painter.drawText(reference.rect(), Qt::AlignCenter, QStringLiteral("8"));
        painter.end();
        EXPECT_GE(bold, 1.25 * inkOf(reference)) << pixels << " px";
    }
}

TEST_F(FormWindowTest, AFontTooHighForTheBoxGrowsItDownwards) {
    // Cell 20 stands 48 x 32 at (80, 72). It grows to its font's line height plus a 2 px edge
    // above and below; the line heights of bold AR PL UMing CN at 12, 60, 80, 107 and 160 px are
    // 12, 64, 85, 113 and 169. A box high enough does not shrink.
    const std::pair<int, int> cases[] = {{9, 32},   {45, 68},   {60, 89},
                                         {80, 117}, {120, 173}, {9, 173}};
    for (const auto& [points, height] : cases) {
        ui::writeProperty(ui::cell(20), Property::FontSize, points);
        EXPECT_EQ(window().widget(ui::cell(20))->geometry(), QRect(80, 72, 48, height)) << points;
    }
}

TEST_F(FormWindowTest, TextWritesRaiseContentChangedOnceAndRoundTripGbk) {
    int changed = 0;
    window().bind(ui::cell(3), ui::Event::ContentChanged, [&](const ui::EventArgs&) {
        ++changed;
        EXPECT_EQ(text(ui::cell(3)), "\xc7\xb0\xd1\xd4")
            << "the write has taken effect when the event runs";
    });
    ui::writeProperty(ui::cell(3), Property::Text, "\xc7\xb0\xd1\xd4"); // 前言
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(static_cast<QLineEdit*>(window().widget(ui::cell(3)))->text(), QString("前言"));

    const ui::Text preface = text(ui::透明标签2);
    EXPECT_EQ(preface.size(), 84u);
    ui::writeProperty(ui::计时1, Property::Text, preface);
    EXPECT_EQ(text(ui::计时1), preface);
}

TEST_F(FormWindowTest, ReadOnlyModeKeepsColoursAndBlocksTyping) {
    show();
    ui::writeProperty(ui::cell(5), Property::ReadOnly, 1);
    ui::writeProperty(ui::cell(5), Property::TextColour, 8429696);
    ui::writeProperty(ui::cell(5), Property::Text, "8");
    auto* edit = static_cast<QLineEdit*>(window().widget(ui::cell(5)));
    EXPECT_TRUE(edit->isReadOnly());
    const QImage image = edit->grab().toImage();
    EXPECT_EQ(image.pixelColor(20, 20), QColor(Qt::white)) << "a read-only box is not greyed";
    bool highlightInk = false;
    for (int y = 0; y < image.height() && !highlightInk; ++y) {
        for (int x = 0; x < image.width() && !highlightInk; ++x) {
            highlightInk = image.pixelColor(x, y) == QColor(128, 160, 128);
        }
    }
    EXPECT_TRUE(highlightInk) << "the digit is drawn in the text colour";
    edit->setFocus();
    QTest::keyClicks(edit, "123");
    EXPECT_EQ(text(ui::cell(5)), "8");
}

TEST_F(FormWindowTest, CheckedWritesRaiseNoEventButAUserClickDoes) {
    show();
    std::vector<int> seen;
    window().bind(ui::选择框1, ui::Event::Clicked, [&](const ui::EventArgs&) {
        seen.push_back(integer(ui::选择框1, Property::Checked));
    });
    ui::writeProperty(ui::选择框1, Property::Checked, false);
    ui::writeProperty(ui::选择框1, Property::Checked, true);
    EXPECT_TRUE(seen.empty());
    auto* box = static_cast<QCheckBox*>(window().widget(ui::选择框1));
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(10, box->height() / 2));
    EXPECT_EQ(seen, std::vector<int>{0}) << "the box toggles before the clicked event";
}

TEST_F(FormWindowTest, ListItemSelectedIsQueuedAndRaisedForEveryAcceptedChoice) {
    ui::writeProperty(ui::分组框2, Property::Visible, false);
    show();
    int selected = 0;
    window().bind(ui::组合框1, ui::Event::ListItemSelected,
                  [&](const ui::EventArgs&) { ++selected; });
    ui::writeProperty(ui::组合框1, Property::CurrentItem, 0);
    ui::writeProperty(ui::组合框1, Property::CurrentItem, 2);
    QCoreApplication::processEvents();
    EXPECT_EQ(selected, 0) << "writes raise no event";

    auto* combo = static_cast<QComboBox*>(window().widget(ui::组合框1));
    for (const int item : {1, 1}) {
        combo->showPopup();
        QAbstractItemView* list = combo->view();
        ASSERT_TRUE(waitUntil([&] { return list->isVisible(); }));
        const int before = selected;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(item, 0)).center());
        EXPECT_EQ(selected, before) << "not raised inside the user's action";
        EXPECT_TRUE(waitUntil([&] { return selected == before + 1; }));
        EXPECT_EQ(integer(ui::组合框1, Property::CurrentItem), item);
    }
}

TEST_F(FormWindowTest, TimerPeriodWritesStartRestartAndLeaveAlone) {
    QTimer* timer = timerOf(window());
    ASSERT_NE(timer, nullptr);
    EXPECT_FALSE(timer->isActive()) << "period 0 in the form: stopped";
    ui::writeProperty(ui::时钟1, Property::TimerPeriod, 1000);
    ASSERT_TRUE(timer->isActive());
    QTest::qWait(400);
    const int remaining = timer->remainingTime();
    ui::writeProperty(ui::时钟1, Property::TimerPeriod, 1000);
    EXPECT_LE(timer->remainingTime(), remaining)
        << "the same period leaves a running timer undisturbed";
    ui::writeProperty(ui::时钟1, Property::TimerPeriod, 0);
    EXPECT_FALSE(timer->isActive());
    ui::writeProperty(ui::时钟1, Property::TimerPeriod, 1000);
    EXPECT_GT(timer->remainingTime(), 900) << "0 then 1000 restarts the interval";
}

TEST_F(FormWindowTest, HidingAContainerHidesItsContentsWhichKeepTheirFlags) {
    show();
    ui::writeProperty(ui::分组框2, Property::Visible, false);
    EXPECT_FALSE(window().widget(ui::计时1)->isVisible());
    EXPECT_EQ(integer(ui::计时1, Property::Visible), 1);
    ui::writeProperty(ui::分组框2, Property::Visible, true);
    EXPECT_TRUE(window().widget(ui::计时1)->isVisible());
}

TEST_F(FormWindowTest, MouseEventsGoToTheTopmostControlUnderThePointer) {
    show();
    std::vector<std::pair<ui::ControlId, QPoint>> moves;
    for (const ui::ControlId id : {ui::点击进入, ui::底板}) {
        window().bind(id, ui::Event::MouseMoved, [&moves, id](const ui::EventArgs& a) {
            moves.push_back({id, QPoint(a.x, a.y)});
        });
    }
    struct Case {
        const char* where;
        ui::ControlId over;
        QPoint at;
        ui::ControlId expected; // 0: no bound control gets it
    };
    const Case cases[] = {
        {"enter picture", ui::点击进入, {10, 20}, ui::点击进入},
        {"uncovered base label", ui::底板, {100, 200}, ui::底板},
        {"logo over the base label", ui::Logo, {10, 10}, 0},
        {"the preface's strip over the base label", ui::底板, {150, 40}, 0},
        {"check box over the base label", ui::选择框1, {150, 10}, 0},
        {"cover outside the base label", ui::分组框2, {50, 300}, 0},
    };
    for (const auto& c : cases) {
        moves.clear();
        moveMouseTo(c.over, c.at);
        if (c.expected == 0) {
            EXPECT_TRUE(moves.empty()) << c.where;
        } else {
            ASSERT_EQ(moves.size(), 1u) << c.where;
            EXPECT_EQ(moves[0].first, c.expected) << c.where;
            EXPECT_EQ(moves[0].second, c.at) << c.where << ": in the control's own coordinates";
        }
    }
    ui::writeProperty(ui::分组框2, Property::Visible, false);
    moves.clear();
    QTest::mouseMove(topLevel(), QPoint(260, 500));
    EXPECT_TRUE(moves.empty()) << "hidden controls get no mouse input";
}

TEST_F(FormWindowTest, StackingFollowsTheFormListOrderPerContainer) {
    // Qt keeps siblings bottom to top in the order of their parent's children.
    for (const ui::ControlId container : {ui::分组框1, ui::分组框2}) {
        std::vector<ui::ControlId> expected; // top to bottom
        for (const ui::ControlRecord& r : ui::formControls()) {
            if (r.container == container && r.kind != ui::Kind::Timer) {
                expected.push_back(r.id);
            }
        }
        std::vector<ui::ControlId> actual;
        const QObjectList children = window().widget(container)->children();
        for (auto it = children.rbegin(); it != children.rend(); ++it) {
            for (const ui::ControlRecord& r : ui::formControls()) {
                if (r.kind != ui::Kind::Timer && window().widget(r.id) == *it) {
                    actual.push_back(r.id);
                }
            }
        }
        EXPECT_EQ(actual, expected);
    }
}

namespace {

// The columns of the countdown's area that hold its red ink as it reaches the screen. The offscreen
// platform's screen grab reads the window's backing store, which keeps whatever was painted before
// and not painted over since, where QWidget::grab would paint the widget anew.
std::vector<int> redColumnsOnScreen(ui::FormWindow& window) {
    QWidget& top = window.windowWidget();
    const QRect area(window.widget(ui::计时1)->mapTo(&top, QPoint(0, 0)), QSize(40, 40));
    const QImage shot =
        top.screen()
            ->grabWindow(top.winId(), area.x(), area.y(), area.width(), area.height())
            .toImage();
    std::vector<int> columns;
    for (int x = 0; x < shot.width(); ++x) {
        for (int y = 0; y < shot.height(); ++y) {
            const QColor c = shot.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 90 && c.blue() < 90) {
                columns.push_back(x);
                break;
            }
        }
    }
    return columns;
}

} // namespace

TEST_F(FormWindowTest, ANewCaptionLeavesNoTraceOfTheOldOne) {
    show();
    // At 29 px "10" has red ink in 21 of the 40 columns (9 to 33), "9" in 13 (14 to 26).
    ui::writeProperty(ui::计时1, Property::Text, "10");
    ASSERT_TRUE(waitUntil([&] { return redColumnsOnScreen(window()).size() >= 18; }))
        << "two digits in red reach the screen";
    ui::writeProperty(ui::计时1, Property::Text, "9");
    EXPECT_TRUE(waitUntil([&] {
        const std::vector<int> red = redColumnsOnScreen(window());
        return !red.empty() && red.size() <= 15;
    })) << "only one digit's red remains: no trace of the old caption";
    const std::vector<int> red = redColumnsOnScreen(window());
    ASSERT_FALSE(red.empty());
    EXPECT_GE(red.front(), 12) << "the one digit stands in the middle";
    EXPECT_LE(red.back(), 28);
}

TEST_F(FormWindowTest, FocusOnAHiddenCellShowsNoCaretAndTypingChangesNothing) {
    for (int k = 1; k <= ui::cellCount; ++k) {
        ui::writeProperty(ui::cell(k), Property::ReadOnly, 1);
    }
    ui::writeProperty(ui::cell(36), Property::Visible, false);
    window().giveFocus(ui::cell(36));
    ui::writeProperty(ui::分组框2, Property::Visible, false);
    show();
    EXPECT_EQ(window().focusHolder(), ui::cell(36));
    EXPECT_EQ(qobject_cast<QLineEdit*>(QApplication::focusWidget()), nullptr)
        << "no shown cell has the caret";
    QTest::keyClicks(QApplication::focusWidget(), "12");
    for (int k = 1; k <= 9; ++k) {
        EXPECT_EQ(text(ui::cell(k)), "") << k;
    }
    clickAt(ui::cell(5), {90, 90});
    EXPECT_EQ(QApplication::focusWidget(), window().widget(ui::cell(5)))
        << "a click gives a cell the focus";
}

TEST_F(FormWindowTest, LabelsDrawOnlyTheirCaptionWithShadowAndAlignment) {
    // Rendered alone onto black, a label shows what it paints itself: no background of its own.
    const auto render = [&](ui::ControlId id) {
        QWidget* label = window().widget(id);
        QImage image(label->size(), QImage::Format_RGB32);
        image.fill(Qt::black);
        label->render(&image, {}, {}, QWidget::DrawChildren);
        return image;
    };
    struct Ink {
        int white = 0, coloured = 0, firstRow = -1;
    };
    const auto inkOf = [](const QImage& image) {
        Ink ink;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c == QColor(Qt::black)) {
                    continue;
                }
                ink.firstRow = ink.firstRow < 0 ? y : ink.firstRow;
                (c.red() > 240 && c.green() > 240 && c.blue() > 240 ? ink.white : ink.coloured)++;
            }
        }
        return ink;
    };
    const Ink preface = inkOf(render(ui::透明标签2));
    EXPECT_GT(preface.white, 100) << "the white shadow";
    EXPECT_GT(preface.coloured, 1000);
    EXPECT_LT(preface.firstRow, 12) << "with word wrap the lines run down from the top edge";
    const Ink countdown = inkOf(render(ui::计时1));
    EXPECT_EQ(countdown.white, 0) << "no shadow where the form asks for none";
    EXPECT_GT(countdown.firstRow, 3) << "one line, centred vertically";
    EXPECT_EQ(inkOf(render(ui::底板)).coloured, 0) << "an empty label paints nothing";
}
