#pragma once
// Fixtures that build the real main window on the offscreen platform, and helpers that act on it
// the way a user would: real mouse moves and clicks through Qt's window system input.

#include "app/shell.h"
#include "qt_printing.h"
#include "ui/controls/properties.h"
#include "ui/form/form_window.h"
#include "ui/form/window_widget.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
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
