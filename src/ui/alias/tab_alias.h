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

/// Whether a typed character may stand in an alias: letters A-Z and a-z, digits, and every
/// character code up to 32 (blank and control keys).
bool isAliasCharacter(QChar c);
bool isAliasText(const QString& text);

/// Drops key presses (and input-method text) that would type any other character.
class AliasKeyFilter : public QObject {
    Q_OBJECT
public:
    explicit AliasKeyFilter(QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

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
    QPushButton* cmdSubstitute;
    QLabel* lblAliasNote;
    QTreeView* lvPlayers;
};

} // namespace rh::ui
