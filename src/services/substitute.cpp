#include "services/substitute.h"

#include "core/errors.h"
#include "core/text.h"
#include "services/changes.h"
#include "services/entrant_import.h"

namespace rh {

void storeEntrantName(TournamentState& st, EntrantId id, const std::string& name) {
    if (!st.hasName(id))
        throw RhError(err::InvalidCall);
    st.entrants.rename(id, name);
}

std::string renameEntrant(Session& session, std::string_view idText, const std::string& newName) {
    if (!session.isLoaded())
        return "No tournament is loaded.";
    TournamentState& st = session.state();
    const auto id = entrantIdOf(idText);
    if (!id || !st.hasName(*id))
        return "No entrant has the ID " + Pad2(trim(idText)) + ".";
    const std::string& oldName = st.nameOf(*id);
    const std::string name = trim(newName);
    if (name.empty())
        return "The new name is empty.";
    if (name.find('~') != std::string::npos)
        return "A name cannot hold \"~\".";
    for (char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return "A name cannot hold a control character.";
    if (name == oldName)
        return {};
    const std::string key = nameKey(name);
    for (const EntrantRef& e : st.entrantsByName())
        if (e.id != *id && nameKey(e.name) == key)
            return "\"" + e.name + "\" is already in the tournament.";

    storeChange(session, Change::count(ChangeKind::Rename, rh::idText(*id), name));
    return {};
}

} // namespace rh
