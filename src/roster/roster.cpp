#include "roster/roster.h"

#include "core/text.h"
#include "roster/keys.h"

namespace rh {

void Roster::AddPlayers(std::int16_t round, const std::array<std::int16_t, 4>& seats) {
    // Seat order of the relations: partner, first opponent, second opponent. Both members of a
    // partnership see the same first and second opponent.
    static constexpr int kRelated[4][3] = {{1, 2, 3}, {0, 2, 3}, {3, 0, 1}, {2, 0, 1}};
    std::string r = fmt00(round);
    for (int seat = 0; seat < 4; ++seat) {
        std::string player = fmt00(seats[static_cast<std::size_t>(seat)]);
        for (int rel = 0; rel < 3; ++rel)
            m_col.Add(fmt00(seats[static_cast<std::size_t>(kRelated[seat][rel])]),
                      r + player + fmt00(rel + 1));
    }
}

void Roster::AddTeams(std::int16_t round, const std::array<std::int16_t, 2>& teams) {
    std::string r = fmt00(round);
    m_col.Add(fmt00(teams[1]), r + fmt00(teams[0]));
    m_col.Add(fmt00(teams[0]), r + fmt00(teams[1]));
}

bool Roster::Exists(std::string_view round, std::string_view player,
                    std::string_view relation) const {
    return m_col.Exists(RosterKey(round, player, relation));
}

bool Roster::ExistsTeam(std::string_view round, std::string_view team) const {
    return m_col.Exists(TeamKey(round, team));
}

std::string Roster::GetPlayer(std::string_view round, std::string_view player,
                              std::string_view relation) const {
    const std::string* v = m_col.find(RosterKey(round, player, relation));
    return v ? Pad2(*v) : std::string();
}

std::string Roster::getPartner(std::string_view round, std::string_view player) const {
    return GetPlayer(round, player, "1");
}
std::string Roster::getOpponent1(std::string_view round, std::string_view player) const {
    return GetPlayer(round, player, "2");
}
std::string Roster::getOpponent2(std::string_view round, std::string_view player) const {
    return GetPlayer(round, player, "3");
}

std::string Roster::GetTeam(std::string_view round, std::string_view team) const {
    const std::string* v = m_col.find(TeamKey(round, team));
    return v ? Pad2(*v) : std::string();
}

} // namespace rh
