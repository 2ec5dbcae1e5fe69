#pragma once
// A main window with every presenter installed, on a session of its own in a temporary folder,
// and the steps of a tournament load as a director would see them. Shared by the tests of the
// Results, Details and Alias tabs and of the roster viewer.

#include "core/scripted_prompt.h"
#include "services/load_save.h"
#include "services/session.h"
#include "support/generator.h"
#include "support/temp_dir.h"
#include "ui/main_window.h"
#include "ui/presenters.h"
#include "ui/tab_money.h"

#include <QComboBox>
#include <QTabWidget>
#include <QtTest>

#include <memory>
#include <string>

namespace rh::test {

struct ReviewFixture {
    TempDir dir; // before the session, which reads the temporary folder once
    ScriptedPrompt prompt;
    Session session{prompt};
    ui::MainWindow window{session};

    ReviewFixture() { ui::installPresenters(window); }

    template <class T = QWidget> T* child(const char* name) {
        return window.findChild<T*>(QString::fromUtf8(name));
    }

    /// Loads one of examples/*.qmc through the load service, then the after-load refresh.
    bool loadExample(const char* file) {
        const std::string path = std::string(RANKHALL_SOURCE_DIR) + "/examples/" + file;
        return loadTournament(session, path, [this] { showLoaded(); });
    }

    /// A generated tournament, as if it had been loaded from a file.
    void loadGenerated(const GeneratorOptions& options) {
        auto state = std::make_shared<TournamentState>();
        generateTournament(*state, options);
        openBuiltTournament(session, std::move(state), [this] { showLoaded(); });
    }

    /// The tournament built in the session's state, finished as a load finishes.
    void afterLoad() {
        finishLoad(session, [this] { showLoaded(); });
    }

    /// The part of the window's after-load refresh these tabs depend on, run inside the load:
    /// the loaded fees chosen in their lists, the dashboard and titles, then the views.
    void showLoaded() {
        const TournamentSettings& t = session.tourney();
        const double bump = t.BumpFee(), wood = t.WoodFee(), entry = t.EntryFee();
        ui::MoneyTab* money = window.moneyTab();
        money->cbBumpFee->setCurrentIndex(-1);
        money->cbWoodFee->setCurrentIndex(-1);
        money->cbEntryFee->setCurrentIndex(-1);
        ui::MoneyTab::selectFee(money->cbBumpFee, bump);
        ui::MoneyTab::selectFee(money->cbWoodFee, wood);
        ui::MoneyTab::selectFee(money->cbEntryFee, entry);
        window.ShowDashboard();
        window.ShowJackpotTitles();
        window.notifyTournamentLoaded();
    }

    void showTab(int index) {
        if (window.tabs()->currentIndex() == index)
            window.tabs()->setCurrentIndex(ui::MainWindow::TabLoadMoney);
        window.tabs()->setCurrentIndex(index);
    }
};

} // namespace rh::test
