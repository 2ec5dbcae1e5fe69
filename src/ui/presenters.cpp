#include "ui/presenters.h"

#include "ui/leaders_presenter.h"
#include "ui/main_flow.h"
#include "ui/main_window.h"
#include "ui/money_presenter.h"
#include "ui/new_tournament_presenter.h"
#include "ui/results_presenter.h"
#include "ui/room_presenter.h"
#include "ui/scores_presenter.h"

namespace rh::ui {

void installPresenters(MainWindow& window) {
    new MainFlow(window);
    new ScoresPresenter(window);
    new LeadersPresenter(window);
    new MoneyPresenter(window);
    installReviewPresenters(window);
    new NewTournamentPresenter(window);
    new SubstitutePresenter(window);
    new RoomPresenter(window);
}

} // namespace rh::ui
