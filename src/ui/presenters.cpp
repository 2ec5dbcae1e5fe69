#include "ui/presenters.h"

#include "ui/main_window.h"
#include "ui/results_presenter.h"

namespace rh::ui {

void installPresenters(MainWindow& window) {
    installReviewPresenters(window);
}

} // namespace rh::ui
