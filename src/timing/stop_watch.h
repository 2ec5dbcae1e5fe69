#pragma once
// StopWatch: a stop-watch counted in whole seconds. It never reads a clock: each tick adds one
// second, so it follows the ticks actually delivered. The count is held in 64 bits, so a clock left
// running for days neither overflows nor wraps (a 16-bit count would fail after 9:06:07).

#include <cstdint>
#include <string>

namespace rh {

class StopWatch {
public:
    /// hours, minutes and seconds back to 0.
    void reset() { m_total = 0; }
    /// One more second.
    void tick() { ++m_total; }
    /// n more seconds (negative n is ignored: a stop-watch never runs backwards).
    void add(std::int64_t n) {
        if (n > 0)
            m_total += n;
    }

    /// "hh:mm:ss", minutes and seconds carried into 0..59, each part at least two digits.
    std::string elapsed() const;
    /// The whole counted length in seconds: hours x 3600 + minutes x 60 + seconds.
    std::int64_t totalSeconds() const { return m_total; }

    std::int64_t hours() const { return m_total / 3600; }
    int minutes() const { return static_cast<int>(m_total / 60 % 60); }
    int seconds() const { return static_cast<int>(m_total % 60); }

private:
    std::int64_t m_total = 0;
};

/// hh:mm:ss of a number of seconds (hours not limited to 24); negative values count as 0.
std::string formatHms(std::int64_t seconds);

} // namespace rh
