#include "ui/alias/tab_alias.h"

#include "ui/grids/grid.h"
#include "ui/shell/widgets.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace rh::ui {

const char* const kAliasNote =
    "Optional: aliases are worth setting up when your tournament has a theme. Once set up, a "
    "player's alias appears when the mouse pointer rests on the player's name in the grids of "
    "the \"Details\", \"Leaders\" and \"Results\" tabs.";

bool isAliasCharacter(QChar c) {
    const char16_t u = c.unicode();
    return u <= 32 || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') ||
           (u >= u'0' && u <= u'9');
}

bool isAliasText(const QString& text) {
    for (QChar c : text)
        if (!isAliasCharacter(c))
            return false;
    return true;
}

AliasKeyFilter::AliasKeyFilter(QObject* parent) : QObject(parent) {}

bool AliasKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Shortcuts (copy, paste, select all ...) carry control characters and pass.
        if (!isAliasText(key->text()))
            return true;
    } else if (event->type() == QEvent::InputMethod) {
        const auto* input = static_cast<QInputMethodEvent*>(event);
        if (!isAliasText(input->commitString()))
            return true;
    }
    return QObject::eventFilter(watched, event);
}

AliasTab::AliasTab(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tabAlias"));

    frmAlias = makeFrame(this, "frmAlias", "Player Alias Setup");
    lblAliasNames = makeLabel(frmAlias, "lblAliasNames", "Player Name");
    cmbPlayerName = makeCombo(frmAlias, "cmbPlayerName");
    lblPlayerAlias = makeLabel(frmAlias, "lblPlayerAlias", "Player Alias");
    txtAliasCtrl = makeTextBox(frmAlias, "txtAliasCtrl", "", "Enter Alias name for this player");
    // Letters, digits, blanks and control keys only; punctuation typed into the box does not
    // appear. A filter on the keys rather than a validator, so that an alias loaded with other
    // characters can still be edited.
    txtAliasCtrl->installEventFilter(new AliasKeyFilter(txtAliasCtrl));
    cmdUpdateAliasPlayer = makeButton(frmAlias, "cmdUpdateAliasPlayer", "&Update", "Update Alias");
    cmdSubstitute = makeButton(frmAlias, "cmdSubstitute", "Su&bstitute...",
                               "A substitute takes over this entrant's seat and scores");
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
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(cmdSubstitute);
        buttons->addStretch(1);
        buttons->addWidget(cmdUpdateAliasPlayer);
        l->addLayout(buttons);
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
