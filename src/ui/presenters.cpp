#include "ui/presenters.h"

#include "ui/main_window.h"
#include "ui/scores_presenter.h"

namespace rh::ui {

void installPresenters(MainWindow& window) {
    new ScoresPresenter(window);
}

} // namespace rh::ui
