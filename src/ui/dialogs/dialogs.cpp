#include "ui/dialogs/dialogs.h"

#include "ui/shell/widgets.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace rh::ui {

ResolveDialog::ResolveDialog(const ConflictRequest& request, QWidget* parent)
    : QDialog(parent), m_request(request) {
    setObjectName(QStringLiteral("frmResolve"));
    setWindowTitle(QStringLiteral("Resolve Conflict"));
    setModal(true);

    Label7 = makeLabel(this, "Label7", "Resolve the conflict");
    QFont bold = font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    Label7->setFont(bold);
    Label6 = makeLabel(this, "Label6",
                       "There is a discrepancy between your score and your partners score.");
    Label6->setWordWrap(true);
    Label2 = makeLabel(this, "Label2", "Player");
    Label3 = makeLabel(this, "Label3", "Partner");
    Label1 = makeLabel(this, "Label1", "Score");
    Label5 = makeLabel(this, "Label5", "Score");
    Label4 = makeLabel(this, "Label4", "Select Score");
    cbPlayerName = makeTextBox(this, "cbPlayerName", "", nullptr, true);
    cbPartnerName = makeTextBox(this, "cbPartnerName", "", nullptr, true);
    cbPlayerScore = makeTextBox(this, "cbPlayerScore", "", nullptr, true);
    cbPartnerScore = makeTextBox(this, "cbPartnerScore", "", nullptr, true);
    cbPlayerName->setText(qs(request.playerName));
    cbPartnerName->setText(qs(request.partnerName));
    cbPlayerScore->setText(qs(request.playerScore));
    cbPartnerScore->setText(qs(request.partnerScore));
    for (QLineEdit* s : {cbPlayerScore, cbPartnerScore}) {
        s->setFixedWidth(60);
        s->setAlignment(Qt::AlignCenter);
    }
    for (QLineEdit* n : {cbPlayerName, cbPartnerName})
        n->setMinimumWidth(200);
    // The boxes only show; the keyboard goes from optPlayer to optPartner to OK.
    for (QLineEdit* box : {cbPlayerName, cbPartnerName, cbPlayerScore, cbPartnerScore})
        box->setFocusPolicy(Qt::NoFocus);
    const char* tip = "Choose the player which has the correct score";
    optPlayer = makeOption(this, "optPlayer", "", tip);
    optPartner = makeOption(this, "optPartner", "", tip);
    // Neither choice is preset, and OK waits for one: a score already stored is never replaced
    // (nor a new one dropped) because Enter was pressed too soon.
    auto* group = new QButtonGroup(this);
    group->addButton(optPlayer);
    group->addButton(optPartner);
    cmdOK = makeButton(this, "cmdOK", "OK");
    cmdOK->setDefault(true);
    cmdOK->setEnabled(false);
    connect(group, &QButtonGroup::buttonToggled, this, [this] { cmdOK->setEnabled(chosen()); });
    connect(cmdOK, &QPushButton::clicked, this, [this] {
        if (chosen())
            accept();
    });
    setTabOrder(optPlayer, optPartner);
    setTabOrder(optPartner, cmdOK);
    optPlayer->setFocus(Qt::OtherFocusReason);

    auto* g = new QGridLayout;
    g->setHorizontalSpacing(10);
    g->addWidget(Label4, 0, 0);
    g->addWidget(Label1, 0, 3, Qt::AlignCenter);
    g->addWidget(optPlayer, 1, 0, Qt::AlignCenter);
    g->addWidget(Label2, 1, 1);
    g->addWidget(cbPlayerName, 1, 2);
    g->addWidget(cbPlayerScore, 1, 3);
    g->addWidget(Label5, 2, 3, Qt::AlignCenter);
    g->addWidget(optPartner, 3, 0, Qt::AlignCenter);
    g->addWidget(Label3, 3, 1);
    g->addWidget(cbPartnerName, 3, 2);
    g->addWidget(cbPartnerScore, 3, 3);
    g->setColumnStretch(2, 1);
    auto* l = new QVBoxLayout(this);
    l->addWidget(Label7);
    l->addWidget(Label6);
    l->addSpacing(8);
    l->addLayout(g);
    l->addSpacing(8);
    l->addWidget(cmdOK, 0, Qt::AlignRight);
}

bool ResolveDialog::chosen() const {
    return optPlayer->isChecked() || optPartner->isChecked();
}

void ResolveDialog::reject() {
    // Escape and the window's close button do not settle the conflict: only OK after a choice.
}

std::string ResolveDialog::result() const {
    return optPlayer->isChecked() ? m_request.playerScore : m_request.partnerScore;
}

AutoAdvanceDialog::AutoAdvanceDialog(bool isOver, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAutoAdvance"));
    setWindowTitle(QStringLiteral("Auto-Advance Round"));
    setModal(true);
    lblAutoTitle =
        makeLabel(this, "lblAutoTitle", isOver ? "THE TOURNAMENT IS OVER" : "THE ROUND IS OVER");
    QFont big = font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.6);
    lblAutoTitle->setFont(big);
    Label2 = makeLabel(this, "Label2", "All scores have been entered");
    lblDirections = makeLabel(this, "lblDirections",
                              isOver ? "Press OK to go to the Results Tab"
                                     : "Press OK to advance to the next round");
    OKButton = makeButton(this, "OKButton", "OK");
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    auto* l = new QVBoxLayout(this);
    l->setSpacing(10);
    for (QLabel* label : {lblAutoTitle, Label2, lblDirections}) {
        label->setAlignment(Qt::AlignCenter);
        l->addWidget(label);
    }
    l->addWidget(OKButton, 0, Qt::AlignCenter);
}

} // namespace rh::ui
