#include "ui/dashboard/dashboard.h"

#include "ui/shell/widgets.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace rh::ui {

JackpotFrame::JackpotFrame(QWidget* parent) : QGroupBox(parent) {
    setObjectName(QStringLiteral("frmJackpot"));
}

void JackpotFrame::mouseDoubleClickEvent(QMouseEvent* event) {
    QGroupBox::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

namespace {

QFont scaled(QFont f, qreal factor, bool bold) {
    f.setPointSizeF(f.pointSizeF() * factor);
    f.setBold(bold);
    return f;
}

} // namespace

Dashboard::Dashboard(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("boxDashboard"));

    lblTourneyTitle = makeLabel(this, "lblTourneyTitle");
    lblTourneyTitle->setFont(scaled(font(), 2.0, true));
    lblTourneyTitle->setTextFormat(Qt::PlainText);

    frmJackpot = new JackpotFrame(this);
    frmJackpot->setMinimumWidth(200);
    lblDashJpotTitle = makeLabel(frmJackpot, "lblDashJpotTitle", "Bump Jackpot");
    lblDashJpotTitle->setTextFormat(Qt::PlainText);
    lblDashJpotTitle->setAlignment(Qt::AlignCenter);
    lblDashJpotTitle->setFont(scaled(font(), 1.1, true));
    lblJackPot = makeLabel(frmJackpot, "lblJackPot", "$0.00", "Lone Jackpot");
    lblJackPot->setAlignment(Qt::AlignCenter);
    lblJackPot->setFont(scaled(font(), 1.8, true));
    auto* jp = new QVBoxLayout(frmJackpot);
    jp->setContentsMargins(10, 6, 10, 6);
    jp->addWidget(lblDashJpotTitle);
    jp->addWidget(lblJackPot);

    lblCodeCaption = makeLabel(this, "lblCodeCaption", "Score Sheet Code");
    lblCode = makeValue(this, "lblCode", "Game Code");
    lblCode->setMinimumWidth(90);
    lblCurrentRoundCaption = makeLabel(this, "lblCurrentRoundCaption", "Current Round:");
    lblCurrentRound = makeValue(this, "lblCurrentRound");
    lblTotalRoundsCaption = makeLabel(this, "lblTotalRoundsCaption", "Total Rounds:");
    lblTotalRounds = makeValue(this, "lblTotalRounds");
    lblDashboardPlort = makeLabel(this, "lblDashboardPlort", "Total Players:");
    lblTotalPlayers = makeValue(this, "lblTotalPlayers");
    for (QLabel* v : {lblCurrentRound, lblTotalRounds, lblTotalPlayers})
        v->setMinimumWidth(48);

    lblTime = makeLabel(this, "lblTime", "Time:");
    txtCurrentTime = makeTextBox(this, "txtCurrentTime", "hh:mm", "Current Time", true);
    txtCurrentTime->setFocusPolicy(Qt::NoFocus);
    txtCurrentTime->setAlignment(Qt::AlignCenter);
    txtCurrentTime->setFixedWidth(
        txtCurrentTime->fontMetrics().horizontalAdvance(QStringLiteral("00:00 PM")) + 24);
    progressBar = new QProgressBar(this);
    progressBar->setObjectName(QStringLiteral("progressBar"));
    progressBar->setToolTip(QStringLiteral("Game Progress Bar"));
    progressBar->setTextVisible(false);
    progressBar->setRange(0, 3);
    progressBar->setValue(0);
    progressBar->setMinimumWidth(220);
    lblProgress = makeLabel(this, "lblProgress", "0%", "Percentage Done");
    lblProgress->setMinimumWidth(40);
    cmdbannerStartTimer =
        makeButton(this, "cmdbannerStartTimer", "Start &Timer", "Start Tournament Timer");
    lblEstFinishLabel = makeLabel(this, "lblEstFinishLabel", "Est Finish:");
    lblEstFinish = makeLabel(this, "lblEstFinish", "", "Estimated Finish Time");
    lblEstFinish->setMinimumWidth(70);
    lblEstFinishLabel->hide();
    lblEstFinish->hide();
    cmdBrowser = makeButton(this, "cmdBrowser", "Dual Monitor", "Dual Monitor - Show Rankhall");
    cmdWallScreen = makeButton(this, "cmdWallScreen", "Wall Screen",
                               "Show the wall screen full-screen on the second screen");

    auto* facts = new QHBoxLayout;
    facts->setSpacing(6);
    facts->addWidget(lblCodeCaption);
    facts->addWidget(lblCode);
    facts->addSpacing(16);
    facts->addWidget(lblCurrentRoundCaption);
    facts->addWidget(lblCurrentRound);
    facts->addSpacing(16);
    facts->addWidget(lblTotalRoundsCaption);
    facts->addWidget(lblTotalRounds);
    facts->addSpacing(16);
    facts->addWidget(lblDashboardPlort);
    facts->addWidget(lblTotalPlayers);
    facts->addStretch(1);

    auto* clock = new QHBoxLayout;
    clock->setSpacing(6);
    clock->addWidget(lblTime);
    clock->addWidget(txtCurrentTime);
    clock->addSpacing(16);
    clock->addWidget(progressBar, 1);
    clock->addWidget(lblProgress);
    clock->addSpacing(16);
    clock->addWidget(cmdbannerStartTimer);
    clock->addWidget(lblEstFinishLabel);
    clock->addWidget(lblEstFinish);
    clock->addSpacing(16);
    clock->addWidget(cmdBrowser);
    clock->addWidget(cmdWallScreen);

    auto* left = new QVBoxLayout;
    left->setSpacing(6);
    left->addWidget(lblTourneyTitle);
    left->addLayout(facts);
    left->addLayout(clock);

    auto* top = new QHBoxLayout(this);
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(16);
    top->addLayout(left, 1);
    top->addWidget(frmJackpot);
}

} // namespace rh::ui
