#pragma once
// The alias rules of the Alias tab, without any toolkit: whether an entrant has an alias, whether
// a typed alias is already taken by another entrant, storing a typed alias, and which entrant the
// editor offers next. The window's alias editor calls these and only shows what they decide.
//
// Aliases are compared without regard to letter case (A-Z) and to surrounding blanks: two aliases
// that read the same in a row hint are the same alias. Names are never compared with aliases, so
// an alias may equal another entrant's name.

#include "roster/entrants.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rh {

/// Whether the entrant has an alias: a stored one that is not blank. An empty alias (a cleared
/// one, or an empty alias element of a saved file) counts as none.
bool hasAlias(const Entrants& entrants, EntrantId id);

/// Whether an entrant of `ids` other than `except` already has the alias. A blank alias is
/// never a duplicate.
bool isDuplicateAlias(const Entrants& entrants, const std::vector<EntrantId>& ids,
                      std::string_view alias, std::optional<EntrantId> except);

/// What updateAlias did.
enum class AliasUpdate {
    Unchanged, // the typed text is the entrant's alias already (letter case and blanks aside)
    Duplicate, // another entrant has this alias: nothing stored
    NoEntrant, // no entrant chosen: nothing stored
    Stored     // the typed text is the entrant's alias now
};

/// Stores the typed alias for the entrant (nothing or ID 0: no entrant chosen): as typed,
/// untrimmed, possibly empty, replacing any earlier one. `ids` are the entrants the duplicate
/// check looks at.
AliasUpdate updateAlias(Entrants& entrants, const std::vector<EntrantId>& ids,
                        std::optional<EntrantId> id, const std::string& typed);

/// The position in `ids` (the entrant list's order) of the first entrant without an alias; 0 when
/// every entrant has one; -1 for an empty list.
int nextWithoutAlias(const Entrants& entrants, const std::vector<EntrantId>& ids);

} // namespace rh
