#include "ui/timer/tab_timer.h"

#include "ui/shell/links.h"
#include "ui/shell/visuals.h"
#include "ui/shell/widgets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace rh::ui {

TimerTab::TimerTab(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tabTimer"));

    frmTimer = makeFrame(this, "frmTimer", "Tournament Timer");
    cmdTourneyStart = makeButton(frmTimer, "cmdTourneyStart", "&Start", "Start/Stop Tournament");
    cmdPause = makeButton(frmTimer, "cmdPause", "&Pause", "Pause/Resume Tournament");
    cmdPause->setEnabled(false);
    for (QPushButton* b : {cmdTourneyStart, cmdPause})
        b->setMinimumSize(120, 34);
    ProgressCurrentRnd = new QProgressBar(frmTimer);
    ProgressCurrentRnd->setObjectName(QStringLiteral("ProgressCurrentRnd"));
    ProgressCurrentRnd->setTextVisible(false);
    ProgressCurrentRnd->setRange(0, 1);
    ProgressCurrentRnd->setValue(0);

    QFont big = font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    auto value = [&](const char* name) {
        QLabel* l = makeValue(frmTimer, name);
        l->setFont(big);
        l->setMinimumSize(170, 36);
        l->setMaximumWidth(300);
        return l;
    };
    lblStartTimeCaption = makeLabel(frmTimer, "lblStartTimeCaption", "Start Time");
    lblStartTime = value("lblStartTime");
    lblElapsedTimeCaption = makeLabel(frmTimer, "lblElapsedTimeCaption", "Elapsed Time");
    lblElapsedTime = value("lblElapsedTime");
    lblRoundElapsedCaption = makeLabel(frmTimer, "lblRoundElapsedCaption", "Current Round");
    lblRoundElapsed = value("lblRoundElapsed");
    lblAvgRoundCaption = makeLabel(frmTimer, "lblAvgRoundCaption", "Average Round");
    lblAvgRound = value("lblAvgRound");
    lblFinishTimeCaption = makeLabel(frmTimer, "lblFinishTimeCaption", "Est. Finish");
    lblFinishTime = value("lblFinishTime");
    lblPauseElapsedCaption = makeLabel(frmTimer, "lblPauseElapsedCaption", "Paused Time");
    lblPauseElapsed = value("lblPauseElapsed");
    {
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(cmdTourneyStart);
        buttons->addWidget(cmdPause);
        buttons->addStretch(1);

        auto* values = new QGridLayout;
        values->setHorizontalSpacing(18);
        values->setVerticalSpacing(10);
        QLabel* const pairs[][2] = {
            {lblStartTimeCaption, lblStartTime},       {lblElapsedTimeCaption, lblElapsedTime},
            {lblRoundElapsedCaption, lblRoundElapsed}, {lblAvgRoundCaption, lblAvgRound},
            {lblFinishTimeCaption, lblFinishTime},     {lblPauseElapsedCaption, lblPauseElapsed}};
        int row = 0;
        for (auto& p : pairs) {
            values->addWidget(p[0], row, 0);
            values->addWidget(p[1], row, 1);
            ++row;
        }
        values->setColumnStretch(2, 1);

        auto* l = new QVBoxLayout(frmTimer);
        l->setSpacing(12);
        l->addLayout(buttons);
        l->addWidget(ProgressCurrentRnd);
        l->addLayout(values);
        l->addStretch(1);
    }

    frmAbout = makeFrame(this, "frmAbout", "Rankhall");
    imgAbout = makeLabel(frmAbout, "imgAbout");
    imgAbout->setPixmap(rankhallLogo(128));
    imgAbout->setAlignment(Qt::AlignCenter);
    lblVersion = makeLabel(frmAbout, "lblVersion", "Version x.y.z");
    lblVersion->setAlignment(Qt::AlignCenter);
    lblWebSiteCaption = new LinkLabel(frmAbout, "lblWebSiteCaption", "Visit us on the web:");
    lblWebSite = new LinkLabel(frmAbout, "lblWebSite", kWebSite);
    lblTimerEmalCaption =
        new LinkLabel(frmAbout, "lblTimerEmalCaption", "Questions or comments:", "Leave Comment");
    lblTimerEmal = new LinkLabel(frmAbout, "lblTimerEmal", kSupportMail, "Leave Comment");
    {
        auto* l = new QVBoxLayout(frmAbout);
        l->setSpacing(6);
        l->addWidget(imgAbout);
        l->addWidget(lblVersion);
        l->addSpacing(12);
        for (QLabel* link :
             {static_cast<QLabel*>(lblWebSiteCaption), static_cast<QLabel*>(lblWebSite)})
            l->addWidget(link, 0, Qt::AlignHCenter);
        l->addSpacing(8);
        for (QLabel* link :
             {static_cast<QLabel*>(lblTimerEmalCaption), static_cast<QLabel*>(lblTimerEmal)})
            l->addWidget(link, 0, Qt::AlignHCenter);
        l->addStretch(1);
    }

    auto* top = new QHBoxLayout(this);
    top->setContentsMargins(10, 10, 10, 10);
    top->setSpacing(12);
    top->addWidget(frmTimer, 3);
    top->addWidget(frmAbout, 2);
}

} // namespace rh::ui
