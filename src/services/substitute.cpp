#include "services/substitute.h"

#include "core/errors.h"
#include "core/text.h"
#include "services/changes.h"
#include "services/entrant_import.h"

namespace rh {

void storeEntrantName(TournamentState& st, std::string_view idText, const std::string& name) {
    const std::string id = Pad2(trim(idText));
    const std::string* oldName = st.names.find(id);
    if (!oldName)
        throw RhError(err::InvalidCall);
    const std::string oldRecord = *oldName + "~" + id;
    const std::string newRecord = name + "~" + id;
    st.names.replace(id, name);
    const auto& items = st.sortedNames.items();
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i] == oldRecord) {
            st.sortedNames.Remove(static_cast<int>(i) + 1);
            break;
        }
    st.sortedNames.AddItem(newRecord);
    for (std::string& record : st.debugNames)
        if (record == oldRecord)
            record = newRecord;
}

std::string renameEntrant(Session& session, std::string_view idText, const std::string& newName) {
    if (!session.isLoaded())
        return "No tournament is loaded.";
    TournamentState& st = session.state();
    const std::string id = Pad2(trim(idText));
    const std::string* oldName = st.names.find(id);
    if (!oldName)
        return "No entrant has the ID " + id + ".";
    const std::string name = trim(newName);
    if (name.empty())
        return "The new name is empty.";
    if (name.find('~') != std::string::npos)
        return "A name cannot hold \"~\".";
    for (char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return "A name cannot hold a control character.";
    if (name == *oldName)
        return {};
    const std::string key = nameKey(name);
    for (const EntrantRef& e : st.entrantsByName())
        if (e.id != id && nameKey(e.name) == key)
            return "\"" + e.name + "\" is already in the tournament.";

    storeChange(session, Change::count(ChangeKind::Rename, id, name));
    return {};
}

} // namespace rh
