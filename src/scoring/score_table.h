#pragma once
// ScoreTable: every round score of the tournament as a table of rounds by entrant slots
// (Entrants::slotOf). A cell holds the score or nothing; "no score yet" is not a score of 0.
//
// Rounds 1 to kDenseRounds are rows of the table; a score filed under any other round number
// (a damaged file can hold one) is kept aside, so that it is written back as it was read.

#include "core/ids.h"

#include <cstdint>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace rh {

class ScoreTable {
public:
    static constexpr int kDenseRounds = 999;

    std::optional<int> get(RoundNo round, int slot) const {
        const int r = num(round);
        if (r >= 1 && r <= kDenseRounds) {
            if (static_cast<std::size_t>(r) >= m_rows.size())
                return std::nullopt;
            const auto& row = m_rows[static_cast<std::size_t>(r)];
            if (slot < 0 || static_cast<std::size_t>(slot) >= row.size() ||
                row[static_cast<std::size_t>(slot)] == kNone)
                return std::nullopt;
            return row[static_cast<std::size_t>(slot)];
        }
        return getAside(r, slot);
    }
    bool has(RoundNo round, int slot) const { return get(round, slot).has_value(); }
    /// Stores the score, or removes it for nothing.
    void set(RoundNo round, int slot, std::optional<int> score);
    void clear() {
        m_rows.clear();
        m_aside.clear();
        m_count = 0;
    }
    /// How many scores are stored.
    std::size_t count() const { return m_count; }
    /// Makes room for `slots` entrants in rounds 1..`rounds`.
    void reserve(int rounds, std::size_t slots);

    /// The entrant's score total over rounds 1..upTo.
    std::int64_t total(int slot, int upTo) const;
    /// Every slot's total over rounds 1..upTo, indexed by slot (`slots` long).
    std::vector<std::int64_t> totals(std::size_t slots, int upTo) const;
    /// Sum over rounds 1..upTo of floor(score / 4): the most lones the scores allow.
    std::int64_t maxLones(int slot, int upTo) const;

    /// Calls visit(round, slot, score) for every stored score, rounds in ascending order.
    template <typename F> void forEach(F&& visit) const {
        for (const auto& [key, score] : m_aside)
            if (key.first < 1)
                visit(RoundNo{static_cast<std::int16_t>(key.first)}, key.second, score);
        for (std::size_t r = 1; r < m_rows.size(); ++r)
            for (std::size_t s = 0; s < m_rows[r].size(); ++s)
                if (m_rows[r][s] != kNone)
                    visit(RoundNo{static_cast<std::int16_t>(r)}, static_cast<int>(s),
                          static_cast<int>(m_rows[r][s]));
        for (const auto& [key, score] : m_aside)
            if (key.first > kDenseRounds)
                visit(RoundNo{static_cast<std::int16_t>(key.first)}, key.second, score);
    }

private:
    static constexpr std::int32_t kNone = INT32_MIN;
    std::optional<int> getAside(int round, int slot) const;

    std::vector<std::vector<std::int32_t>> m_rows; // index = round; row 0 unused
    std::map<std::pair<int, int>, int> m_aside;    // (round, slot) outside 1..kDenseRounds
    std::size_t m_count = 0;
};

} // namespace rh
