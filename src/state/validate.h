#pragma once
// The lines of the validation window (frmValidate): Check lists every seated player of every round
// so far with the partner's score beside it, Validate only the players whose score differs from
// their partner's. A Team tournament has no partners, so its list holds only the closing line.

#include "state/tournament_state.h"

#include <string>
#include <vector>

namespace rh {

enum class ValidateMode { Check, Validate };

inline constexpr const char* kEndOfCheck = "*** End of Check ***";
inline constexpr const char* kEndOfValidation = "*** End of Validation ***";

/// One report line: "Round: 2 Player: Ann  Score: 07  Partner: Bob Score: 07".
std::string validateLine(long long round, const std::string& name, const std::string& score,
                         const std::string& partnerName, const std::string& partnerScore);

/// The whole list for the window, closing line included, rounds 1..CurrentRound in round order
/// and players in name order within a round.
std::vector<std::string> ValidateList(const TournamentState& state, ValidateMode mode);

} // namespace rh
