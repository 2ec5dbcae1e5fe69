#pragma once
// PayoutTable: how much prize money there is and who gets it. It computes the net payout (entry
// fees collected less expenses), keeps the payout table (the standard 50 / 30 / 20 split or the
// director's custom amounts) and turns the table into a payout text for every row position of the
// standings, tied positions sharing the money of the positions they cover.
//
// The session owns the one instance (Session::payout) for the life of the program; closing the
// tournament clears it. What the window shows of it (the net payout label and its colour, the
// enabled state of the money controls, the rows of lvPayout and lvResultPayout) is kept here as
// data, and the window draws it. Operations that read the tournament take the session; none keeps a
// reference to it, so a reset of the tournament data is always seen.

#include "core/currency.h"
#include "money/payout.h"
#include "standings/grid_data.h"

#include <cstdint>
#include <string>
#include <vector>

namespace rh {

class Session;

class PayoutTable {
public:
    PayoutTable() { InitPayoutControls(false); }

    /// Back to the state of a new object: payouts disabled, empty table, nothing shown.
    void Clear();

    /// Enabled state of the money inputs (entry, bump and wood fee lists, the expenses box, the
    /// payout options, the custom payout button and the jackpot title box).
    void InitPayoutControls(bool enabled) { m_controlsEnabled = enabled; }
    bool controlsEnabled() const { return m_controlsEnabled; }

    /// Whether the expenses box holds a number; when it does not, the net payout ignores the
    /// expenses. The window sets it whenever the box changes.
    void setExpenseTextNumeric(bool numeric) { m_expenseTextNumeric = numeric; }
    bool expenseTextNumeric() const { return m_expenseTextNumeric; }

    /// Recomputes the net payout and its text and colour, then the option states and (when
    /// a payout rebuild is requested) the payout table. Does nothing unless a tournament is loaded.
    void UpdateNetPayout(Session& session);
    void UpdateNetPayout(Session& session, bool expenseTextNumeric);

    /// The net payout as shown (lblNetPayout): "$240.00", "($10.00)"; "" before the first
    /// computation.
    const std::string& netPayoutText() const { return m_netPayoutText; }
    /// Red when the net payout is 0 or less, green otherwise.
    Rgb netPayoutColor() const { return m_netPayoutColor; }
    /// The value of the net payout text (rounded to the displayed decimals); 0 when it has none.
    double netPayoutValue(const CurrencyFormat& format) const;

    /// Enables the payout options and the custom payout button only when the shown net payout is
    /// positive. Returns the new state.
    bool UpdatePayoutOptions(const CurrencyFormat& format);
    bool payoutOptionsEnabled() const { return m_optionsEnabled; }

    /// Stores the payout option and rebuilds the payout table (when a rebuild is requested).
    void OptPayoutClick(Session& session, std::int16_t option);
    /// A click on option button i as the window handles it: marks the table and the standings
    /// stale, then OptPayoutClick.
    void SelectPayoutOption(Session& session, std::int16_t option);

    /// Rebuilds the payout table for the option, only while a rebuild is requested (and takes the
    /// request): option 0 the three standard rows First/Second/Third (always, even for a net payout
    /// of 0), option 1 one row per custom amount above 0 with its own place word, anything else
    /// none.
    void RefreshPayouts(Session& session, std::int16_t option);
    /// Appends one row to the table and adds the amount to TotalPayout.
    void AddPayoutRow(double amount, const std::string& placeWord, const CurrencyFormat& format);
    const std::vector<PayoutRow>& rows() const { return m_rows; }

    /// True when the table does not add up to the positive net payout shown (both compared as
    /// plain decimal numbers of 15 significant digits).
    bool ChkPayout(const CurrencyFormat& format) const;

    /// Rebuilds the leader list, then (when payouts are enabled) assigns the payout texts to row
    /// positions and returns the number of paid positions. With payouts disabled the stored
    /// payout texts are handed out and 0 is returned. `texts` is rebuilt: element i belongs to
    /// row position i + 1. Errors of the leader list (RhError) propagate.
    int GetPayouts(Session& session, std::vector<std::string>& texts);

    /// The tie-aware assignment over the current leader list; returns the number of row positions
    /// that received a payout text. An error is reported (two message boxes) and gives 0.
    int CalcPayouts(Session& session, std::vector<std::string>& texts);

    double TotalPayout() const { return m_TotalPayout; }
    void setTotalPayout(double total) { m_TotalPayout = total; }
    bool PayoutsEnabled() const { return m_PayoutsEnabled; }
    void setPayoutsEnabled(bool enabled) { m_PayoutsEnabled = enabled; }

    /// The payout texts CalcPayouts stored, by row position - 1; kept from call to call.
    const std::vector<std::string>& storedPayoutTexts() const { return m_stored; }
    /// The trace line of the last CalcPayouts step (what the error message shows first).
    const std::string& lastTrace() const { return m_trace; }

private:
    double m_TotalPayout = 0;
    bool m_PayoutsEnabled = false;
    bool m_controlsEnabled = false;
    bool m_optionsEnabled = false;
    bool m_expenseTextNumeric = true;
    std::string m_netPayoutText;
    Rgb m_netPayoutColor = kBlack;
    std::vector<PayoutRow> m_rows;
    std::vector<std::string> m_stored;
    std::string m_trace;
};

} // namespace rh
