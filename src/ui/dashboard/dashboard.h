#pragma once
// The title and dashboard area above the tabs: title, jackpot, time of day, game progress, the
// banner's start button and estimated finish, score-sheet code, round and entrant counts, and the
// dual-monitor button. A double-click on the jackpot frame toggles the hidden tools.

#include <QGroupBox>
#include <QWidget>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace rh::ui {

/// frmJackpot: a frame that reports double-clicks (its labels pass theirs on to it).
class JackpotFrame : public QGroupBox {
    Q_OBJECT
public:
    explicit JackpotFrame(QWidget* parent = nullptr);
signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

class Dashboard : public QWidget {
    Q_OBJECT
public:
    explicit Dashboard(QWidget* parent = nullptr);

    QLabel* lblTourneyTitle;
    JackpotFrame* frmJackpot;
    QLabel* lblJackPot;
    QLabel* lblDashJpotTitle;
    QLabel* lblTime;
    QLineEdit* txtCurrentTime;
    QProgressBar* progressBar;
    QLabel* lblProgress;
    QPushButton* cmdbannerStartTimer;
    QLabel* lblEstFinishLabel;
    QLabel* lblEstFinish;
    QLabel* lblCodeCaption;
    QLabel* lblCode;
    QLabel* lblCurrentRoundCaption;
    QLabel* lblCurrentRound;
    QLabel* lblTotalRoundsCaption;
    QLabel* lblTotalRounds;
    QLabel* lblDashboardPlort;
    QLabel* lblTotalPlayers;
    QPushButton* cmdBrowser;
    /// The wall screen, full-screen on the second screen when there is one.
    QPushButton* cmdWallScreen;
};

} // namespace rh::ui
