#pragma once
// The modal dialogs the prompt shows: frmResolve (partner-score conflict) and frmAutoAdvance
// (round or tournament over). Built as plain QDialogs so tests can fill and answer them without
// running a modal loop.

#include "core/prompt.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace rh::ui {

class ResolveDialog : public QDialog {
    Q_OBJECT
public:
    explicit ResolveDialog(const ConflictRequest& request, QWidget* parent = nullptr);

    /// m_UpdateScore: the player's score when optPlayer is chosen, otherwise the partner's.
    std::string result() const;
    /// Whether one of the two scores has been chosen; OK is enabled only then.
    bool chosen() const;
    /// Does nothing: the dialog ends only with OK after a choice.
    void reject() override;

    QLabel* Label7;
    QLabel* Label6;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label1;
    QLabel* Label5;
    QLabel* Label4;
    QLineEdit* cbPlayerName;
    QLineEdit* cbPartnerName;
    QLineEdit* cbPlayerScore;
    QLineEdit* cbPartnerScore;
    QRadioButton* optPlayer;
    QRadioButton* optPartner;
    QPushButton* cmdOK;

private:
    ConflictRequest m_request;
};

class AutoAdvanceDialog : public QDialog {
    Q_OBJECT
public:
    explicit AutoAdvanceDialog(bool isOver, QWidget* parent = nullptr);

    QLabel* lblAutoTitle;
    QLabel* Label2;
    QLabel* lblDirections;
    QPushButton* OKButton;
};

} // namespace rh::ui
