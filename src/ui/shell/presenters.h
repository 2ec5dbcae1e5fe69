#pragma once
// The presenters connect each tab's controls to the application services and keep the tab in step
// with the open tournament. Each listens to the window's signals (tournamentLoaded, tabShown,
// tabChanging, scoreStored, roundChanged, ...); installPresenters creates them all, in the order
// in which they must hear those signals, as children of the window.

namespace rh::ui {

class MainWindow;

void installPresenters(MainWindow& window);

} // namespace rh::ui
