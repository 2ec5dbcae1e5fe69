#pragma once
// Shorthands of the window tests for the typed tournament model: an entrant or a round from its
// number or ID text, and an entrant's stored counts (0 when none is stored).

#include "core/ids.h"
#include "state/tournament_state.h"

#include <QString>

#include <string_view>

namespace rh::test {

inline EntrantId eid(long long n) {
    return *entrantIdOf(n);
}
inline EntrantId eid(std::string_view text) {
    return *entrantIdOf(text);
}
inline EntrantId eid(const QString& text) {
    return eid(text.toStdString());
}
inline RoundNo rno(long long n) {
    return *roundNoOf(n);
}

inline int lonesOf(const TournamentState& s, EntrantId id) {
    const EntrantRecord* r = s.entrant(id);
    return r ? r->lones.value_or(0) : 0;
}
inline int bumpsOf(const TournamentState& s, EntrantId id) {
    const EntrantRecord* r = s.entrant(id);
    return r ? r->bumps.value_or(0) : 0;
}
inline int woodsOf(const TournamentState& s, EntrantId id) {
    const EntrantRecord* r = s.entrant(id);
    return r ? r->woods.value_or(0) : 0;
}
inline bool finesPaid(const TournamentState& s, EntrantId id) {
    const EntrantRecord* r = s.entrant(id);
    return r && r->finesPaid();
}

} // namespace rh::test
