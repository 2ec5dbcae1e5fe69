#pragma once
// Every zero-padded key of the program is built here: roster relation keys, team keys, seat keys
// and the round-and-entrant key of the score store. Keys stay unique while rounds stay below 100.

#include "core/keyed_collection.h"
#include "core/text.h"

#include <string>
#include <string_view>

namespace rh {

/// Relation codes of the Progressive roster.
inline constexpr const char* kPartner = "01";
inline constexpr const char* kOpponent1 = "02";
inline constexpr const char* kOpponent2 = "03";

/// ID text of a + ID text of b + ID text of c (round, player, relation): 3, 12, 3 -> "031203".
std::string RosterKey(std::string_view a, std::string_view b, std::string_view c);
/// ID text of a + ID text of b (round, team): 10, 7 -> "1007".
std::string TeamKey(std::string_view a, std::string_view b);
/// Each text trimmed and padded with zeros to at least two characters, then joined: " 5", "12 "
/// -> "0512"; 100, 1 -> "10001".
std::string makekey(std::string_view a, std::string_view b);
/// makekey of two numbers: 3, 7 -> "0307".
std::string makekey2(long long a, long long b);

/// Progressive seat key: round, table, side (1 or 2), position (1 or 2) -> eight characters.
std::string SeatKey(long long round, long long table, int side, int position);
/// Team seat key: round, table, team position (1 or 2) -> six characters.
std::string TeamSeatKey(long long round, long long table, int position);

/// The name under the entrant's ID text; throws RhError 5 when the ID has no name.
const std::string& GetPlayerName(const KeyedCollection& playerNames, std::string_view id);
const std::string& GetPlayerName(const KeyedCollection& playerNames, long long id);

} // namespace rh
