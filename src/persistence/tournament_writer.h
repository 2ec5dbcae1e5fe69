#pragma once
// The writer of the tournament file: the whole document in a fixed layout (declaration, two
// comments, the root "Tournament" with its seven sections, CR LF line ends, tab indentation; an
// eighth, the entry-fee roll call, only once an entrant has a mark),
// encoded to Windows-1252 as it is serialised, then masked and written atomically.
//
// The writer walks the stores rather than a range of IDs, so every entry the program holds is
// written back, in ascending round and ID order; for a consistent tournament that is exactly the
// rounds 1..CurrentRound and IDs 1..TotalPlort.

#include "state/tournament_state.h"

#include <string>
#include <string_view>

namespace rh {

inline constexpr const char* kWebSiteHost = "www.rankhall.example";

/// The plain document as Windows-1252 bytes. Throws RhError 9 when the custom payout count
/// exceeds the table of eight amounts.
std::string buildTournamentXml(const TournamentState& state);
/// The settings and payout sections alone, as buildTournamentXml writes them.
std::string settingsXml(const TournamentState& state);

/// Appends the text to `out` escaped for XML element content and encoded to Windows-1252.
/// Characters the code page lacks, CR and other control characters become character references;
/// a text of blanks only is written as references too, so the parser keeps it. With `asciiOnly`
/// every character beyond ASCII is a reference.
void appendEscaped(std::string& out, std::string_view utf8, bool asciiOnly = false);

} // namespace rh
