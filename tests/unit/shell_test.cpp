// The shell: destroying the window (deferred, by the handler's call or the user's close), the
// event loop ending with exit code 0, and the end-of-program routines.

#include "app/operations/operations.h"
#include "program_fixture.h"
#include "ui/form/window_widget.h"

#include <QTimer>

using namespace testing_support;
using ui::Property;

TEST_F(ProgramTest, DestroyWindowIsDeferredAndLaterWritesStillTakeEffect) {
    app::destroyWindow(ui::主窗口);
    ui::writeProperty(ui::计时1, Property::Text, "7");
    EXPECT_EQ(text(ui::计时1), "7");
    EXPECT_EQ(shell().loadedWindowCount(), 1u);
    EXPECT_TRUE(waitUntil([&] { return shell().loadedWindowCount() == 0; }));
    app::destroyWindow(ui::主窗口); // nothing left to destroy: no crash
    app::destroyWindow(ui::cell(1));
}

TEST_F(ProgramTest, EscClosesTheWindowAndTheLoopEndsWithZero) {
    for (auto close : std::vector<std::function<void()>>{
             [] { QTest::keyClick(topLevel(), Qt::Key_Escape); },
             [] { ui::FormWindow::current()->windowWidget().close(); }}) {
        if (!shell().mainWindow()) {
            shell().loadMainWindow();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(topLevel()));
        }
        QTimer::singleShot(50, close);
        QTimer::singleShot(10000, [] { QCoreApplication::exit(99); }); // a bound, never reached
        EXPECT_EQ(shell().runLoop(), 0);
        EXPECT_EQ(shell().loadedWindowCount(), 0u);
        EXPECT_TRUE(shell().loopStarted());
    }
}

namespace {
std::vector<int> calls;
void first() {
    calls.push_back(1);
}
void second() {
    calls.push_back(2);
}
} // namespace

TEST(Shell, EndRoutinesRunOnceEachInOrderOfRegistration) {
    app::Shell shell;
    shell.registerEndRoutine(&second);
    shell.registerEndRoutine(&first);
    shell.registerEndRoutine(&second);
    shell.runEndRoutines();
    EXPECT_EQ(calls, (std::vector<int>{2, 1}));
}

TEST(Shell, NoLoopWithoutAWindow) {
    app::Shell shell;
    EXPECT_EQ(shell.runLoop(), 0);
    EXPECT_TRUE(shell.loopStarted());
}

TEST(Shell, TheWindowIsCentredAtItsOuterSize) {
    app::Shell shell;
    shell.loadMainWindow();
    const ui::WindowWidget& window = shell.mainWindow()->windowWidget();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(window.homePosition(),
              QPoint((screen.width() - 582) / 2, (screen.height() - 640) / 2));
    EXPECT_EQ(window.frameGeometry().topLeft(), window.homePosition());
    const QMargins frame = window.windowHandle()->frameMargins();
    EXPECT_EQ(window.size() + QSize(frame.left() + frame.right(), frame.top() + frame.bottom()),
              QSize(582, 640));
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "not resizable";
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(window.windowTitle(), QString("Fokarium - 注意力训练 v1.0"));
}
