#include "roster/keys.h"

namespace rh {

namespace {
std::string padKeyPart(std::string_view text) {
    std::string t = trim(text);
    if (t.size() < 2)
        t.insert(0, 2 - t.size(), '0');
    return t;
}
} // namespace

std::string RosterKey(std::string_view a, std::string_view b, std::string_view c) {
    return Pad2(a) + Pad2(b) + Pad2(c);
}

std::string TeamKey(std::string_view a, std::string_view b) {
    return Pad2(a) + Pad2(b);
}

std::string makekey(std::string_view a, std::string_view b) {
    return padKeyPart(a) + padKeyPart(b);
}

std::string makekey2(long long a, long long b) {
    return fmt00(a) + fmt00(b);
}

std::string SeatKey(long long round, long long table, int side, int position) {
    return fmt00(round) + fmt00(table) + fmt00(side) + fmt00(position);
}

std::string TeamSeatKey(long long round, long long table, int position) {
    return fmt00(round) + fmt00(table) + fmt00(position);
}

const std::string& GetPlayerName(const KeyedCollection& playerNames, std::string_view id) {
    return playerNames.Item(Pad2(id));
}

const std::string& GetPlayerName(const KeyedCollection& playerNames, long long id) {
    return playerNames.Item(fmt00(id));
}

} // namespace rh
