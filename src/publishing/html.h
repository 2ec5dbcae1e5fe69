#pragma once
// The HTML standings page for a second screen: the standings grid's rows, drawn from the very
// same leader entries in the same order, as one self-refreshing page in the temporary folder.
// The page is ASCII: every text that comes from the tournament is escaped (& < > " ' and every
// character beyond ASCII as a character reference), so it reads the same in any browser encoding;
// a name that could turn the writing direction is isolated (htmlName).

#include "standings/leaders.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace rh {

struct CurrencyFormat;
class TournamentState;

/// The maker's web site, linked from the page's banner row.
inline constexpr const char* kMakerSite = "https://www.rankhall.example/";

/// Text for an HTML page: & < > " ' escaped, characters beyond ASCII as "&#N;".
std::string htmlEscape(std::string_view text);

/// Whether the text holds a right-to-left letter or a directional control character (marks,
/// embeddings, overrides, isolates).
bool hasBidiCharacters(std::string_view text);
/// A name for an HTML page, escaped. A name holding right-to-left letters or directional controls
/// is isolated in <bdi>, so it cannot reorder the text around it (an override left open would
/// turn the rest of its line round); any other name is only escaped, so pages of ordinary names
/// keep their bytes.
std::string htmlName(std::string_view text);

/// The whole page with the given leader entries as its rows, lines ended by CR LF. The browser is
/// asked to reload every second while the HTML tick runs (`tickOn`), else every 15 seconds.
std::string standingsPage(const TournamentState& state, const CurrencyFormat& currency, bool tickOn,
                          const std::vector<LeaderEntry>& entries);
/// The same with the entry of row i given by `entryAt(i)`, for i below `count` (the entries
/// inside grid rows just built, without copying them out).
std::string standingsPage(const TournamentState& state, const CurrencyFormat& currency, bool tickOn,
                          std::size_t count,
                          const std::function<const LeaderEntry&(std::size_t)>& entryAt);

} // namespace rh
