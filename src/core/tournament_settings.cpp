#include "core/tournament_settings.h"

#include "core/text.h"

namespace rh {

std::string TournamentSettings::JackpotTitle() const {
    return trim(m_JackpotTitle).empty() ? std::string(kDefaultJackpotTitle) : m_JackpotTitle;
}

void TournamentSettings::setTourneyType(std::int32_t v) {
    // Only the two kinds exist: any value but 1 is Progressive, so type, ID and label agree.
    m_TourneyType = v == 1 ? 1 : 0;
    m_TourneyTypeID = m_TourneyType;
    m_TypeLabel = v == 1 ? "Team" : "Progressive";
}

void TournamentSettings::setTourneyTypeID(std::int32_t v) {
    setTourneyType(v == 1 ? 1 : 0);
}

std::string TournamentSettings::TourneyTypeLabel() const {
    return m_TourneyType == 0 ? "Progressive" : "Team";
}

void TournamentSettings::SetTourneyTypeFromStr(const std::string& s) {
    setTourneyType(s == "Progressive" ? 0 : 1);
}

void TournamentSettings::DeriveTotalTables() {
    int per = isProgressive() ? 4 : 2;
    m_TotalTables = static_cast<std::int16_t>(m_TotalPlort / per);
}

} // namespace rh
