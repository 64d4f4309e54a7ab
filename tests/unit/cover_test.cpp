// The cover screen's handlers on the real window: the start state, the countdown, the enter
// picture, the hover-revealed logo and signature, and the agreement question.

#include "program_fixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

using namespace testing_support;
using ui::Property;

namespace {

void tick() {
    ui::FormWindow::current()->raise(ui::时钟1, ui::Event::Periodic);
}

bool shown(ui::ControlId id) {
    return ui::FormWindow::current()->widget(id)->isVisible();
}

QTimer* countdownTimer() {
    return ui::FormWindow::current()->windowWidget().findChild<QTimer*>(QString("时钟1"));
}

} // namespace

TEST_F(ProgramTest, CreatedHandlerSetsTheStartState) {
    for (int k = 1; k <= ui::cellCount; ++k) {
        EXPECT_EQ(integer(ui::cell(k), Property::ReadOnly), 1) << k;
        EXPECT_EQ(integer(ui::cell(k), Property::Visible), k <= 9 ? 1 : 0) << k;
        EXPECT_EQ(integer(ui::cell(k), Property::TextColour), k == 5 ? 8429696 : 0) << k;
    }
    EXPECT_EQ(window().widget(ui::分组框2)->geometry(), QRect(0, 0, 573, 616));
    EXPECT_EQ(window().focusHolder(), ui::cell(36));
    EXPECT_EQ(qobject_cast<QLineEdit*>(QApplication::focusWidget()), nullptr)
        << "no caret anywhere";
    EXPECT_EQ(integer(ui::组合框1, Property::CurrentItem), 0);
    EXPECT_EQ(integer(ui::Logo, Property::Visible), 0);
    EXPECT_EQ(integer(ui::签名, Property::Visible), 0);
    EXPECT_EQ(integer(ui::时钟1, Property::TimerPeriod), 1000);
    EXPECT_TRUE(countdownTimer()->isActive());
    EXPECT_TRUE(shown(ui::分组框2));
    EXPECT_EQ(text(ui::计时1), "10");
    EXPECT_TRUE(static_cast<QCheckBox*>(window().widget(ui::选择框1))->isChecked());
}

TEST_F(ProgramTest, TheTenthTickHidesTheCoverAndTheCountGoesOnUnseen) {
    ui::writeProperty(ui::时钟1, Property::TimerPeriod, 0); // the test gives the ticks itself
    for (const char* expected : {"9", "8", "7", "6", "5", "4", "3", "2", "1"}) {
        tick();
        EXPECT_EQ(text(ui::计时1), expected);
        EXPECT_TRUE(shown(ui::分组框2)) << expected;
    }
    tick();
    EXPECT_EQ(text(ui::计时1), "0");
    EXPECT_FALSE(shown(ui::分组框2));
    EXPECT_TRUE(shown(ui::cell(5)));
    EXPECT_TRUE(shown(ui::组合框1));
    EXPECT_TRUE(shown(ui::按钮1));
    for (const char* expected : {"-1", "-2", "-3"}) {
        tick();
        EXPECT_EQ(text(ui::计时1), expected);
        EXPECT_FALSE(shown(ui::分组框2));
    }
}

TEST_F(ProgramTest, PressingTheEnterPictureSleepsThenHidesTheCover) {
    ui::writeProperty(ui::时钟1, Property::TimerPeriod,
                      50); // several ticks fall due during the pause
    QElapsedTimer clock;
    clock.start();
    pressAt(ui::点击进入, {40, 40});
    EXPECT_GE(clock.elapsed(), 500);
    EXPECT_FALSE(shown(ui::分组框2))
        << "the cover goes on the press, without waiting for the release";
    ui::writeProperty(ui::时钟1, Property::TimerPeriod, 0);
    QCoreApplication::processEvents();
    // Ten periods fell due during the pause: the ones missed are not made up for.
    EXPECT_EQ(text(ui::计时1), "9") << "the tick that fell due is handled once, afterwards";
}

TEST_F(ProgramTest, HoverShowsTheLogoAndSignatureAndTheBaseLabelHidesThem) {
    moveMouseTo(ui::点击进入, {40, 41});
    EXPECT_TRUE(shown(ui::Logo));
    EXPECT_TRUE(shown(ui::签名));
    moveMouseTo(ui::Logo, {20, 20});        // the part of the logo that lies over the base label
    moveMouseTo(ui::透明标签2, {100, 250}); // the preface's strip over the base label
    moveMouseTo(ui::分组框2, {30, 30});     // outside the base label
    EXPECT_TRUE(shown(ui::Logo)) << "only a move over the base label hides them";
    EXPECT_TRUE(shown(ui::签名));
    moveMouseTo(ui::底板, {60, 150}); // the uncovered base label beside the enter picture
    EXPECT_FALSE(shown(ui::Logo));
    EXPECT_FALSE(shown(ui::签名));
}

namespace {

// Answers the agreement question with the named button once it shows; records what it saw.
struct QuestionSeen {
    QString title, text;
    bool timerStopped = false;
    int ticksWhileOpen = 0;
};

void answerQuestion(const QString& button, QuestionSeen& seen, int keepOpenMs = 0) {
    whenBoxShows([button, &seen, keepOpenMs](QMessageBox& box) {
        seen.title = box.windowTitle();
        seen.text = box.text();
        seen.timerStopped = !countdownTimer()->isActive();
        const ui::Text before = text(ui::计时1);
        QTest::qWait(keepOpenMs);
        seen.ticksWhileOpen = text(ui::计时1) == before ? 0 : 1;
        answerBox(box, button);
    });
}

void untick() {
    auto* box = static_cast<QCheckBox*>(ui::FormWindow::current()->widget(ui::选择框1));
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(10, box->height() / 2));
}

} // namespace

TEST_F(ProgramTest, AnsweringNoTicksTheBoxAgainAndRestartsTheCountdown) {
    for (const QString answer : {"否", "Esc"}) {
        QuestionSeen seen;
        answerQuestion(answer, seen, 1300);
        untick();
        EXPECT_EQ(seen.title, QString("友情提醒："));
        EXPECT_EQ(seen.text, QString("取消勾选程序将自动退出，需要退出吗？"));
        EXPECT_TRUE(seen.timerStopped);
        EXPECT_EQ(seen.ticksWhileOpen, 0) << "the countdown stands while the question is open";
        EXPECT_EQ(integer(ui::选择框1, Property::Checked), 1) << answer;
        EXPECT_GT(countdownTimer()->remainingTime(), 900)
            << "the next tick comes a full period after the answer";
        QCoreApplication::processEvents();
        EXPECT_EQ(shell().loadedWindowCount(), 1u) << answer << ": the program keeps running";
    }
}

TEST_F(ProgramTest, AnsweringYesDestroysTheWindowAfterTheHandlerReturns) {
    QuestionSeen seen;
    answerQuestion("是", seen);
    untick();
    // The handler has returned: the box is ticked again and the window is still there.
    EXPECT_EQ(integer(ui::选择框1, Property::Checked), 1);
    EXPECT_EQ(shell().loadedWindowCount(), 1u);
    EXPECT_TRUE(waitUntil([&] { return shell().loadedWindowCount() == 0; }));
    EXPECT_EQ(ui::FormWindow::current(), nullptr);
}

TEST_F(ProgramTest, TickingTheBoxAgainAsksNothing) {
    auto* box = static_cast<QCheckBox*>(window().widget(ui::选择框1));
    box->setChecked(false);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(10, box->height() / 2));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(integer(ui::选择框1, Property::Checked), 1);
    EXPECT_EQ(integer(ui::时钟1, Property::TimerPeriod), 1000);
}
