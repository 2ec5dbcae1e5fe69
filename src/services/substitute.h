#pragma once
// Substitutes: an entrant renamed during the tournament. The substitute takes over the entrant's
// ID, and with it the seat in every round and the scores, lones and fines so far; only the name
// changes (the alias stays until the director changes it on the Alias tab).

#include "services/session.h"

#include <string>
#include <string_view>

namespace rh {

/// Renames the entrant with the ID (number or ID text) to `newName` (trimmed) in the name store,
/// the sorted name list and the roster viewer's list, and marks the tournament changed since it
/// was saved. Answers "" when renamed, else why not: no tournament is loaded, no entrant has the
/// ID, the name is empty, holds "~" or a control character, or another entrant has it (letter
/// case and outer blanks ignored). Renaming to the same name changes nothing and answers "".
/// The rename is journalled (a substitute survives a crash like a score).
std::string renameEntrant(Session& session, std::string_view id, const std::string& newName);

/// The store of a rename, as the journal replays it: the name store, the sorted name list and the
/// roster viewer's list. Throws RhError when no entrant has the ID.
void storeEntrantName(TournamentState& state, EntrantId id, const std::string& name);

} // namespace rh
