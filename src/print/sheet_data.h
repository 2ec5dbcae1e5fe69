#pragma once
// The seating of a tournament as the printed sheets need it: who sits at which table in every
// round, partnerships kept together, and who sits out. Plain values copied out of the tournament
// state (sheet_builder.h), so the sheets can be laid out and tested without a loaded tournament.
// The score cards and table cards are views of the same seating, derived here.

#include <optional>
#include <string>
#include <vector>

namespace rh::print {

/// An entrant as printed: ID text ("07") and name.
struct Seat {
    std::string id;
    std::string name;
    friend bool operator==(const Seat&, const Seat&) = default;
};

/// One table in one round: two sides facing each other. A Progressive side is a partnership of
/// two players, a Team side one team.
struct TableSeating {
    int table = 0;
    std::vector<std::vector<Seat>> sides;
};

struct RoundSeating {
    int round = 0;
    std::vector<TableSeating> tables; // in table order
    std::vector<Seat> sittingOut;     // in ID order
};

struct SheetData {
    std::string title;
    bool progressive = true;
    int tableCount = 0;
    std::vector<Seat> entrants;       // in ID order
    std::vector<RoundSeating> rounds; // rounds 1..n
};

/// "Player" or "Team".
std::string entrantWord(const SheetData& data);
/// "Ann Abbott (07)".
std::string seatLabel(const Seat& seat);
/// A side as one text: "Ann Abbott (07) & Gus Gray (01)"; a team's side is the team's label.
std::string sideLabel(const std::vector<Seat>& side);

/// One round on an entrant's score card: the table, partner and opponents, or none (sits out).
struct CardRound {
    int round = 0;
    int table = 0; // 0: sits out
    std::optional<Seat> partner;
    std::vector<Seat> opponents;
};

struct ScoreCard {
    Seat entrant;
    std::vector<CardRound> rounds; // one per round of the tournament
};

/// Every entrant's card, in ID order.
std::vector<ScoreCard> scoreCards(const SheetData& data);
/// The card's table numbers round by round: "3, 1, -, 4" ("-" where the entrant sits out).
std::string tablesByRound(const ScoreCard& card);

/// One round at a table: its two sides, or none when the table is empty that round.
struct TableRound {
    int round = 0;
    std::vector<std::vector<Seat>> sides;
};

struct TableCard {
    int table = 0;
    std::vector<TableRound> rounds; // one per round of the tournament
};

/// One card per table (1..the highest table number used), in table order.
std::vector<TableCard> tableCards(const SheetData& data);

} // namespace rh::print
