#pragma once
// frmNewTournament: the "New Tournament" dialog. The director gives the title (the code is
// suggested from it and today's date until the director types a code of their own), the jackpot
// title, the kind, the rounds and the fees, and types, pastes or imports the entrants. A line
// under the entrant box keeps the count and what the list holds that needs attention (blank
// lines, repeated names); below it a preview of the seating's figures follows every change.
//
// OK validates (every problem in one message), asks where to save (the prompt's save question),
// and writes the new tournament file; the dialog then closes accepted and savedPath() names the
// file, which the caller opens through the normal load. Every message and file question goes
// through the IPrompt handed in.
//
// Ownership: a plain modal dialog; it keeps references to the prompt and the currency format,
// which must outlive it.

#include "services/new_tournament.h"

#include <QDialog>

#include <chrono>
#include <string>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTimer;

namespace rh {
class IPrompt;
struct CurrencyFormat;
} // namespace rh

namespace rh::ui {

class NewTournamentDialog : public QDialog {
    Q_OBJECT
public:
    NewTournamentDialog(IPrompt& prompt, const CurrencyFormat& currency,
                        std::chrono::year_month_day today, QWidget* parent = nullptr);

    /// The request the controls describe (the entrants as the box's lines read them).
    NewTournamentRequest request() const;
    /// "Import...": the open question, then the file's entrants in the box (added after any
    /// already typed); what the import noticed is shown in one message.
    void importEntrants();
    /// The count-and-findings line and, at once, the seating preview.
    void refreshNow();
    /// OK: validate, ask where to save, write. True when the file was written (the dialog is
    /// then accepted).
    bool tryAccept();
    /// The file written, "" until then.
    const std::string& savedPath() const { return m_savedPath; }

    QLineEdit* txtTitle;
    QLineEdit* txtCode;
    QLineEdit* txtJackpotTitle;
    QRadioButton* optProgressive;
    QRadioButton* optTeam;
    QSpinBox* spinRounds;
    QComboBox* cbEntryFee;
    QComboBox* cbBumpFee;
    QComboBox* cbWoodFee;
    QLabel* lblEntrants;
    QPlainTextEdit* txtEntrants;
    QPushButton* cmdImport;
    QLabel* lblEntrantCount;
    QLabel* lblSeatingQuality;
    QDialogButtonBox* buttons;

private:
    void onTitleEdited();
    void onKindChanged();
    void refreshCount();
    void refreshQuality();
    void scheduleRefresh();

    IPrompt& m_prompt;
    const CurrencyFormat& m_currency;
    std::chrono::year_month_day m_today;
    bool m_codeTyped = false;
    QTimer* m_qualityTimer;
    std::string m_savedPath;
};

/// Today's date on this computer's clock, for the suggested code.
std::chrono::year_month_day localToday();

} // namespace rh::ui
