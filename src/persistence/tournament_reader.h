#pragma once
// The section readers of the tournament file. Each looks its section up by name anywhere in the
// document (the first element of that name), reads what it finds into the tournament state, and
// on an error stops that section, keeps what it had stored and reports in its own way:
// TournamentInfo silently (field by field), FeesPayout and PlayerKeys with a plain message under
// the application's title, RosterRounds, Scores, Bumps and Lones with the common error message.
// The reports are findings, values the load turns into messages; nothing here shows anything.
// A broken file never leaves the state undefined: every store holds whole entries only.

#include "core/errors.h"
#include "persistence/xml_document.h"
#include "state/tournament_state.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rh {

/// One thing reading a file found to report: a note (a line of text) or the error that ended a
/// section (reported as the common error message).
struct ReadFinding {
    std::string title; // the section's report title; empty: the application's own title
    std::string text;  // a note: its text; an error: the common error text
    bool error = false;
    bool operator==(const ReadFinding&) const = default;
};
/// What reading a file found to report, in the order found.
using ReadFindings = std::vector<ReadFinding>;

/// Reads the file's bytes (ReadDataFile): unmasked and decoded to UTF-8 XML text.
/// Throws RhError 53 when the path names no file, 70 or 75 when it cannot be read.
std::string ReadDataFile(const std::string& path);

/// The seating and the scores read straight from the file's text, for the sections that stand in
/// the plain shape the writer gives them: elements without attributes, white space between them,
/// numbers of one to four digits. A section in any other shape is not read here (its `read` stays
/// false) and the readers take it from the tree; so does a section whose tag the tree does not
/// confirm (XmlDocument::sectionAtTag).
struct PlainSections {
    struct Table {
        long round = 0; // counted from 1, as the tree reader counts rounds
        std::array<std::int16_t, 4> seats{};
    };
    bool rosterRead = false;
    bool progressive = false; // the seating's shape: four players a table, or two teams
    std::vector<Table> tables;
    bool scoresRead = false;
    std::vector<std::array<std::int16_t, 3>> scores; // round, ID, score
};

/// Reads the seating or the scores from the text (see PlainSections) as the document finds their
/// tags before its parse: an XmlDocument::TagFound. Answers the end of a section it read whole,
/// else `at`.
std::size_t readPlainSection(PlainSections& plain, std::string_view text, std::size_t section,
                             std::size_t at);

/// A file's parsed document, with the seating and the scores its text gave before the parse.
struct ParsedFile {
    XmlDocument doc;
    PlainSections plain;
};

void ProcessTournamentInfo(const XmlDocument& doc, TournamentSettings& tourney);
void ProcessFeesPayout(const XmlDocument& doc, PayoutSettings& payout, ReadFindings& findings);
void ProcessPlayers(const XmlDocument& doc, TournamentState& state, ReadFindings& findings);
void ProcessRoster(const XmlDocument& doc, TournamentState& state, ReadFindings& findings,
                   const PlainSections* plain = nullptr);
void ProcessScores(const XmlDocument& doc, TournamentState& state, ReadFindings& findings,
                   const PlainSections* plain = nullptr);
void ProcessBumps(const XmlDocument& doc, TournamentState& state, ReadFindings& findings);
void ProcessLones(const XmlDocument& doc, TournamentState& state, ReadFindings& findings);
/// The entry-fee roll call ("EntryFees", written only once an entrant has a mark): each listed
/// entrant's mark, paid or not. A file without it leaves every entrant without a mark.
void ProcessEntryFees(const XmlDocument& doc, TournamentState& state, ReadFindings& findings);

/// What the sections read but cannot be right, checked once they are all in: a TotalPlayers the
/// named and seated entrants do not back (their count is used), entrant IDs outside 1..TotalPlayers
/// and rounds outside 1..TotalRounds (left out), a negative fee (0 is used), partners whose
/// scores differ (kept, each counting for its own player) and totals beyond 16 bits (that
/// entrant's scores are left out). Each is a finding. `countStated`: whether the file gave a
/// TotalPlayers that could be read (the findings say which count they found wanting).
void checkWhatWasRead(TournamentState& state, ReadFindings& findings, bool countStated = true);

/// All sections in their order: TournamentInfo, FeesPayout, PlayerKeys, RosterRounds, Scores,
/// Bumps, Lones, EntryFees, then checkWhatWasRead. The seating and scores come from `plain` where
/// it read them and the document confirms their tags, else from the tree. Answers the sections'
/// reports in order, for the load to show.
ReadFindings readTournament(const XmlDocument& doc, TournamentState& state,
                            const PlainSections* plain = nullptr);

/// Texts and titles of the section reports.
inline constexpr const char* kFeesPayoutError = "Error processing FeesPayout";
inline constexpr const char* kPlayersError = "Error processing players: ";
inline constexpr const char* kRosterTitle = "Process Roster";
inline constexpr const char* kScoresTitle = "Process Scores";
inline constexpr const char* kBumpsTitle = "Process Bumps";
inline constexpr const char* kLonesTitle = "Process Lones";
inline constexpr const char* kEntryFeesTitle = "Process Entry Fees";
inline constexpr const char* kInfoTitle = "Process Tournament Info";

} // namespace rh
