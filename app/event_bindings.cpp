#include "app/event_bindings.h"

#include "app/shell.h"
#include "cover/cover_handlers.h"
#include "grid/batch_handler.h"
#include "grid/layout_handler.h"
#include "ui/form/form.h"
#include "ui/form/form_window.h"

namespace app {
namespace {

// The handlers take the event's arguments and use none of them.
void (*handlerFor(ui::HandlerId id))() {
    switch (id) {
    case ui::HandlerId::SetStartState:
        return cover::setStartState;
    case ui::HandlerId::AskAgreement:
        return cover::askAgreement;
    case ui::HandlerId::CountdownTick:
        return cover::countdownTick;
    case ui::HandlerId::ShowLogoAndSignature:
        return cover::showLogoAndSignature;
    case ui::HandlerId::Enter:
        return cover::enter;
    case ui::HandlerId::HideLogoAndSignature:
        return cover::hideLogoAndSignature;
    case ui::HandlerId::LayOutGrid:
        return grid::layOutGrid;
    case ui::HandlerId::FillBatch:
        return grid::fillBatch;
    }
    return nullptr;
}

} // namespace

ui::EventHandler guardedHandler(std::function<void()> handler) {
    return [handler = std::move(handler)](const ui::EventArgs&) {
        try {
            handler();
        } catch (...) {
            reportFatalFault(std::current_exception()); // never unwinds through Qt
        }
    };
}

void bindEventHandlers(ui::FormWindow& window) {
    for (const ui::Binding& binding : ui::formBindings()) {
        if (auto* handler = handlerFor(binding.handler)) {
            window.bind(binding.control, binding.event, guardedHandler(handler));
        }
    }
}

} // namespace app
