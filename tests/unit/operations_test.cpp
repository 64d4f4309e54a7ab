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
    EXPECT_LE(ticks, 1) << "ticks that fell due during the sleep are not counted twice";
}

TEST(Operations, SleepWithANegativeCountReturnsAtOnce) {
    QElapsedTimer clock;
    clock.start();
    app::sleepMs(-5000);
    EXPECT_LT(clock.elapsed(), 1000);
}

namespace {

// Answers the next modal box with `answer` once it is shown; returns the box's texts seen.
struct BoxAnswer {
    std::function<void(QMessageBox&)> answer;
    QString title, text;
    QStringList buttons;
    bool wasApplicationModal = false;
};

void answerNextBox(BoxAnswer& answer) {
    QTimer::singleShot(0, [&answer] {
        ASSERT_TRUE(waitUntil(
            [] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); }));
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        answer.title = box->windowTitle();
        answer.text = box->text();
        for (QAbstractButton* button : box->buttons()) {
            answer.buttons << button->text();
        }
        answer.wasApplicationModal = box->windowModality() == Qt::ApplicationModal;
        answer.answer(*box);
    });
}

QAbstractButton* buttonNamed(QMessageBox& box, const QString& label) {
    for (QAbstractButton* button : box.buttons()) {
        if (button->text() == label) {
            return button;
        }
    }
    return nullptr;
}

} // namespace

TEST(Operations, MessageBoxYesNoResults) {
    struct Case {
        const char* how;
        std::function<void(QMessageBox&)> answer;
        int expected;
    };
    const Case cases[] = {
        {"是", [](QMessageBox& b) { QTest::mouseClick(buttonNamed(b, "是"), Qt::LeftButton); },
         app::resultYes},
        {"否", [](QMessageBox& b) { QTest::mouseClick(buttonNamed(b, "否"), Qt::LeftButton); },
         app::resultNo},
        {"Esc", [](QMessageBox& b) { QTest::keyClick(&b, Qt::Key_Escape); }, app::resultNo},
        {"title-bar close", [](QMessageBox& b) { b.close(); }, app::resultNo},
    };
    for (const auto& c : cases) {
        BoxAnswer answer;
        answer.answer = c.answer;
        answerNextBox(answer);
        const int result =
            app::messageBox("\xb2\xe2\xca\xd4", app::buttonsYesNo, ui::Text("\xb1\xea\xcc\xe2"));
        EXPECT_EQ(result, c.expected) << c.how;
        EXPECT_EQ(answer.title, QString("标题"));
        EXPECT_EQ(answer.text, QString("测试"));
        EXPECT_EQ(answer.buttons, QStringList({"是", "否"}));
        EXPECT_TRUE(answer.wasApplicationModal);
    }
}

TEST(Operations, MessageBoxOtherButtonSets) {
    const std::tuple<int, const char*, int> cases[] = {{0, "确定", app::resultOk},
                                                       {1, "取消", app::resultCancel},
                                                       {2, "重试", app::resultRetry},
                                                       {3, "取消", app::resultCancel},
                                                       {5, "重试", app::resultRetry}};
    for (const auto& [set, label, expected] : cases) {
        BoxAnswer answer;
        answer.answer = [label = QString(label)](QMessageBox& b) {
            QTest::mouseClick(buttonNamed(b, label), Qt::LeftButton);
        };
        answerNextBox(answer);
        EXPECT_EQ(app::messageBox("x", set, std::nullopt), expected) << set;
    }
}
