#pragma once
// frmPayout, the "Payout Worksheet": the modal dialog in which the director splits the net payout
// over 3 to 8 paid places. The arithmetic lives in rh::PayoutWorksheet; this dialog draws it and
// forwards the director's keys and clicks. Every message it shows goes through the prompt it is
// given, so tests drive it without a modal loop: build it, show it, type and click, then read
// result() (or see it accepted or rejected).
//
// Ownership: the caller owns the dialog (usually on the stack around exec()); the prompt must
// outlive it.

#include "core/prompt.h"
#include "money/payout_editor.h"

#include <QDialog>

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace rh::ui {

class PayoutEditor : public QDialog {
    Q_OBJECT
public:
    /// Loads the worksheet from the request (count, amounts, net payout text, entrants, money
    /// format). A count that the list does not offer is reported titled "SetPayoutIndex".
    PayoutEditor(const PayoutEditorRequest& request, IPrompt& prompt, QWidget* parent = nullptr);

    /// After OK: the accepted count and amounts. Otherwise: the request as it was handed in.
    PayoutEditorRequest result() const;
    bool wasAccepted() const { return m_accepted; }
    const PayoutWorksheet& worksheet() const { return m_sheet; }

    QGroupBox* frmPayouts;
    QComboBox* cbPayouts;
    QPushButton* cmdRefreshPayouts;
    std::array<QLabel*, kPayoutPlaces> lblPlace;
    std::array<QLineEdit*, kPayoutPlaces> txtPayout;
    std::array<QLabel*, kPayoutPlaces> lblPercent;
    QGroupBox* frmTotalPayout;
    QLabel* lblTotalPayout;
    QGroupBox* frmRemainingPayout;
    QLabel* lblRemainingPayout;
    QPushButton* cmdClear;
    QPushButton* OKButton;
    QPushButton* CancelButton;

public slots:
    /// OKButton: compares the amounts with the net payout; accepts when they match, or when the
    /// director chooses not to allocate the rest.
    void tryAccept();
    /// CancelButton, Escape or the close box: PlaceCount back to the count at opening.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void chooseCount(const QString& text);
    void clearBoxes();
    void renderBoxes();
    void renderBox(int place);
    void renderTotals();
    int boxIndex(const QObject* object) const;

    IPrompt& m_prompt;
    PayoutEditorRequest m_request;
    PayoutWorksheet m_sheet;
    bool m_accepted = false;
};

} // namespace rh::ui
