#pragma once
// Fixtures that build the real main window on the offscreen platform, and helpers that act on it
// the way a user would: real mouse moves and clicks through Qt's window system input, choosing a
// grid size, answering a message box. Shared by the unit tests and the desktop tests in C++.

#include "app/shell.h"
#include "qt_printing.h"
#include "ui/controls/properties.h"
#include "ui/form/form_window.h"
#include "ui/form/window_widget.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace testing_support {

// Processes events until the condition holds or the (generous) time runs out.
inline bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QTest::qWait(1);
    }
    return true;
}

// A point of a control, in the coordinates of the top-level window.
inline QPoint inWindow(ui::ControlId id, QPoint local) {
    const ui::FormWindow& window = *ui::FormWindow::current();
    return window.widget(id)->mapTo(window.widget(ui::分组框1)->window(), local);
}

inline QWindow* topLevel() {
    return ui::FormWindow::current()->widget(ui::分组框1)->window()->windowHandle();
}

// A mouse move with no button held, routed by Qt to the topmost widget under the point.
inline void moveMouseTo(ui::ControlId id, QPoint local) {
    QTest::mouseMove(topLevel(), inWindow(id, local));
}

inline void clickAt(ui::ControlId id, QPoint local) {
    QTest::mouseClick(topLevel(), Qt::LeftButton, {}, inWindow(id, local));
}

inline void pressAt(ui::ControlId id, QPoint local) {
    QTest::mousePress(topLevel(), Qt::LeftButton, {}, inWindow(id, local));
}

// Picks a grid size the way the user does: the item becomes the current one, then the list's
// item-selected event runs. -1 leaves no item chosen.
inline void chooseSize(int item) {
    ui::writeProperty(ui::组合框1, ui::Property::CurrentItem, item);
    ui::FormWindow::current()->raise(ui::组合框1, ui::Event::ListItemSelected);
}

// Once the next modal message box shows, hands it to `act`, which reads it and answers it. Call it
// before the code that opens the box: it runs inside the event loop that the open box spins.
inline void whenBoxShows(std::function<void(QMessageBox&)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        QMessageBox* box = nullptr;
        ASSERT_TRUE(waitUntil([&] {
            box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            return box != nullptr;
        })) << "no message box showed";
        act(*box);
    });
}

// Answers a box as the user does: "Esc" by the key, "close" by the title bar's close button, any
// other text by a click on the button that carries it.
inline void answerBox(QMessageBox& box, const QString& how) {
    if (how == "Esc") {
        QTest::keyClick(&box, Qt::Key_Escape);
        return;
    }
    if (how == "close") {
        box.close();
        return;
    }
    for (QAbstractButton* button : box.buttons()) {
        if (button->text() == how) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    }
    ADD_FAILURE() << "the box has no button " << how.toStdString();
    box.close(); // so that the code under test does not wait forever
}

inline int integer(ui::ControlId id, ui::Property property) {
    return ui::readProperty(id, property).integer();
}
inline ui::Text text(ui::ControlId id) {
    return ui::readProperty(id, ui::Property::Text).text();
}

// The main window alone, built from the form, with no handler bound: for the control layer.
class FormWindowTest : public ::testing::Test {
protected:
    void SetUp() override { window_ = std::make_unique<ui::FormWindow>(); }
    void TearDown() override { window_.reset(); }
    void show() {
        window_->windowWidget().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_->windowWidget()));
    }
    ui::FormWindow& window() { return *window_; }

private:
    std::unique_ptr<ui::FormWindow> window_;
};

// The whole program's window as the shell loads it: handlers bound, created raised, shown.
class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        shell_ = std::make_unique<app::Shell>();
        shell_->loadMainWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(topLevel()));
    }
    void TearDown() override { shell_.reset(); }
    app::Shell& shell() { return *shell_; }
    ui::FormWindow& window() { return *shell_->mainWindow(); }

private:
    std::unique_ptr<app::Shell> shell_;
};

} // namespace testing_support
