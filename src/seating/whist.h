#pragma once
// Whist tournaments Wh(v) from initial rounds developed over an abelian group (internal to the
// seating library; the tests reach it to check the initial rounds themselves).
//
// An initial round over G = Z_m1 x ... x Z_mk (elements encoded mixed-radix as 0..|G|-1, the first
// modulus the least significant digit), with a fixed point infinity (encoded |G|) when v = |G| + 1:
// round g adds g to every element of every table (infinity stays). Each table {a, b, c, d} pairs
// a with b and c with d. The |G| rounds form a Wh(v) exactly when, over the initial round,
//   - the tables are disjoint and leave out nothing but one element (v = 4n + 1, that element sits
//     out; it sits out in a different round for every entrant) or nothing at all (v = 4n, infinity
//     seated);
//   - the partner differences a-b, b-a, c-d, d-c (pairs with infinity left out) cover every nonzero
//     element of G exactly once;
//   - the opponent differences (a-c, c-a, a-d, d-a, b-c, c-b, b-d, d-b, again without infinity)
//     cover every nonzero element exactly twice.
#include <array>
#include <optional>
#include <vector>

namespace rh::seating::detail {

struct WhistStarter {
    std::vector<int> moduli;
    bool withInfinity = false;
    std::vector<std::array<int, 4>> tables;

    int groupOrder() const;
    int entrants() const { return groupOrder() + (withInfinity ? 1 : 0); }
};

// One round of a Progressive schedule, entrants numbered from 0.
struct RawRound {
    std::vector<std::array<int, 4>> tables;
    std::vector<int> sittingOut;
};

// Whether `starter` satisfies the conditions above.
bool isWhistStarter(const WhistStarter& starter);

// v = 1 mod 4 whose prime-power factors q1, q2, ... are all 1 mod 4 (5, 9, 13, 17, 25, 29, 37, 41,
// 45, 49, ...), over the additive group of the ring R = GF(q1) x GF(q2) x ...: with w_i a fourth
// root of unity of GF(q_i) (x_i^((q_i - 1)/4) for a primitive x_i) and w = (w1, w2, ...), the
// nonzero elements of R fall into the orbits {e, we, -e, -we}, and each orbit is the table {e, -e,
// we, -we}; 0 sits out. The partner differences 2e run through every nonzero element once; the
// opponent differences are the elements e(1 - w), e(1 + w) = we(1 - w) and their negatives, each
// nonzero element twice, since 1 - w is a unit that keeps the zero components of e.
std::optional<WhistStarter> ringStarter(int entrants);

// Cyclic initial rounds (Z_v, or Z_(v-1) with infinity) found once by searchStarter with a larger
// budget and kept in the source, for the v up to 128 that no algebraic construction covers.
std::optional<WhistStarter> knownStarter(int entrants);

// Tabu search for a cyclic initial round: Z_v with 0 sitting out (v = 4n + 1) or Z_(v-1) with
// infinity (v = 4n). The search starts from a fixed seed and stops after `moveBudget` moves, so
// the answer depends on v and the budget only. Finds one quickly up to about v = 32 (none exists
// for v = 9).
std::optional<WhistStarter> searchStarter(int entrants, long long moveBudget);

// The initial round used for v entrants: the ring construction, the known table, or a short
// search for small v; none for v = 2 or 3 mod 4 and for v where all of them fail.
std::optional<WhistStarter> whistStarter(int entrants);

// The |G| rounds of the tournament, round g developed by the g-th element of G. Entrant numbers:
// the group element's code, infinity = |G|.
std::vector<RawRound> developWhist(const WhistStarter& starter);

} // namespace rh::seating::detail
