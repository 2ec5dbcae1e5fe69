#include "ui/presenters.h"

#include "ui/main_window.h"
#include "ui/money_presenter.h"

namespace rh::ui {

void installPresenters(MainWindow& window) {
    new MoneyPresenter(window);
}

} // namespace rh::ui
