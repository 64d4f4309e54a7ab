// The shell's operations for handlers: number and text conversion, comparison, sleeping and the
// message box (driven through the real Qt box, as a user answers it).

#include "app/operations/message_box.h"
#include "app/operations/operations.h"
#include "program_fixture.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>
#include <cmath>

using namespace testing_support;

TEST(Operations, ToTextOfIntegers) {
    const std::pair<int, const char*> cases[] = {{7, "7"}, {36, "36"}, {-2, "-2"}, {0, "0"}};
    for (const auto& [number, expected] : cases) {
        EXPECT_EQ(app::toText(number), expected) << number;
    }
}

TEST(Operations, ToTextOfDoublesIsShortestWithThirteenDigits) {
    const std::pair<double, const char*> cases[] = {
        {10.0 - 1, "9"}, {0.0 - 1, "-1"}, {0.0, "0"}, {0.5, "0.5"}, {1.0 / 3, "0.3333333333333"},
        {1e20, "1e+20"}};
    for (const auto& [number, expected] : cases) {
        EXPECT_EQ(app::toText(number), expected) << number;
    }
}

TEST(Operations, ToNumberFollowsAtof) {
    const std::pair<const char*, double> cases[] = {{"10", 10},     {"-1", -1}, {"  42abc", 42},
                                                    {"+3.5e1", 35}, {"abc", 0}, {"", 0},
                                                    {"0.25", 0.25}};
    for (const auto& [text, expected] : cases) {
        EXPECT_DOUBLE_EQ(app::toNumber(text), expected) << text;
    }
}

TEST(Operations, CompareTextAsUnsignedBytes) {
    struct Case {
        std::string_view a, b;
        int expected;
    };
    const Case cases[] = {
        {"0", "0", 0},    {"-1", "0", -1},   {"1", "0", 1},
        {{}, "", 0},      {"ab", "abc", -1}, {"\xb1", "a", 1}, // a GBK lead byte sorts above ASCII
        {"abc", "ab", 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(app::compareText(c.a, c.b), c.expected) << c.a << " vs " << c.b;
    }
}

TEST(Operations, SleepBlocksTimersAndCountsADueTickOnce) {
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(20);
    QElapsedTimer clock;
    clock.start();
    app::sleepMs(300);
    EXPECT_GE(clock.elapsed(), 300);
    EXPECT_EQ(ticks, 0) << "no timer tick may run while the GUI thread sleeps";
    QCoreApplication::processEvents();
    EXPECT_EQ(ticks, 1) << "the ticks that fell due during the sleep come once, afterwards";
}

TEST(Operations, SleepWithANegativeCountReturnsAtOnce) {
    QElapsedTimer clock;
    clock.start();
    app::sleepMs(-5000);
    EXPECT_LT(clock.elapsed(), 1000);
}

namespace {

// What a message box showed, read as it opened.
struct BoxSeen {
    QString title, text;
    QStringList buttons;
    bool applicationModal = false;
};

// Answers the next box as `how` says (see answerBox) and records what it showed.
void answerNextBox(const QString& how, BoxSeen& seen) {
    whenBoxShows([how, &seen](QMessageBox& box) {
        seen.title = box.windowTitle();
        seen.text = box.text();
        for (QAbstractButton* button : box.buttons()) {
            seen.buttons << button->text();
        }
        seen.applicationModal = box.windowModality() == Qt::ApplicationModal;
        answerBox(box, how);
    });
}

} // namespace

// The pressed button's number as handlers compare it: Yes 5, No 6; Esc and the title bar's close
// button answer No.
TEST(Operations, MessageBoxYesNoResults) {
    const std::pair<const char*, int> cases[] = {{"是", 5}, {"否", 6}, {"Esc", 6}, {"close", 6}};
    for (const auto& [how, expected] : cases) {
        BoxSeen seen;
        answerNextBox(how, seen);
        const int result =
            app::messageBox("\xb2\xe2\xca\xd4", app::buttonsYesNo, ui::Text("\xb1\xea\xcc\xe2"));
        EXPECT_EQ(result, expected) << how;
        EXPECT_EQ(seen.title, QString("标题"));
        EXPECT_EQ(seen.text, QString("测试"));
        EXPECT_EQ(seen.buttons, QStringList({"是", "否"}));
        EXPECT_TRUE(seen.applicationModal);
    }
}

// OK 0, Cancel 1, Retry 3.
TEST(Operations, MessageBoxOtherButtonSets) {
    const std::tuple<int, const char*, int> cases[] = {
        {0, "确定", 0}, {1, "取消", 1}, {2, "重试", 3}, {3, "取消", 1}, {5, "重试", 3}};
    for (const auto& [set, label, expected] : cases) {
        BoxSeen seen;
        answerNextBox(label, seen);
        EXPECT_EQ(app::messageBox("x", set, std::nullopt), expected) << set;
    }
}
