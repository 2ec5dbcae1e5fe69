#pragma once
// The rows of the printed and exported reports (standings, results, treasurer), as plain data. The
// builders read a loaded session through the same computations the window's grids use (the leader
// entries, the winners and debt lists, the jackpot, the payout table and the entry-fee roll call),
// so a report always agrees with the screen; the PDF painters (src/print) and the CSV export
// (csv_export.h) only lay these rows out. Every value here is a copy: a report holds no reference
// into the session.

#include <string>
#include <vector>

namespace rh {

class Session;

/// An amount of money as a number (in currency units, rounded to cents) and as the screens show it.
struct MoneyText {
    double amount = 0;
    std::string text;
};

// ---- Standings -----------------------------------------------------------------------------

struct StandingsLine {
    std::string place;    // dense place number, "0" while every total is 0
    std::string name;     // the entrant's name, without the grid's "* " mark
    bool pending = false; // the current round's score is still outstanding (the grid's "* ")
    std::string id;       // ID text
    std::string score;    // total score as a whole number
    std::string lones;
    MoneyText payout; // $0.00 beyond the paid row positions
    bool inTheMoney = false;
};

struct StandingsReport {
    std::string title;
    std::string entrantHeading; // "Player Name" / "Team Name"
    int currentRound = 0;
    int rounds = 0;
    std::vector<StandingsLine> lines; // best first, as the standings grid lists them
};

// ---- Results -------------------------------------------------------------------------------

struct WinnerLine {
    std::string place;
    std::string name;
    std::string id;
    std::string score;
    std::string lones;
    MoneyText payout;
};

/// One entrant's fines: bumps and woods at their fees, and whether they are paid.
struct FineLine {
    std::string name;
    std::string id;
    long long bumps = 0;
    long long woods = 0;
    MoneyText amount;
    bool paid = false;
};

struct JackpotShare {
    std::string name;
    std::string id;
    std::string lones;
    MoneyText share;
};

struct JackpotSummary {
    std::string title; // the jackpot's name ("Bump Jackpot")
    long long bumps = 0;
    long long woods = 0;
    MoneyText bumpFee;
    MoneyText woodFee;
    MoneyText bumpMoney;               // bumps x bump fee
    MoneyText woodMoney;               // woods x wood fee
    MoneyText amount;                  // the whole jackpot, paid fines or not
    std::vector<JackpotShare> winners; // the most lones; ties share evenly
    MoneyText paidOut; // the sum of the shares as handed out (cents lost to an uneven split stay)
};

struct ResultsReport {
    std::string title;
    std::string entrantHeading;
    std::vector<WinnerLine> winners; // the row positions that receive a payout, best first
    std::string finesHeading;        // "Players who owe bump money" / "Teams who owe bump money"
    std::vector<FineLine> fines;     // every entrant with a bump or a wood, by name
    MoneyText finesCollected;
    MoneyText finesOwed;
    JackpotSummary jackpot;
};

// ---- Treasurer -----------------------------------------------------------------------------

struct EntryFeeLine {
    std::string name;
    std::string id;
    bool paid = false;
};

/// The cash figures of the evening. The box holds what came in less what went out:
///   cash = entry fees collected + fines collected - expenses - prizes paid - jackpot paid.
/// The same figure follows from what is still owed and what was not handed out:
///   cash = (net payout - prizes paid) + (jackpot - jackpot paid) - entry fees owed - fines owed,
/// because the net payout is the entry fee of every entrant less the expenses, and the jackpot is
/// every fine recorded, paid or not. With everything collected and paid out, the box is empty but
/// for cents an uneven split leaves.
struct TreasurerFigures {
    double feesCollected = 0;
    double feesOwed = 0;
    double expenses = 0;
    double netPayout = 0;
    double prizesPaid = 0;
    double finesCollected = 0;
    double finesOwed = 0;
    double jackpot = 0;
    double jackpotPaid = 0;

    /// Entry fees collected + fines collected - expenses - prizes paid - jackpot paid.
    double cash() const;
    /// (Net payout - prizes paid) + (jackpot - jackpot paid) - entry fees owed - fines owed.
    double cashFromBalance() const;
    /// Whether both ways of counting agree to the cent.
    bool balances() const;
};

struct PrizeLine {
    std::string place;
    std::string name;
    std::string id;
    MoneyText amount;
};

struct TreasurerReport {
    std::string title;
    std::string entrantHeading;
    std::string entrantsWord; // "players" / "teams"
    MoneyText entryFee;
    int entrants = 0;
    std::vector<EntryFeeLine> entryFees; // the roll call, by name
    int paidCount = 0;
    /// False when no entrant has a mark while an entry fee is chosen: who paid is not known, so
    /// the entry fees collected and owed and the cash cannot be counted.
    bool rollCallKnown = true;
    std::vector<PrizeLine> prizes; // by place
    std::string finesHeading;
    std::vector<FineLine> fines; // by name
    JackpotSummary jackpot;
    TreasurerFigures figures;
    /// The figures as money texts. feesDue: the entry fee of every entrant; netLeft: net payout
    /// less prizes paid; jackpotLeft: jackpot less jackpot paid; cash and cashFromBalance: the
    /// two counts of the cash (TreasurerFigures).
    MoneyText feesDue, feesCollected, feesOwed, expenses, netPayout, prizesPaid, finesCollected,
        finesOwed, jackpotPaid, netLeft, jackpotLeft, cash, cashFromBalance;
};

/// What the treasurer's report says in place of the balance when the roll call is unknown.
inline constexpr const char* kRollCallUnknown =
    "The entry-fee roll call is unknown: nobody is marked paid or not paid, so the entry fees "
    "collected and the cash in the box cannot be counted.";

/// The formula lines the treasurer's report prints under the cash figure.
std::vector<std::string> cashFormulaLines();

/// The reports of a loaded session whose views are filled (as after the window's after-load
/// refresh). They run the payout calculation as the standings grid does; a view that fails leaves
/// its rows empty, as the grids do.
StandingsReport standingsReport(Session& session);
ResultsReport resultsReport(Session& session);
TreasurerReport treasurerReport(Session& session);

} // namespace rh
