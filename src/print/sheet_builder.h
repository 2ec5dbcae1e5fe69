#pragma once
// Copies the seating of the open tournament out of its state into the sheets' plain data: every
// entrant by ID with its name, every round's tables from the seat store (seats 1 and 2 of a side
// are partners), and who sits out. Reads the state; keeps nothing of it.

#include "print/sheet_data.h"

namespace rh {
class TournamentState;
}

namespace rh::print {

SheetData sheetData(const TournamentState& state);

} // namespace rh::print
