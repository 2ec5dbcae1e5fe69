#pragma once
// Tab 1, "Timer": the tournament timer (Start/Stop, Pause/Resume, the current-round bar and the
// clock values) and, beside it, the version and the maker's links. The clock itself is
// TournamentClock; ClockPresenter copies its display into these controls.

#include <QWidget>

class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace rh::ui {

class LinkLabel;

class TimerTab : public QWidget {
    Q_OBJECT
public:
    explicit TimerTab(QWidget* parent = nullptr);

    QGroupBox* frmTimer;
    QPushButton* cmdTourneyStart;
    QPushButton* cmdPause;
    QProgressBar* ProgressCurrentRnd;
    QLabel* lblStartTimeCaption;
    QLabel* lblStartTime;
    QLabel* lblElapsedTimeCaption;
    QLabel* lblElapsedTime;
    QLabel* lblRoundElapsedCaption;
    QLabel* lblRoundElapsed;
    QLabel* lblAvgRoundCaption;
    QLabel* lblAvgRound;
    QLabel* lblFinishTimeCaption;
    QLabel* lblFinishTime;
    QLabel* lblPauseElapsedCaption;
    QLabel* lblPauseElapsed;

    QGroupBox* frmAbout;
    QLabel* imgAbout;
    QLabel* lblVersion;
    LinkLabel* lblWebSiteCaption;
    LinkLabel* lblWebSite;
    LinkLabel* lblTimerEmalCaption;
    LinkLabel* lblTimerEmal;
};

} // namespace rh::ui
