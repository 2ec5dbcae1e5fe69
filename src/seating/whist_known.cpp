// Cyclic initial rounds of whist tournaments that no algebraic construction of this library covers,
// found by searchStarter (the same tabu search, run once with a larger budget) and checked again by
// isWhistStarter before use. Each entry: v, then the v/4 tables {a, b, c, d} as 4 * (v/4) numbers,
// elements of Z_v (v = 4n + 1; 0 sits out) or of Z_(v-1) with -1 for infinity (v = 4n).
#include "seating/whist.h"

#include <cstddef>

namespace rh::seating::detail {

namespace {

// clang-format off
constexpr int kKnown[] = {
    // 8 entrants
    8,
    2, 0, 1, 5, -1, 6, 3, 4,
    // 12 entrants
    12,
    0, 6, 10, 9, 1, 3, -1, 7, 4, 8, 2, 5,
    // 16 entrants
    16,
    5, 9, 1, 10, -1, 7, 14, 13, 4, 11, 6, 8, 0, 3, 2, 12,
    // 20 entrants
    20,
    11, 6, 10, 18, 5, 9, -1, 14, 15, 13, 7, 16, 4, 3, 1, 17, 0, 12, 2, 8,
    // 21 entrants
    21,
    7, 12, 18, 16, 11, 17, 13, 4, 6, 19, 20, 9, 3, 2, 8, 5, 14, 10, 1, 15,
    // 24 entrants
    24,
    5, 20, 19, 8, 15, 13, 21, 3, 1, 18, 4, 14, 22, 0, 7, -1, 17, 10, 12, 16, 11, 2, 6, 9,
    // 28 entrants
    28,
    16, 18, 4, 20, 10, 7, 17, 26, 23, 19, 24, 2, 3, 13, 21, 9, 1, 0, 12, 25, 6, 14, 5, 11, 8, 15,
    22, -1,
    // 32 entrants
    32,
    -1, 16, 13, 20, 27, 0, 1, 12, 9, 17, 11, 26, 14, 4, 3, 28, 7, 21, 10, 19, 2, 15, 6, 25, 8, 5,
    18, 23, 22, 24, 30, 29,
    // 36 entrants
    36,
    20, 18, 15, 25, 5, 10, 23, 29, 12, 31, 16, 33, 1, 14, 2, 13, 19, 22, 11, 26, 30, -1, 17, 3, 27,
    0, 21, 9, 24, 28, 8, 34, 6, 7, 4, 32,
    // 40 entrants
    40,
    19, 13, 32, 12, 29, 4, 35, 26, 37, 8, 30, 33, 22, 38, 7, 3, 10, 2, 15, 20, 28, 16, 14, 1, 17,
    34, 6, 5, 31, -1, 36, 25, 21, 23, 0, 24, 27, 9, 18, 11,
    // 77 entrants
    77,
    29, 48, 20, 57, 8, 69, 37, 40, 31, 46, 30, 47, 3, 74, 38, 39, 34, 43, 22, 55, 11, 66, 7, 70, 1,
    76, 9, 68, 10, 67, 33, 44, 17, 60, 14, 63, 6, 71, 13, 64, 26, 51, 24, 53, 32, 45, 21, 56, 4,
    73, 18, 59, 35, 42, 5, 72, 16, 61, 36, 41, 28, 49, 23, 54, 2, 75, 15, 62, 19, 58, 25, 52, 27,
    50, 12, 65,
};
// clang-format on

} // namespace

std::optional<WhistStarter> knownStarter(int entrants) {
    constexpr std::size_t kSize = sizeof(kKnown) / sizeof(kKnown[0]);
    for (std::size_t i = 0; i < kSize;) {
        const int v = kKnown[i];
        const std::size_t seats = static_cast<std::size_t>(v / 4 * 4);
        if (v == entrants) {
            WhistStarter starter;
            starter.withInfinity = v % 4 == 0;
            const int m = starter.withInfinity ? v - 1 : v;
            starter.moduli = {m};
            for (std::size_t s = 0; s < seats; s += 4) {
                std::array<int, 4> table{};
                for (std::size_t k = 0; k < 4; ++k) {
                    const int e = kKnown[i + 1 + s + k];
                    table[k] = e < 0 ? m : e;
                }
                starter.tables.push_back(table);
            }
            if (isWhistStarter(starter))
                return starter;
            return std::nullopt;
        }
        i += 1 + seats;
    }
    return std::nullopt;
}

} // namespace rh::seating::detail
