#include "roster/aliases.h"

#include "core/text.h"

namespace rh {

namespace {

/// The form two aliases are compared in.
std::string comparable(std::string_view alias) {
    return toUpper(trim(alias));
}

bool isNoEntrant(std::string_view id) {
    const std::string t = trim(id);
    return t.empty() || t == "00";
}

} // namespace

bool HasAlias(const KeyedCollection& aliases, std::string_view id) {
    const std::string* alias = aliases.find(id);
    return alias && !trim(*alias).empty();
}

bool IsDuplicateAlias(const KeyedCollection& aliases, const std::vector<std::string>& ids,
                      std::string_view alias, std::string_view exceptId) {
    const std::string wanted = comparable(alias);
    if (wanted.empty())
        return false;
    // From the last entrant to the first, as the grid is searched.
    for (auto it = ids.rbegin(); it != ids.rend(); ++it) {
        if (*it == exceptId)
            continue;
        const std::string* other = aliases.find(*it);
        if (other && comparable(*other) == wanted)
            return true;
    }
    return false;
}

AliasUpdate UpdateAlias(KeyedCollection& aliases, const std::vector<std::string>& ids,
                        std::string_view id, const std::string& typed) {
    if (comparable(typed) == comparable(aliases.value(id)))
        return AliasUpdate::Unchanged;
    if (IsDuplicateAlias(aliases, ids, typed, id))
        return AliasUpdate::Duplicate;
    if (isNoEntrant(id))
        return AliasUpdate::NoEntrant;
    // Stored as typed, even when empty: the store's blank-value rule does not apply to aliases.
    if (aliases.Exists(id))
        aliases.Remove(id);
    aliases.Add(typed, std::string(id));
    return AliasUpdate::Stored;
}

int SelectNextWithoutAlias(const KeyedCollection& aliases, const std::vector<std::string>& ids) {
    if (ids.empty())
        return -1;
    for (std::size_t i = 0; i < ids.size(); ++i)
        if (!HasAlias(aliases, ids[i]))
            return static_cast<int>(i);
    return 0;
}

} // namespace rh
