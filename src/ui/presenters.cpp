#include "ui/presenters.h"

#include "ui/main_window.h"

namespace rh::ui {

void installPresenters(MainWindow& window) {
    (void)window;
}

} // namespace rh::ui
