// Fatal errors end the program with exit code -1 (status 255) after an error box titled "错误" with
// an error icon and one OK button; an orderly end's routines are not run.

#include "program_fixture.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

using namespace testing_support;

namespace {

// In the dying process: closes the error box with its OK button once it shows, after checking it
// is the box it should be; a wrong box ends the process with another status.
void answerErrorBoxWithOk() {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            return;
        }
        const bool right = box->windowTitle() == QString("错误") &&
                           box->icon() == QMessageBox::Critical && box->buttons().size() == 1;
        if (!right) {
            std::_Exit(4);
        }
        std::fprintf(stderr, "error box: %s\n", box->text().toStdString().c_str());
        QTest::mouseClick(box->buttons().front(), Qt::LeftButton);
    });
    poll->start(20);
    QTimer::singleShot(20000, [] { std::_Exit(3); }); // no box ever showed
}

void countEnd() {
    std::fprintf(stderr, "end routine ran\n");
}

} // namespace

TEST(FatalErrorDeathTest, ShowsAnErrorBoxThenExitsWithMinusOne) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            app::Shell shell;
            shell.registerEndRoutine(&countEnd);
            answerErrorBoxWithOk();
            app::fatalError("test fault");
        },
        testing::ExitedWithCode(255), "error box: test fault\n$");
}

TEST(FatalErrorDeathTest, AHandlerAddressingNoControlIsFatal) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            // The program's own handlers, bound by the shell. The test's QApplication has no
            // last-resort catch, so only the binding's guard can turn the fault into the box.
            app::Shell shell;
            shell.loadMainWindow();
            ui::writeProperty(ui::分组框2, ui::Property::Visible, false);
            answerErrorBoxWithOk();
            QTimer::singleShot(0, [] {
                const QPoint button = inWindow(ui::按钮1, {20, 10});
                QWindow* window = topLevel();
                // A second window, built and gone, leaves the control layer addressing none: the
                // batch handler's first read of a control faults.
                std::make_unique<ui::FormWindow>().reset();
                QTest::mouseClick(window, Qt::LeftButton, {}, button);
            });
            shell.runLoop();
            std::_Exit(0); // not reached when the fault is fatal
        },
        testing::ExitedWithCode(255), "error box: .*no control with identifier");
}
