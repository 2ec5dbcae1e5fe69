#include "services/payout_table.h"

#include "core/errors.h"
#include "core/prompt.h"
#include "core/text.h"
#include "services/changes.h"
#include "services/session.h"
#include "standings/leaders.h"

#include <algorithm>
#include <new>

namespace rh {

void PayoutTable::Clear() {
    *this = PayoutTable();
}

void PayoutTable::UpdateNetPayout(Session& session, bool expenseTextNumeric) {
    m_expenseTextNumeric = expenseTextNumeric;
    UpdateNetPayout(session);
}

void PayoutTable::UpdateNetPayout(Session& session) {
    if (!session.isLoaded())
        return;
    const TournamentSettings& t = session.tourney();
    // Each step stands on its own: a failing one is skipped and the next still runs.
    try {
        double net = netPayout(t.EntryFee(), t.TotalPlort(), t.Expenses(), m_expenseTextNumeric);
        m_netPayoutText = formatMoney(net, session.currency(), kMoney);
        m_netPayoutColor = net <= 0 ? kRed : kMoneyGreen;
    } catch (const std::exception&) {
    }
    try {
        UpdatePayoutOptions(session.currency());
    } catch (const std::exception&) {
    }
    try {
        RefreshPayouts(session, session.state().payout.PayoutOption);
    } catch (const std::exception&) {
    }
}

double PayoutTable::netPayoutValue(const CurrencyFormat& format) const {
    double v = 0;
    return readAmountText(m_netPayoutText, format, v) ? v : 0.0;
}

bool PayoutTable::UpdatePayoutOptions(const CurrencyFormat& format) {
    m_optionsEnabled = !trim(m_netPayoutText).empty() && netPayoutValue(format) > 0;
    return m_optionsEnabled;
}

void PayoutTable::OptPayoutClick(Session& session, std::int16_t option) {
    const bool recorded =
        recordChange(session, Change::count(ChangeKind::PayoutOption, "", std::to_string(option)));
    session.state().payout.PayoutOption = option;
    RefreshPayouts(session, option);
    if (!recorded)
        offerSaveWithoutJournal(session); // the save holds the option just chosen
}

void PayoutTable::SelectPayoutOption(Session& session, std::int16_t option) {
    session.refresh().requestMoneyRefresh();
    OptPayoutClick(session, option);
}

void PayoutTable::RefreshPayouts(Session& session, std::int16_t option) {
    if (!session.refresh().takePayoutRebuild())
        return;
    m_rows.clear();
    m_TotalPayout = 0;
    const CurrencyFormat& fmt = session.currency();
    double net = std::max(netPayoutValue(fmt), 0.0);
    const TournamentState& state = session.state();
    if (option == 0) {
        AddPayoutRow(net * 0.5, state.places.Place(1), fmt);
        AddPayoutRow(net * 0.3, state.places.Place(2), fmt);
        AddPayoutRow(net * 0.2, state.places.Place(3), fmt);
    } else if (option == 1) {
        const PayoutSettings& p = state.payout;
        int places = std::min<int>(p.CustomPayoutCount, static_cast<int>(p.CustomPayouts.size()));
        for (int i = 0; i < places; ++i) {
            double amount = p.CustomPayouts[static_cast<std::size_t>(i)];
            if (amount > 0)
                AddPayoutRow(amount, state.places.Place(i + 1), fmt);
        }
    }
}

void PayoutTable::AddPayoutRow(double amount, const std::string& placeWord,
                               const CurrencyFormat& format) {
    m_rows.push_back({placeWord, amount, formatMoney(amount, format, kMoney)});
    m_TotalPayout += amount;
}

bool PayoutTable::ChkPayout(const CurrencyFormat& format) const {
    double net = netPayoutValue(format);
    if (net > 0)
        return formatGeneral(net) != formatGeneral(m_TotalPayout);
    return false;
}

int PayoutTable::GetPayouts(Session& session, std::vector<std::string>& texts) {
    texts.clear();
    buildRanking(session.state());
    if (m_PayoutsEnabled)
        return CalcPayouts(session, texts);
    texts = m_stored;
    return 0;
}

int PayoutTable::CalcPayouts(Session& session, std::vector<std::string>& texts) {
    m_trace.clear();
    try {
        UpdateNetPayout(session);
        // The amounts are those of the table as displayed, so rounded to the shown decimals.
        std::vector<double> amounts;
        amounts.reserve(m_rows.size());
        for (const PayoutRow& row : m_rows) {
            double v = 0;
            amounts.push_back(readAmountText(row.amountText, session.currency(), v) && v > 0 ? v
                                                                                             : 0.0);
        }
        int paid =
            assignPayouts(session.state().ranking, amounts, session.currency(), texts, &m_trace);
        if (m_stored.size() < static_cast<std::size_t>(paid))
            m_stored.resize(static_cast<std::size_t>(paid));
        std::copy_n(texts.begin(), paid, m_stored.begin());
        return paid;
    } catch (const std::exception& e) {
        const RhError* rh = dynamic_cast<const RhError*>(&e);
        int number =
            rh ? rh->number()
               : (dynamic_cast<const std::bad_alloc*>(&e) ? err::OutOfMemory : err::InvalidCall);
        std::string description = rh ? rh->description() : errorDescription(number);
        showMessage(session.prompt(), "", m_trace);
        showMessage(session.prompt(), "",
                    "Error Calculating Payouts: Err=" + std::to_string(number) + "\r\n" +
                        description);
        return 0;
    }
}

} // namespace rh
