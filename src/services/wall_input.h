#pragma once
// The wall screen's description drawn from the open tournament, and where its page is published.
// Reads the session afresh on every call and keeps nothing.

#include "publishing/wall_page.h"

#include <cstdint>
#include <string>

namespace rh {

class Session;

/// The wall screen of the session's tournament: the standings in the order of the standings grid,
/// the tables of the current round that still wait for a score, the round clock and finish
/// estimate as the dashboard shows them (taken at nowEpochMs, milliseconds since 1970 UTC), and
/// the leaders' running totals over the rounds played to the end. The share address, QR code and
/// theme are left for the caller. Standings that cannot be built (a damaged file) leave the rows
/// and the chart empty.
WallInput wallInput(Session& session, std::int64_t nowEpochMs);

/// tempDir + "/" + "Quillmark" + code + "-wall.html", beside the standings page.
std::string wallPagePath(const Session& session);
/// "Quillmark" + code + "-wall.html", beside the standings page, the code made safe for a file
/// name.
std::string wallPageFileName(std::string_view tournamentCode);

} // namespace rh
