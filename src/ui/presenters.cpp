#include "ui/presenters.h"

#include "ui/leaders_presenter.h"
#include "ui/main_flow.h"
#include "ui/main_window.h"

namespace rh::ui {

void installPresenters(MainWindow& window) {
    new MainFlow(window);
    new LeadersPresenter(window);
}

} // namespace rh::ui
