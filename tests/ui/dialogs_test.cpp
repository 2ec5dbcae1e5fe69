// The prompt's Qt side and the splash: message boxes, file filters, the conflict and round-over
// dialogs, and the splash's two conditions, all without running a modal loop or waiting.
#include "core/scripted_prompt.h"
#include "services/session.h"
#include "ui/dialogs.h"
#include "ui/main_window.h"
#include "ui/qt_prompt.h"
#include "ui/splash.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void messageBoxesCarryIconButtonsAndTitle() {
        auto box = rh::ui::buildMessageBox({"Stop Tournament", "line 1\r\nline 2",
                                            rh::MsgIcon::Exclamation, rh::MsgButtons::OkCancel},
                                           nullptr);
        QCOMPARE(box->windowTitle(), QStringLiteral("Stop Tournament"));
        QCOMPARE(box->text(), QStringLiteral("line 1\nline 2"));
        QCOMPARE(box->icon(), QMessageBox::Warning);
        QCOMPARE(box->standardButtons(), QMessageBox::Ok | QMessageBox::Cancel);

        auto untitled = rh::ui::buildMessageBox(
            {"", "error in UpdateLeaderGridMain", rh::MsgIcon::None, rh::MsgButtons::Ok}, nullptr);
        QCOMPARE(untitled->windowTitle(), QStringLiteral("Rankhall"));
        QCOMPARE(untitled->standardButtons(), QMessageBox::Ok);

        auto critical = rh::ui::buildMessageBox(
            {"makekey", "x", rh::MsgIcon::Critical, rh::MsgButtons::YesNo}, nullptr);
        QCOMPARE(critical->icon(), QMessageBox::Critical);
        QCOMPARE(critical->standardButtons(), QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(rh::ui::answerOf(QMessageBox::No), rh::MsgAnswer::No);
        QCOMPARE(rh::ui::answerOf(QMessageBox::Cancel), rh::MsgAnswer::Cancel);
        QCOMPARE(rh::ui::answerOf(QMessageBox::Yes), rh::MsgAnswer::Yes);
    }

    void fileFiltersAndDialogs() {
        QCOMPARE(rh::ui::qtFileFilter("Files (*.QMC)|*.QMC"),
                 QStringLiteral("Files (*.QMC) (*.QMC *.qmc)"));
        QCOMPARE(rh::ui::qtFileFilter("Tournaments|*.QMC;*.RCV|All|*.*"),
                 QStringLiteral("Tournaments (*.QMC *.qmc *.RCV *.rcv);;All (*.*)"));
        rh::FileDialogSpec dialogSpec;
        dialogSpec.title = "Save Tournament";
        dialogSpec.filter = "Files (*.QMC)|*.QMC";
        dialogSpec.defaultExtension = "QMC";
        dialogSpec.confirmOverwrite = true;
        auto save = rh::ui::buildFileDialog(dialogSpec, true, nullptr);
        QCOMPARE(save->windowTitle(), QStringLiteral("Save Tournament"));
        QCOMPARE(save->acceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(save->defaultSuffix(), QStringLiteral("QMC"));
        QVERIFY(!save->testOption(QFileDialog::DontConfirmOverwrite));
        QCOMPARE(save->nameFilters().size(), 1);
        auto open = rh::ui::buildFileDialog(dialogSpec, false, nullptr);
        QCOMPARE(open->fileMode(), QFileDialog::ExistingFile);
    }

    void resolveDialogTakesTheChosenScore() {
        const rh::ConflictRequest request{"Abe", "*Bo", "07", "09"};
        rh::ui::ResolveDialog dialog(request);
        QCOMPARE(dialog.objectName(), QStringLiteral("frmResolve"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Resolve Conflict"));
        QCOMPARE(dialog.Label7->text(), QStringLiteral("Resolve the conflict"));
        QCOMPARE(dialog.Label6->text(),
                 QStringLiteral("There is a discrepancy between your score and your partners "
                                "score."));
        QCOMPARE(dialog.Label2->text(), QStringLiteral("Player"));
        QCOMPARE(dialog.Label3->text(), QStringLiteral("Partner"));
        QCOMPARE(dialog.Label1->text(), QStringLiteral("Score"));
        QCOMPARE(dialog.Label5->text(), QStringLiteral("Score"));
        QCOMPARE(dialog.Label4->text(), QStringLiteral("Select Score"));
        QCOMPARE(dialog.cmdOK->text(), QStringLiteral("OK"));
        QCOMPARE(dialog.cbPlayerName->text(), QStringLiteral("Abe"));
        QCOMPARE(dialog.cbPartnerName->text(), QStringLiteral("*Bo"));
        QCOMPARE(dialog.cbPlayerScore->text(), QStringLiteral("07"));
        QCOMPARE(dialog.cbPartnerScore->text(), QStringLiteral("09"));
        QCOMPARE(dialog.optPlayer->toolTip(),
                 QStringLiteral("Choose the player which has the correct score"));
        QVERIFY(!dialog.optPlayer->isChecked());
        QVERIFY(!dialog.optPartner->isChecked());
        QCOMPARE(dialog.result(), std::string("09")); // no choice: the partner's score stands
        dialog.optPlayer->setChecked(true);
        dialog.cmdOK->click();
        QCOMPARE(dialog.result(), std::string("07"));
        QCOMPARE(dialog.result(), std::string("07"));
        dialog.optPartner->setChecked(true);
        QCOMPARE(dialog.result(), std::string("09"));
    }

    void autoAdvanceDialogTexts() {
        rh::ui::AutoAdvanceDialog round(false);
        QCOMPARE(round.objectName(), QStringLiteral("frmAutoAdvance"));
        QCOMPARE(round.windowTitle(), QStringLiteral("Auto-Advance Round"));
        QCOMPARE(round.lblAutoTitle->text(), QStringLiteral("THE ROUND IS OVER"));
        QCOMPARE(round.Label2->text(), QStringLiteral("All scores have been entered"));
        QCOMPARE(round.lblDirections->text(),
                 QStringLiteral("Press OK to advance to the next round"));
        QCOMPARE(round.OKButton->text(), QStringLiteral("OK"));
        rh::ui::AutoAdvanceDialog over(true);
        QCOMPARE(over.lblAutoTitle->text(), QStringLiteral("THE TOURNAMENT IS OVER"));
        QCOMPARE(over.lblDirections->text(), QStringLiteral("Press OK to go to the Results Tab"));
    }

    void splashWaitsForTheLaterOfTimeAndReady() {
        rh::ScriptedPrompt p;
        rh::Session session(p);
        {
            rh::ui::MainWindow window(session);
            rh::ui::SplashWindow splash(&window);
            QCOMPARE(splash.objectName(), QStringLiteral("frmSplash"));
            QVERIFY(splash.windowFlags() & Qt::WindowStaysOnTopHint);
            QCOMPARE(splash.lblCompanyProduct->text(), QStringLiteral("Rankhall"));
            QCOMPARE(splash.lblVersion->text(), QStringLiteral("Version 1.0.0"));
            QCOMPARE(splash.lblPlatform->text(), rh::ui::platformName());
            QVERIFY(!splash.imgLogo->pixmap().isNull());
            splash.ShowSplash();
            QCOMPARE(splash.SplashTimer->interval(), 2000);
            QVERIFY(splash.SplashTimer->isActive());
            QVERIFY(splash.isVisible());
            QVERIFY(!window.isVisible());
            // Ready first: the splash stays until the minimum time is over.
            splash.ReadyToWork();
            QVERIFY(splash.isVisible());
            QVERIFY(!window.isVisible());
            splash.SplashTimerTick();
            QVERIFY(!splash.isVisible());
            QVERIFY(window.isVisible());
            QVERIFY(splash.finished());
        }
        {
            rh::ui::MainWindow window(session);
            rh::ui::SplashWindow splash(&window);
            splash.ShowSplash();
            // Time first: the splash closes as soon as the window reports ready.
            splash.SplashTimerTick();
            QVERIFY(splash.isVisible());
            QVERIFY(!window.isVisible());
            QVERIFY(!splash.SplashTimer->isActive());
            splash.ReadyToWork();
            QVERIFY(!splash.isVisible());
            QVERIFY(window.isVisible());
        }
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
