#include "core/tournament_settings.h"

#include "core/text.h"

namespace rh {

std::string TournamentSettings::JackpotTitle() const {
    return trim(m_JackpotTitle).empty() ? std::string(kDefaultJackpotTitle) : m_JackpotTitle;
}

void TournamentSettings::setTourneyType(std::int32_t v) {
    // Only the two kinds exist: any value but 1 is Progressive.
    m_TourneyType = v == 1 ? 1 : 0;
}

std::string TournamentSettings::TourneyTypeLabel() const {
    return m_TourneyType == 0 ? kProgressiveLabel : kTeamLabel;
}

void TournamentSettings::SetTourneyTypeFromStr(const std::string& s) {
    setTourneyType(s == kProgressiveLabel ? 0 : 1);
}

void TournamentSettings::DeriveTotalTables() {
    int per = isProgressive() ? 4 : 2;
    m_TotalTables = static_cast<std::int16_t>(m_TotalPlort / per);
}

} // namespace rh
