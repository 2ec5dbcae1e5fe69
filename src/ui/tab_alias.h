#pragma once
// Tab 6, "Alias": the alias editor (entrant list, alias box, Update) with its explanatory note,
// and the grid of entrants and their aliases.

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace rh::ui {

/// The note beside the alias editor.
extern const char* const kAliasNote;

class AliasTab : public QWidget {
    Q_OBJECT
public:
    explicit AliasTab(QWidget* parent = nullptr);

    QGroupBox* frmAlias;
    QLabel* lblAliasNames;
    QComboBox* cmbPlayerName;
    QLabel* lblPlayerAlias;
    QLineEdit* txtAliasCtrl;
    QPushButton* cmdUpdateAliasPlayer;
    QLabel* lblAliasNote;
    QTreeView* lvPlayers;
};

} // namespace rh::ui
