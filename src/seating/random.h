#pragma once
// The schedule generator's own random numbers: splitmix64 to spread the seed, xoshiro256** to draw,
// and integer-only helpers on top. Written out here rather than taken from <random>, whose
// distributions differ between library versions, so that one seed gives one schedule everywhere.
#include <cstdint>
#include <utility>
#include <vector>

namespace rh::seating::detail {

class Random {
public:
    explicit Random(std::uint64_t seed) {
        std::uint64_t x = seed;
        for (auto& word : m_state)
            word = splitMix(x);
    }

    std::uint64_t next() {
        const std::uint64_t result = rotl(m_state[1] * 5, 7) * 9;
        const std::uint64_t t = m_state[1] << 17;
        m_state[2] ^= m_state[0];
        m_state[3] ^= m_state[1];
        m_state[1] ^= m_state[2];
        m_state[0] ^= m_state[3];
        m_state[2] ^= t;
        m_state[3] = rotl(m_state[3], 45);
        return result;
    }

    // Uniform in [0, n) for n >= 1, without modulo bias.
    int below(int n) {
        const auto bound = static_cast<std::uint64_t>(n);
        const std::uint64_t reject = (0 - bound) % bound; // 2^64 mod bound
        std::uint64_t x = next();
        while (x < reject)
            x = next();
        return static_cast<int>(x % bound);
    }

    // True with probability threshold / 2^32.
    bool chance(std::uint32_t threshold) { return (next() >> 32) < threshold; }

    template <class T> void shuffle(std::vector<T>& items) {
        for (int i = static_cast<int>(items.size()) - 1; i > 0; --i)
            std::swap(items[static_cast<std::size_t>(i)],
                      items[static_cast<std::size_t>(below(i + 1))]);
    }

    // 0..n-1 in random order.
    std::vector<int> permutation(int n) {
        std::vector<int> p(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i)
            p[static_cast<std::size_t>(i)] = i;
        shuffle(p);
        return p;
    }

private:
    static std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    static std::uint64_t splitMix(std::uint64_t& x) {
        std::uint64_t z = (x += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }

    std::uint64_t m_state[4];
};

// Acceptance thresholds of an annealing step at one temperature, in integers so that every machine
// takes the same decisions: a move that worsens the cost by d is taken with probability p^d, where
// p = pOne / 2^32 is the probability for d = 1.
class Acceptance {
public:
    explicit Acceptance(std::uint32_t pOne) {
        std::uint64_t t = std::uint64_t{1} << 32;
        for (auto& threshold : m_thresholds) {
            t = (t * pOne) >> 32;
            threshold = static_cast<std::uint32_t>(t);
        }
    }
    bool accepts(long long delta, Random& random) const {
        if (delta <= 0)
            return true;
        if (delta > kSteps)
            return false;
        return random.chance(m_thresholds[static_cast<std::size_t>(delta - 1)]);
    }

private:
    static constexpr int kSteps = 48;
    std::uint32_t m_thresholds[kSteps];
};

} // namespace rh::seating::detail
