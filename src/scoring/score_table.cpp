#include "scoring/score_table.h"

#include <cmath>

namespace rh {

std::optional<int> ScoreTable::getAside(int round, int slot) const {
    const auto it = m_aside.find({round, slot});
    return it == m_aside.end() ? std::nullopt : std::optional<int>(it->second);
}

void ScoreTable::set(RoundNo round, int slot, std::optional<int> score) {
    if (slot < 0)
        return;
    const int r = num(round);
    const bool had = has(round, slot);
    if (r >= 1 && r <= kDenseRounds) {
        if (static_cast<std::size_t>(r) >= m_rows.size()) {
            if (!score)
                return;
            m_rows.resize(static_cast<std::size_t>(r) + 1);
        }
        auto& row = m_rows[static_cast<std::size_t>(r)];
        if (static_cast<std::size_t>(slot) >= row.size()) {
            if (!score)
                return;
            row.resize(static_cast<std::size_t>(slot) + 1, kNone);
        }
        row[static_cast<std::size_t>(slot)] = score ? *score : kNone;
    } else if (score) {
        m_aside[{r, slot}] = *score;
    } else {
        m_aside.erase({r, slot});
    }
    if (had && !score)
        --m_count;
    else if (!had && score)
        ++m_count;
}

void ScoreTable::reserve(int rounds, std::size_t slots) {
    if (rounds < 1)
        return;
    const auto n = static_cast<std::size_t>(std::min(rounds, kDenseRounds)) + 1;
    if (m_rows.size() < n)
        m_rows.resize(n);
    for (std::size_t r = 1; r < n; ++r)
        if (m_rows[r].size() < slots)
            m_rows[r].resize(slots, kNone);
}

std::int64_t ScoreTable::total(int slot, int upTo) const {
    std::int64_t sum = 0;
    for (int r = 1; r <= upTo; ++r)
        if (const auto s = get(RoundNo{static_cast<std::int16_t>(r)}, slot))
            sum += *s;
    return sum;
}

std::vector<std::int64_t> ScoreTable::totals(std::size_t slots, int upTo) const {
    std::vector<std::int64_t> sums(slots, 0);
    const auto last = std::min<std::size_t>(static_cast<std::size_t>(std::max(upTo, 0)),
                                            m_rows.empty() ? 0 : m_rows.size() - 1);
    for (std::size_t r = 1; r <= last; ++r) {
        const auto& row = m_rows[r];
        const std::size_t n = std::min(row.size(), slots);
        for (std::size_t s = 0; s < n; ++s)
            if (row[s] != kNone)
                sums[s] += row[s];
    }
    if (upTo > kDenseRounds)
        for (const auto& [key, score] : m_aside)
            if (key.first > kDenseRounds && key.first <= upTo &&
                static_cast<std::size_t>(key.second) < slots)
                sums[static_cast<std::size_t>(key.second)] += score;
    return sums;
}

std::int64_t ScoreTable::maxLones(int slot, int upTo) const {
    std::int64_t sum = 0;
    for (int r = 1; r <= upTo; ++r)
        if (const auto s = get(RoundNo{static_cast<std::int16_t>(r)}, slot))
            sum += static_cast<std::int64_t>(std::floor(*s / 4.0));
    return sum;
}

} // namespace rh
