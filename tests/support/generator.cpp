#include "support/generator.h"

#include "core/text.h"
#include "state/tournament_state.h"

#include <algorithm>
#include <array>

namespace rh::test {

namespace {

/// The generator's random numbers (splitmix64): the same sequence on every platform.
class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}
    /// A number in [0, bound), bound > 0.
    int below(int bound) {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return static_cast<int>((z ^ (z >> 31)) % static_cast<std::uint64_t>(bound));
    }

private:
    std::uint64_t m_state;
};

constexpr std::array<const char*, 30> kFirst = {
    "Ann", "Bob", "Carla", "Dev", "Edna", "Fay", "Gus",   "Hana",   "Ian", "Jo",
    "Kit", "Lou", "Mia",   "Ned", "Oli",  "Pam", "Quinn", "Ray",    "Sue", "Tom",
    "Uma", "Vic", "Wes",   "Xia", "Yves", "Zoë", "Renée", "Jürgen", "Åsa", "Noël"};
constexpr std::array<const char*, 30> kLast = {
    "Abbott", "Baker", "Chen",  "Diaz",  "Evans",  "Fox",    "Gray",   "Hart",  "Ivers", "Jones",
    "King",   "Lopez", "Moore", "Nuñez", "O'Hara", "Price",  "Quist",  "Reyes", "Stone", "Tran",
    "Ueda",   "Vega",  "Walsh", "Young", "Zimmer", "Müller", "Brandt", "Cole",  "Dunn",  "Ellis"};
constexpr std::array<const char*, 8> kNick = {"Ace",    "Bower", "Joker",  "Lefty",
                                              "Righty", "Trump", "Dealer", "Loner"};

std::string madeUpName(Kind kind, int index) {
    const int f = static_cast<int>(kFirst.size());
    const int l = static_cast<int>(kLast.size());
    std::string name;
    int cycle;
    if (kind == Kind::Progressive) {
        name = std::string(kFirst[static_cast<std::size_t>(index % f)]) + " " +
               kLast[static_cast<std::size_t>((index / f) % l)];
        cycle = index / (f * l);
    } else {
        int a = index % f;
        int b = (a + 1 + (index / f) % (f - 1)) % f;
        name = std::string(kFirst[static_cast<std::size_t>(a)]) + " & " +
               kFirst[static_cast<std::size_t>(b)];
        cycle = index / (f * (f - 1));
    }
    if (cycle > 0)
        name += " " + std::to_string(cycle + 1);
    return name;
}

// A Euchre game to 10 at one table: the winners reach 10 to 13, the losers stay below 10.
std::pair<int, int> gameScores(Random& rnd) {
    int roll = rnd.below(20);
    int win = roll < 14 ? 10 : (roll < 18 ? 11 : (roll < 19 ? 12 : 13));
    int lose = rnd.below(10);
    return rnd.below(2) == 0 ? std::make_pair(win, lose) : std::make_pair(lose, win);
}

} // namespace

std::vector<std::vector<int>> seatRound(Kind kind, int entrants, int round,
                                        const std::vector<int>& order) {
    std::vector<std::vector<int>> tables;
    const int m = static_cast<int>(order.size()); // even: entrants, plus a bye when odd
    if (m < 2)
        return tables;
    const int k = (round - 1) % (m - 1);
    std::vector<int> slots(static_cast<std::size_t>(m));
    slots[0] = 0;
    for (int j = 1; j < m; ++j)
        slots[static_cast<std::size_t>(j)] = 1 + (j - 1 + k) % (m - 1);
    std::vector<std::pair<int, int>> pairs;
    for (int i = 0; i < m / 2; ++i) {
        int a = order[static_cast<std::size_t>(slots[static_cast<std::size_t>(i)])];
        int b = order[static_cast<std::size_t>(slots[static_cast<std::size_t>(m - 1 - i)])];
        if (a != 0 && b != 0)
            pairs.emplace_back(a, b);
    }
    const int p = static_cast<int>(pairs.size());
    if (kind == Kind::Team) {
        for (const auto& [a, b] : pairs)
            tables.push_back({a, b});
        return tables;
    }
    const int tableCount = entrants / 4;
    if (tableCount == 0 || p == 0)
        return tables;
    // The pairs that sit out move on by their own number every round.
    const int offset = ((round - 1) * (p - 2 * tableCount)) % p;
    for (int t = 0; t < tableCount; ++t) {
        const auto& a = pairs[static_cast<std::size_t>((offset + 2 * t) % p)];
        const auto& b = pairs[static_cast<std::size_t>((offset + 2 * t + 1) % p)];
        tables.push_back({a.first, a.second, b.first, b.second});
    }
    return tables;
}

void generateTournament(TournamentState& st, const GeneratorOptions& o) {
    st = TournamentState();
    Random rnd(o.seed);
    const bool progressive = o.kind == Kind::Progressive;
    const int n = std::max(0, o.entrants);
    const int rounds = std::max(1, o.rounds);
    const int scored = std::clamp(o.scoredRounds, 0, rounds);

    TournamentSettings& t = st.settings;
    if (progressive)
        t.SetTypeProgressive();
    else
        t.SetTypeTeam();
    t.setTourneyTitle(o.title);
    t.setTourneyCode(o.code.empty() ? "GEN" + std::to_string(o.seed) : o.code);
    t.setSupportDir("SUP-" + t.TourneyCode());
    t.setTotalPlort(static_cast<std::int16_t>(n));
    t.setTotalRounds(static_cast<std::int16_t>(rounds));
    t.setCurrentRound(static_cast<std::int16_t>(std::min(scored + 1, rounds)));
    t.DeriveTotalTables();
    t.setBumpFee(o.bumpFee);
    t.setWoodFee(o.woodFee);
    t.setEntryFee(o.entryFee);
    t.setExpenses(o.expenses);

    // Entrants, as a loaded file gives them: every entrant has an alias entry, most of them empty.
    for (int id = 1; id <= n; ++id) {
        std::string name = static_cast<std::size_t>(id) <= o.names.size()
                               ? o.names[static_cast<std::size_t>(id - 1)]
                               : madeUpName(o.kind, id - 1);
        const EntrantId entrant{static_cast<std::int16_t>(id)};
        st.entrants.addName(entrant, name);
        std::string alias;
        if (o.aliasEvery > 0 && id % o.aliasEvery == 0)
            alias = std::string(kNick[static_cast<std::size_t>(id / o.aliasEvery) % kNick.size()]) +
                    std::to_string(id);
        st.entrantRecord(entrant).alias = alias;
    }
    st.seating.setProgressive(progressive);

    // Seating: a shuffled order of the entrants on the circle, a bye in the fixed slot when odd.
    std::vector<int> order;
    for (int id = 1; id <= n; ++id)
        order.push_back(id);
    for (std::size_t i = order.size(); i > 1; --i)
        std::swap(order[i - 1], order[static_cast<std::size_t>(rnd.below(static_cast<int>(i)))]);
    if (n % 2 == 1)
        order.insert(order.begin(), 0);

    std::vector<int> total(static_cast<std::size_t>(n) + 1, 0);
    std::vector<int> maxLones(static_cast<std::size_t>(n) + 1, 0);
    for (int r = 1; r <= rounds; ++r) {
        auto tables = seatRound(o.kind, n, r, order);
        for (std::size_t ti = 0; ti < tables.size(); ++ti) {
            const auto& seats = tables[ti];
            SeatedTable table;
            for (std::size_t i = 0; i < seats.size(); ++i)
                table.seats[i] = EntrantId{static_cast<std::int16_t>(seats[i])};
            st.addTable(RoundNo{static_cast<std::int16_t>(r)}, table);
            if (r > scored)
                continue;
            auto [a, b] = gameScores(rnd);
            for (std::size_t i = 0; i < seats.size(); ++i) {
                bool firstSide = progressive ? i < 2 : i == 0;
                int score = firstSide ? a : b;
                int id = seats[i];
                st.setScore(RoundNo{static_cast<std::int16_t>(r)},
                            EntrantId{static_cast<std::int16_t>(id)}, score);
                total[static_cast<std::size_t>(id)] += score;
                maxLones[static_cast<std::size_t>(id)] += score / 4;
            }
        }
    }

    if (scored == 0)
        return;
    for (int id = 1; id <= n; ++id) {
        int cap = std::min(maxLones[static_cast<std::size_t>(id)], 3);
        EntrantRecord& record = st.entrantRecord(EntrantId{static_cast<std::int16_t>(id)});
        if (cap > 0 && rnd.below(3) == 0)
            record.lones = 1 + rnd.below(cap);
        // A file gives an entrant with any fine all three entries: bumps, woods, paid.
        int bumps = rnd.below(4) == 0 ? 1 + rnd.below(3) : 0;
        int woods = rnd.below(6) == 0 ? 1 + rnd.below(2) : 0;
        bool paidAhead = bumps == 0 && woods == 0 && rnd.below(20) == 0;
        if (bumps == 0 && woods == 0 && !paidAhead)
            continue;
        record.bumps = bumps;
        record.woods = woods;
        record.paid = paidAhead || rnd.below(2) == 0 ? 1 : 0;
    }
}

namespace {
std::string optionalText(const std::optional<std::int32_t>& v) {
    return v ? std::to_string(*v) : std::string("-");
}
} // namespace

std::string dumpTournament(const TournamentState& st) {
    const TournamentSettings& t = st.settings;
    std::string out;
    out += "type " + std::to_string(t.TourneyType()) + "/" + std::to_string(t.TourneyType()) + "/" +
           t.TourneyTypeLabel() + "\n";
    out += "title [" + t.TourneyTitle() + "] jackpot [" + t.StoredJackpotTitle() + "]\n";
    out += "code [" + t.TourneyCode() + "] support [" + t.SupportDir() + "]\n";
    out += "entrants " + std::to_string(t.TotalPlort()) + " tables " +
           std::to_string(t.TotalTables()) + " rounds " + std::to_string(t.TotalRounds()) +
           " current " + std::to_string(t.CurrentRound()) + "\n";
    out += "fees " + formatGeneral(t.BumpFee()) + " " + formatGeneral(t.WoodFee()) + " " +
           formatGeneral(t.EntryFee()) + " expenses " + formatGeneral(t.Expenses()) + "\n";
    out += "payout " + std::to_string(st.payout.PayoutOption) + " count " +
           std::to_string(st.payout.CustomPayoutCount) + ":";
    for (double a : st.payout.CustomPayouts)
        out += " " + formatGeneral(a);
    out += "\nnames in order\n";
    for (EntrantId id : st.idsByName())
        out += "  " + st.nameOf(id) + "~" + idText(id) + "\n";
    out += "names as read\n";
    for (EntrantId id : st.entrants.inFileOrder())
        out += "  " + st.nameOf(id) + "~" + idText(id) + "\n";
    std::vector<const EntrantRecord*> records;
    for (const EntrantRecord& r : st.entrants.records())
        records.push_back(&r);
    std::sort(records.begin(), records.end(), [](const EntrantRecord* a, const EntrantRecord* b) {
        return num(a->id) < num(b->id);
    });
    out += "entrants\n";
    for (const EntrantRecord* r : records)
        out += "  " + idText(r->id) + " name [" + r->name.value_or("-") + "] alias [" +
               r->alias.value_or("-") + "] lones " + optionalText(r->lones) + " bumps " +
               optionalText(r->bumps) + " woods " + optionalText(r->woods) + " paid " +
               optionalText(r->paid) + "\n";
    out += "seating\n";
    for (int r = 1; r <= st.seating.roundCount(); ++r) {
        out += "  round " + std::to_string(r) + ":";
        for (const SeatedTable& t : st.seating.tables(RoundNo{static_cast<std::int16_t>(r)})) {
            out += " [";
            for (int seat = 0; seat < st.seating.seatsPerTable(); ++seat)
                out += (seat ? " " : "") +
                       std::to_string(num(t.seats[static_cast<std::size_t>(seat)]));
            out += "]";
        }
        out += "\n";
    }
    std::vector<std::string> scores;
    st.scores.forEach([&](RoundNo round, int slot, int score) {
        scores.push_back("  " + fmt00(num(round)) + " " + idText(st.entrants.atSlot(slot).id) +
                         " = " + std::to_string(score));
    });
    std::sort(scores.begin(), scores.end());
    out += "scores (" + std::to_string(scores.size()) + ")\n";
    for (const std::string& line : scores)
        out += line + "\n";
    return out;
}

} // namespace rh::test
