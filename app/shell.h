#pragma once
// The application shell: builds the main window, runs the event loop and ends the program when
// the window is gone.

#include "ui/form/control_ids.h"

#include <QObject>
#include <QString>
#include <exception>
#include <memory>
#include <vector>

namespace ui {
class FormWindow;
}

namespace app {

class Shell : public QObject {
    Q_OBJECT

public:
    Shell();
    ~Shell() override;

    // The shell of the running program, or nullptr.
    static Shell* instance();

    // Builds the main window from its form, binds its events to the handlers, raises created and
    // only then shows the window. A window that cannot be built is a fatal error.
    void loadMainWindow();

    // Sets the loop-started flag and runs the event loop until the quit request; skipped when no
    // window is loaded. Gives the exit code the quit request carried.
    int runLoop();

    // End-of-program routines: each registered once, run in order on an orderly end only.
    void registerEndRoutine(void (*routine)());
    void runEndRoutines();

    // Marks the window and posts the destroy message to the shell; the main window asks for this
    // when a handler calls destroyWindow and when the user closes it.
    void requestDestroy(ui::ControlId window);

    ui::FormWindow* mainWindow() const;
    bool loopStarted() const { return loopStarted_; }
    std::size_t loadedWindowCount() const { return loaded_.size(); }

protected:
    bool event(QEvent* event) override;

private:
    struct LoadedWindow {
        std::unique_ptr<ui::FormWindow> window;
        bool pendingDestroy = false;
    };

    // Destroys the window with all its controls, then the post-destroy step: the window leaves the
    // loaded list, and once the list is empty after the loop started, the quit request is posted.
    void destroy(ui::FormWindow* window);

    std::vector<LoadedWindow> loaded_;
    bool loopStarted_ = false;
    std::vector<void (*)()> endRoutines_;
};

// Reports a fatal error: an error box titled "错误" when there is a display, then the process
// ends at once with exit code -1, running no end-of-program routine.
[[noreturn]] void fatalError(const QString& message);

// Reports a fault that escaped a handler (a control that does not exist, memory that cannot be
// had) as a fatal error.
[[noreturn]] void reportFatalFault(std::exception_ptr fault);

// The program's start entry: everything from preparing the process to the exit code.
int runProgram(int argc, char** argv);

} // namespace app
