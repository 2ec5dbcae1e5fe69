#include "ui/tab_alias.h"

#include "ui/grid.h"
#include "ui/widgets.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTreeView>
#include <QVBoxLayout>

namespace rh::ui {

const char* const kAliasNote =
    "Optional: aliases are worth setting up when your tournament has a theme. Once set up, a "
    "player's alias appears when the mouse pointer rests on the player's name in the grids of "
    "the \"Details\", \"Leaders\" and \"Results\" tabs.";

AliasTab::AliasTab(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tabAlias"));

    frmAlias = makeFrame(this, "frmAlias", "Player Alias Setup");
    lblAliasNames = makeLabel(frmAlias, "lblAliasNames", "Player Names");
    cmbPlayerName = makeCombo(frmAlias, "cmbPlayerName");
    lblPlayerAlias = makeLabel(frmAlias, "lblPlayerAlias", "Player Alias");
    txtAliasCtrl = makeTextBox(frmAlias, "txtAliasCtrl", "", "Enter Alias name for this player");
    // Letters, digits and blanks only; punctuation typed into the box does not appear.
    txtAliasCtrl->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[A-Za-z0-9 ]*")), txtAliasCtrl));
    cmdUpdateAliasPlayer = makeButton(frmAlias, "cmdUpdateAliasPlayer", "&Update", "Update Alias");
    lblAliasNote = makeLabel(frmAlias, "lblAliasNote", kAliasNote);
    lblAliasNote->setWordWrap(true);
    lblAliasNames->setBuddy(cmbPlayerName);
    lblPlayerAlias->setBuddy(txtAliasCtrl);
    {
        auto* l = new QVBoxLayout(frmAlias);
        l->setSpacing(6);
        l->addWidget(lblAliasNames);
        l->addWidget(cmbPlayerName);
        l->addSpacing(6);
        l->addWidget(lblPlayerAlias);
        l->addWidget(txtAliasCtrl);
        l->addWidget(cmdUpdateAliasPlayer, 0, Qt::AlignRight);
        l->addSpacing(18);
        l->addWidget(lblAliasNote);
        l->addStretch(1);
    }
    frmAlias->setFixedWidth(360);

    lvPlayers = makeGrid(this, "lvPlayers", playerAliasColumns(true));

    auto* top = new QHBoxLayout(this);
    top->setContentsMargins(10, 10, 10, 10);
    top->setSpacing(12);
    top->addWidget(frmAlias);
    top->addWidget(lvPlayers, 1);
}

} // namespace rh::ui
