#include "roster/aliases.h"

#include "core/text.h"

namespace rh {

namespace {

/// The form two aliases are compared in.
std::string comparable(std::string_view alias) {
    return toUpper(trim(alias));
}

} // namespace

bool hasAlias(const Entrants& entrants, EntrantId id) {
    const EntrantRecord* r = entrants.find(id);
    return r && r->alias && !trim(*r->alias).empty();
}

bool isDuplicateAlias(const Entrants& entrants, const std::vector<EntrantId>& ids,
                      std::string_view alias, std::optional<EntrantId> except) {
    const std::string wanted = comparable(alias);
    if (wanted.empty())
        return false;
    // From the last entrant to the first, as the grid is searched.
    for (auto it = ids.rbegin(); it != ids.rend(); ++it) {
        if (except && *it == *except)
            continue;
        const EntrantRecord* other = entrants.find(*it);
        if (other && other->alias && comparable(*other->alias) == wanted)
            return true;
    }
    return false;
}

AliasUpdate updateAlias(Entrants& entrants, const std::vector<EntrantId>& ids,
                        std::optional<EntrantId> id, const std::string& typed) {
    const std::string stored = id ? entrants.aliasOf(*id) : std::string();
    if (comparable(typed) == comparable(stored))
        return AliasUpdate::Unchanged;
    if (isDuplicateAlias(entrants, ids, typed, id))
        return AliasUpdate::Duplicate;
    if (!id || num(*id) == 0)
        return AliasUpdate::NoEntrant;
    // Stored as typed, even when empty.
    entrants.record(*id).alias = typed;
    return AliasUpdate::Stored;
}

int nextWithoutAlias(const Entrants& entrants, const std::vector<EntrantId>& ids) {
    if (ids.empty())
        return -1;
    for (std::size_t i = 0; i < ids.size(); ++i)
        if (!hasAlias(entrants, ids[i]))
            return static_cast<int>(i);
    return 0;
}

} // namespace rh
