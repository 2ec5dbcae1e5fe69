#include "ui/shell/presenters.h"

#include "ui/leaders/leaders_presenter.h"
#include "ui/money/money_presenter.h"
#include "ui/new_tournament/new_tournament_presenter.h"
#include "ui/results/results_presenter.h"
#include "ui/room/room_presenter.h"
#include "ui/scores/scores_presenter.h"
#include "ui/shell/main_flow.h"
#include "ui/shell/main_window.h"

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
