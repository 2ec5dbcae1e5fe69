#pragma once
// TournamentSettings: the settings record of one tournament (titles, kind, code, size, current
// round and the money settings). A plain value; the shared tournament state owns the one instance,
// and a reset replaces it with a fresh default record.

#include <cstdint>
#include <string>

namespace rh {

class TournamentSettings {
public:
    static constexpr const char* kDefaultTitle = "Shuffle Up and Deal Again";
    static constexpr const char* kDefaultJackpotTitle = "Bump Jackpot";
    static constexpr const char* kProgressiveLabel = "Progressive";
    static constexpr const char* kTeamLabel = "Team";

    const std::string& TourneyTitle() const { return m_TourneyTitle; }
    void setTourneyTitle(std::string v) { m_TourneyTitle = std::move(v); }

    /// The stored title, or "Bump Jackpot" when it is blank. The stored text is kept untrimmed.
    std::string JackpotTitle() const;
    /// The title as stored (what the file holds), without the fallback.
    const std::string& StoredJackpotTitle() const { return m_JackpotTitle; }
    void setJackpotTitle(std::string v) { m_JackpotTitle = std::move(v); }

    std::int32_t TourneyType() const { return m_TourneyType; }
    void setTourneyType(std::int32_t v);
    /// "Progressive" when the kind is 0, else "Team" (the file's TournamentType).
    std::string TourneyTypeLabel() const;

    const std::string& TourneyCode() const { return m_TourneyCode; }
    void setTourneyCode(std::string v) { m_TourneyCode = std::move(v); }
    const std::string& SupportDir() const { return m_SupportDir; }
    void setSupportDir(std::string v) { m_SupportDir = std::move(v); }

    std::int16_t TotalPlort() const { return m_TotalPlort; }
    void setTotalPlort(std::int16_t v) { m_TotalPlort = v; }
    std::int16_t TotalTables() const { return m_TotalTables; }
    void setTotalTables(std::int16_t v) { m_TotalTables = v; }
    std::int16_t TotalRounds() const { return m_TotalRounds; }
    void setTotalRounds(std::int16_t v) { m_TotalRounds = v; }
    std::int16_t CurrentRound() const { return m_CurrentRound; }
    void setCurrentRound(std::int16_t v) { m_CurrentRound = v; }

    double BumpFee() const { return m_BumpFee; }
    void setBumpFee(double v) { m_BumpFee = v; }
    double WoodFee() const { return m_WoodFee; }
    void setWoodFee(double v) { m_WoodFee = v; }
    double EntryFee() const { return m_EntryFee; }
    void setEntryFee(double v) { m_EntryFee = v; }
    double Expenses() const { return m_Expenses; }
    void setExpenses(double v) { m_Expenses = v; }

    bool isProgressive() const { return m_TourneyType == 0; }
    bool isTeam() const { return m_TourneyType == 1; }
    /// Exactly "Progressive" gives Progressive; any other text (lower case, blanks, "") gives Team.
    void SetTourneyTypeFromStr(const std::string& s);
    void SetTypeProgressive() { setTourneyType(0); }
    void SetTypeTeam() { setTourneyType(1); }

    /// Tables from entrants: four players to a Progressive table, two teams to a Team table.
    void DeriveTotalTables();
    /// "Player"/"Team" and "Players"/"Teams" for captions.
    std::string EntrantWord() const { return isProgressive() ? "Player" : "Team"; }
    std::string EntrantsWord() const { return isProgressive() ? "Players" : "Teams"; }

private:
    std::string m_TourneyTitle = kDefaultTitle;
    std::string m_JackpotTitle = kDefaultJackpotTitle;
    std::int32_t m_TourneyType = 0;
    std::string m_TourneyCode;
    std::string m_SupportDir;
    std::int16_t m_TotalPlort = 4;
    std::int16_t m_TotalTables = 1;
    std::int16_t m_TotalRounds = 3;
    std::int16_t m_CurrentRound = 1;
    double m_BumpFee = 0;
    double m_WoodFee = 0;
    double m_EntryFee = 0;
    double m_Expenses = 0;
};

} // namespace rh
