#pragma once
// The alias rules of the Alias tab, without any toolkit: whether an entrant has an alias, whether
// a typed alias is already taken by another entrant, storing a typed alias, and which entrant the
// editor offers next. The window's alias editor calls these and only shows what they decide.
//
// Aliases are compared without regard to letter case (A-Z) and to surrounding blanks: two aliases
// that read the same in a row hint are the same alias. Names are never compared with aliases, so
// an alias may equal another entrant's name.

#include "core/keyed_collection.h"

#include <string>
#include <string_view>
#include <vector>

namespace rh {

/// Whether the entrant has an alias: a stored entry that is not blank. An entry holding the empty
/// string (a cleared alias, or an empty alias element of a saved file) counts as none.
bool HasAlias(const KeyedCollection& aliases, std::string_view id);

/// Whether an entrant of `ids` other than `exceptId` already has the alias. A blank alias is
/// never a duplicate.
bool IsDuplicateAlias(const KeyedCollection& aliases, const std::vector<std::string>& ids,
                      std::string_view alias, std::string_view exceptId);

/// What UpdateAlias did.
enum class AliasUpdate {
    Unchanged, // the typed text is the entrant's alias already (letter case and blanks aside)
    Duplicate, // another entrant has this alias: nothing stored
    NoEntrant, // no entrant chosen ("00" or ""): nothing stored
    Stored     // the typed text is the entrant's alias now
};

/// Stores the typed alias for the entrant `id` (ID text): as typed, untrimmed, possibly empty,
/// replacing any earlier entry. `ids` are the entrants the duplicate check looks at.
AliasUpdate UpdateAlias(KeyedCollection& aliases, const std::vector<std::string>& ids,
                        std::string_view id, const std::string& typed);

/// The position in `ids` (the entrant list's order) of the first entrant without an alias; 0 when
/// every entrant has one; -1 for an empty list.
int SelectNextWithoutAlias(const KeyedCollection& aliases, const std::vector<std::string>& ids);

} // namespace rh
