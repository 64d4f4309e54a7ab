#include "app/shell.h"

#include "app/display_check.h"
#include "app/event_bindings.h"
#include "ui/controls/fonts.h"
#include "ui/form/form.h"
#include "ui/form/form_window.h"
#include "ui/texts/gbk_text.h"
#include "ui/texts/program_texts.h"

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

// The handlers' faults end the program inside the handlers' own frames (guardedHandler). What is
// left for here is a fault that starts inside Qt itself, such as its own failed allocation: the
// last resort, once it has unwound through Qt, is the same fatal error.
class Application : public QApplication {
    Q_OBJECT

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
        fatalError(ui::fromGbk(texts::errors::outOfMemory));
    } catch (const std::exception& error) {
        fatalError(ui::fromGbk(texts::errors::internal) + QString::fromLocal8Bit(error.what()));
    } catch (...) {
        fatalError(ui::fromGbk(texts::errors::internal));
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
        raw->onDestroyRequested([this] { requestDestroy(ui::windowRecord().id); });
        raw->onCloseRequested([this] {
            // The user closed it: the window goes once the close has been handled.
            requestDestroy(ui::windowRecord().id);
        });
        raw->createAndShow();
    } catch (const std::bad_alloc&) {
        fatalError(ui::fromGbk(texts::errors::outOfMemory));
    } catch (const std::exception& fault) {
        fatalError(ui::fromGbk(texts::errors::noMainWindow) + QStringLiteral("\n") +
                   QString::fromLocal8Bit(fault.what()));
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
    if (window != ui::windowRecord().id || loaded_.empty()) {
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
        QMessageBox box(QMessageBox::Critical, ui::fromGbk(texts::errors::caption), message,
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

#include "shell.moc"
