#include "app/shell.h"

#include "app/display_check.h"
#include "app/event_bindings.h"
#include "ui/fonts.h"
#include "ui/form.h"
#include "ui/form_window.h"
#include "ui/gbk_text.h"

#include <QApplication>
#include <QMessageBox>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>

namespace app {
namespace {

constexpr int exitCodeFatal = -1;

Shell* theShell = nullptr;

// The private message that destroys a window marked by destroyWindow.
const QEvent::Type destroyMessage = static_cast<QEvent::Type>(QEvent::registerEventType());

class DestroyMessage : public QEvent {
public:
    explicit DestroyMessage(ui::ControlId window) : QEvent(destroyMessage), window(window) {}
    const ui::ControlId window;
};

// A fault anywhere in the toolkit's event handling ends the program as a fatal error instead of
// unwinding through Qt.
class Application : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (...) {
            reportFatalFault(std::current_exception());
        }
    }
};

// The program's own initialisation and end-of-program routines have nothing to do.
void initialise() {}
void endOfProgram() {}

} // namespace

void reportFatalFault(std::exception_ptr fault) {
    try {
        std::rethrow_exception(fault);
    } catch (const std::bad_alloc&) {
        fatalError(ui::fromGbk("\xc4\xda\xb4\xe6\xb2\xbb\xd7\xe3\xa1\xa3")); // 内存不足。
    } catch (const std::exception& error) {
        // 程序内部错误：
        fatalError(ui::fromGbk("\xb3\xcc\xd0\xf2\xc4\xda\xb2\xbf\xb4\xed\xce\xf3\xa3\xba") +
                   QString::fromLocal8Bit(error.what()));
    } catch (...) {
        fatalError(ui::fromGbk("\xb3\xcc\xd0\xf2\xc4\xda\xb2\xbf\xb4\xed\xce\xf3\xa3\xba"));
    }
}

Shell::Shell() {
    theShell = this;
}

Shell::~Shell() {
    loaded_.clear();
    if (theShell == this) {
        theShell = nullptr;
    }
}

Shell* Shell::instance() {
    return theShell;
}

void Shell::loadMainWindow() {
    try {
        auto window = std::make_unique<ui::FormWindow>();
        ui::FormWindow* raw = window.get();
        loaded_.push_back({std::move(window), false});
        bindEventHandlers(*raw);
        raw->onCloseRequested([this] {
            // The user closed it: the window goes once the close has been handled.
            requestDestroy(ui::formWindow().id);
        });
        raw->createAndShow();
    } catch (const std::bad_alloc&) {
        fatalError(ui::fromGbk("\xc4\xda\xb4\xe6\xb2\xbb\xd7\xe3\xa1\xa3")); // 内存不足。
    } catch (const std::exception& fault) {
        // 无法创建主窗口。
        fatalError(ui::fromGbk("\xce\xde\xb7\xa8\xb4\xb4\xbd\xa8\xd6\xf7\xb4\xb0\xbf\xda\xa1\xa3") +
                   QStringLiteral("\n") + QString::fromLocal8Bit(fault.what()));
    }
}

int Shell::runLoop() {
    loopStarted_ = true;
    if (loaded_.empty()) {
        return 0;
    }
    return QApplication::exec();
}

void Shell::registerEndRoutine(void (*routine)()) {
    if (std::find(endRoutines_.begin(), endRoutines_.end(), routine) == endRoutines_.end()) {
        endRoutines_.push_back(routine);
    }
}

void Shell::runEndRoutines() {
    for (auto* routine : endRoutines_) {
        routine();
    }
}

ui::FormWindow* Shell::mainWindow() const {
    return loaded_.empty() ? nullptr : loaded_.front().window.get();
}

void Shell::requestDestroy(ui::ControlId window) {
    if (window != ui::formWindow().id || loaded_.empty()) {
        return; // only the main window is ever destroyed this way
    }
    loaded_.front().pendingDestroy = true;
    QCoreApplication::postEvent(this, new DestroyMessage(window));
}

bool Shell::event(QEvent* event) {
    if (event->type() != destroyMessage) {
        return QObject::event(event);
    }
    if (!loaded_.empty() && loaded_.front().pendingDestroy) {
        loaded_.front().pendingDestroy = false;
        destroy(loaded_.front().window.get());
    }
    return true;
}

void Shell::destroy(ui::FormWindow* window) {
    const auto found =
        std::find_if(loaded_.begin(), loaded_.end(),
                     [window](const LoadedWindow& w) { return w.window.get() == window; });
    if (found == loaded_.end()) {
        return;
    }
    loaded_.erase(found);
    if (loaded_.empty() && loopStarted_) {
        QMetaObject::invokeMethod(
            qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    }
}

void fatalError(const QString& message) {
    if (qApp) {
        QMessageBox box(QMessageBox::Critical, ui::fromGbk("\xb4\xed\xce\xf3"), message, // 错误
                        QMessageBox::Ok);
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
    } else {
        std::fprintf(stderr, "fokarium: %s\n", message.toLocal8Bit().constData());
    }
    std::_Exit(exitCodeFatal); // at once: no end-of-program routine runs
}

int runProgram(int argc, char** argv) {
    if (const auto problem = displayProblem()) {
        std::fprintf(stderr, "fokarium: %s\n", problem->c_str());
        return exitCodeFatal;
    }
    ui::allowSyntheticBoldAtEverySize(); // before the first font is loaded
    Application application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false); // the shell ends the loop after the destroy
    QGuiApplication::setDesktopFileName(QStringLiteral(FOKARIUM_APP_ID));
    ui::installDefaultGuiFont();
    initialise();

    Shell shell;
    shell.registerEndRoutine(&endOfProgram);
    shell.loadMainWindow();
    const int exitCode = shell.runLoop();
    shell.runEndRoutines();
    return exitCode;
}

} // namespace app
