#include "persistence/tournament_reader.h"

#include "core/errors.h"
#include "core/text.h"
#include "persistence/atomic_file.h"
#include "persistence/code_page.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>
#include <optional>
#include <string_view>
#include <vector>

namespace rh {

namespace {

using xml::child;
using xml::hasChildren;
using xml::textOf;

// A section that names an element it then lacks (the "Players" of "Scores").
RhError missingElement() {
    return RhError(91, "Object variable or With block variable not set");
}

// Any failure inside a section as the error the director is shown.
RhError currentError() {
    try {
        throw;
    } catch (const RhError& e) {
        return e;
    } catch (const std::bad_alloc&) {
        return RhError(err::OutOfMemory);
    } catch (const std::exception& e) {
        return RhError(err::InvalidCall, e.what());
    }
}

// The finding of a section that stopped at the error being handled.
ReadFinding sectionError(const char* title) {
    return {title, commonErrorText(currentError()), true};
}

template <typename Visit> void forEachElement(pugi::xml_node parent, Visit&& visit) {
    for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element)
            visit(c);
}

// A money amount of the file: a finite number no further from 0 than a billion. Anything else is
// a reading error of its field.
constexpr double kMaxAmount = 1e9;
bool tryParseAmount(std::string_view text, double& value) {
    double v = 0;
    if (!tryParseDecimal(text, v) || !(std::fabs(v) <= kMaxAmount))
        return false;
    value = v;
    return true;
}

std::int16_t int16Of(pugi::xml_node node) {
    if (!node.first_child()) {
        // The usual element: its own value, a number of up to four digits.
        const char* text = node.value();
        int v = 0;
        int digits = 0;
        for (; digits < 5 && text[digits] >= '0' && text[digits] <= '9'; ++digits)
            v = v * 10 + (text[digits] - '0');
        if (digits >= 1 && digits <= 4 && text[digits] == '\0')
            return static_cast<std::int16_t>(v);
    }
    return xml::withTextOf(node, [](std::string_view text) { return toInt16(text); });
}

// Whether two element names are the same (short texts: compared in place).
bool sameName(const char* a, const char* b) {
    while (*a == *b && *a != '\0') {
        ++a;
        ++b;
    }
    return *a == *b;
}

// The first child element of each name, found in one pass over the children.
template <std::size_t N>
std::array<pugi::xml_node, N> childrenNamed(pugi::xml_node parent,
                                            const std::array<const char*, N>& names) {
    std::array<pugi::xml_node, N> found{};
    std::array<bool, N> seen{};
    std::size_t missing = N;
    for (pugi::xml_node c = parent.first_child(); c && missing > 0; c = c.next_sibling()) {
        const char* name = c.name(); // "" for text
        for (std::size_t k = 0; k < N; ++k)
            if (!seen[k] && sameName(name, names[k])) {
                found[k] = c;
                seen[k] = true;
                --missing;
                break;
            }
    }
    return found;
}

// Reads the integers of the named children, in the order of the names, into the values of the
// children present; the others keep theirs.
template <std::size_t N>
void readPresent(pugi::xml_node parent, const std::array<const char*, N>& names,
                 const std::array<std::int16_t*, N>& values) {
    const auto nodes = childrenNamed(parent, names);
    for (std::size_t k = 0; k < N; ++k)
        if (nodes[k])
            *values[k] = int16Of(nodes[k]);
}

// The counter of rounds or tables as a 16-bit number (a file with more than 32767 of them is an
// overflow of the section).
std::int16_t counter16(long value) {
    return toInt16(static_cast<double>(value));
}

// Adds one table; it is checked first, so that a rejected table leaves nothing behind. An entrant
// seated twice in one round is refused.
template <std::size_t N>
void addTable(TournamentState& st, RoundNo round, const std::array<std::int16_t, N>& ids) {
    SeatedTable table;
    for (std::size_t i = 0; i < N; ++i) {
        for (std::size_t j = 0; j < i; ++j)
            if (ids[i] == ids[j])
                throw RhError(err::DuplicateKey);
        const int slot = st.entrants.slotOf(EntrantId{ids[i]});
        if (slot >= 0 && st.seating.isSeated(round, slot))
            throw RhError(err::DuplicateKey);
        table.seats[i] = EntrantId{ids[i]};
    }
    st.addTable(round, table);
}

// A table must seat exactly as many entrants as the kind allows. More is an error of the file;
// fewer is rejected as well, rather than filling the empty seats with a previous table's players.
RhError tooManySeats() {
    return RhError(err::BadIndex);
}
RhError tooFewSeats() {
    return RhError(err::InvalidCall);
}

// The text of a section in the plain shape the writer gives it, read element by element. Every
// step either takes exactly what it expects or fails, leaving the section to the tree. Tags are
// given whole ("<Player>"), so each comparison has a length known when compiling.
class PlainText {
public:
    PlainText(std::string_view text, std::size_t at) : m_text(text), m_at(at) {}

    std::size_t position() const { return m_at; }

    /// The tag after white space.
    template <std::size_t N> bool open(const char (&tag)[N]) {
        skipSpace();
        return take(tag);
    }
    template <std::size_t N> bool close(const char (&tag)[N]) { return open(tag); }
    /// Whether the tag comes next (after white space), without taking it.
    template <std::size_t N> bool next(const char (&tag)[N]) {
        skipSpace();
        return m_text.size() - m_at >= N - 1 && std::memcmp(m_text.data() + m_at, tag, N - 1) == 0;
    }
    /// The opening tag, one to four digits, the closing tag, with nothing else between.
    template <std::size_t A, std::size_t B>
    bool number(const char (&opening)[A], const char (&closing)[B], std::int16_t& value) {
        if (!open(opening))
            return false;
        int v = 0;
        std::size_t digits = 0;
        while (m_at < m_text.size() && digits < 5 && m_text[m_at] >= '0' && m_text[m_at] <= '9') {
            v = v * 10 + (m_text[m_at++] - '0');
            ++digits;
        }
        if (digits < 1 || digits > 4 || !take(closing))
            return false;
        value = static_cast<std::int16_t>(v);
        return true;
    }

private:
    // White space between elements is no text of the tree's (the parser drops it).
    void skipSpace() {
        while (m_at < m_text.size() && (m_text[m_at] == ' ' || m_text[m_at] == '\t' ||
                                        m_text[m_at] == '\r' || m_text[m_at] == '\n'))
            ++m_at;
    }
    template <std::size_t N> bool take(const char (&tag)[N]) {
        constexpr std::size_t n = N - 1;
        if (m_text.size() - m_at < n || std::memcmp(m_text.data() + m_at, tag, n) != 0)
            return false;
        m_at += n;
        return true;
    }

    std::string_view m_text;
    std::size_t m_at;
};

// Progressive: <Table> then two <Team>s of <Players> with two <Player>s each. Team: <Table> then
// <Teams> with two <Team>s.
bool readPlainTable(PlainText& in, bool progressive, std::array<std::int16_t, 4>& seats) {
    if (!in.open("<Table>"))
        return false;
    if (progressive) {
        for (std::size_t side = 0; side < 2; ++side)
            if (!in.open("<Team>") || !in.open("<Players>") ||
                !in.number("<Player>", "</Player>", seats[2 * side]) ||
                !in.number("<Player>", "</Player>", seats[2 * side + 1]) ||
                !in.close("</Players>") || !in.close("</Team>"))
                return false;
    } else if (!in.open("<Teams>") || !in.number("<Team>", "</Team>", seats[0]) ||
               !in.number("<Team>", "</Team>", seats[1]) || !in.close("</Teams>")) {
        return false;
    }
    return in.close("</Table>");
}

// Both answer the end of the section (after its closing tag) when they read it whole, else 0.
std::size_t readPlainRoster(std::string_view text, std::size_t tag, PlainSections& out) {
    if (tag == 0)
        return 0;
    PlainText in(text, tag - 1);
    if (!in.open("<RosterRounds>"))
        return 0;
    // The kind shows in the first table: "<Teams>" or "<Team>" after it.
    PlainText probe = in;
    if (!probe.open("<Round>") || !probe.open("<Tables>") || !probe.open("<Table>"))
        return 0;
    out.progressive = !probe.next("<Teams>");
    long round = 0;
    do {
        if (!in.open("<Round>") || !in.open("<Tables>"))
            return 0;
        ++round;
        do {
            PlainSections::Table table;
            table.round = round;
            if (!readPlainTable(in, out.progressive, table.seats))
                return 0;
            out.tables.push_back(table);
        } while (!in.next("</Tables>"));
        if (!in.close("</Tables>") || !in.close("</Round>"))
            return 0;
    } while (!in.next("</RosterRounds>"));
    return in.close("</RosterRounds>") ? in.position() : 0;
}

std::size_t readPlainScores(std::string_view text, std::size_t tag, PlainSections& out) {
    if (tag == 0)
        return 0;
    PlainText in(text, tag - 1);
    if (!in.open("<Scores>") || !in.open("<Players>"))
        return 0;
    do {
        std::array<std::int16_t, 3> entry{};
        if (!in.open("<Player>") || !in.number("<Round>", "</Round>", entry[0]) ||
            !in.number("<PlayerID>", "</PlayerID>", entry[1]) ||
            !in.number("<Score>", "</Score>", entry[2]) || !in.close("</Player>"))
            return 0;
        out.scores.push_back(entry);
    } while (!in.next("</Players>"));
    return in.close("</Players>") && in.close("</Scores>") ? in.position() : 0;
}

} // namespace

std::string ReadDataFile(const std::string& path) {
    return fileBytesToText(readWholeFile(path));
}

std::size_t readPlainSection(PlainSections& plain, std::string_view text, std::size_t section,
                             std::size_t at) {
    const std::string_view name = XmlDocument::sectionNames()[section];
    std::size_t end = 0;
    if (name == "RosterRounds") {
        end = readPlainRoster(text, at, plain);
        plain.rosterRead = end != 0;
        if (!plain.rosterRead)
            plain.tables.clear();
    } else if (name == "Scores") {
        end = readPlainScores(text, at, plain);
        plain.scoresRead = end != 0;
        if (!plain.scoresRead)
            plain.scores.clear();
    }
    return end != 0 ? end : at;
}

void ProcessTournamentInfo(const XmlDocument& doc, TournamentSettings& t) {
    pugi::xml_node info = doc.section("TournamentInfo");
    if (!hasChildren(info))
        return;
    // Each child on its own: a missing or unreadable one leaves its field as it was.
    auto text = [&](const char* name, std::string& out) {
        pugi::xml_node n = child(info, name);
        if (!n)
            return false;
        out = textOf(n);
        return true;
    };
    auto decimal = [&](const char* name, double& out) {
        std::string s;
        return text(name, s) && tryParseAmount(s, out);
    };
    auto int16 = [&](const char* name, std::int16_t& out) {
        std::string s;
        if (!text(name, s))
            return false;
        try {
            out = toInt16(s);
            return true;
        } catch (const RhError&) {
            return false;
        }
    };
    std::string s;
    double d = 0;
    std::int16_t n = 0;
    if (text("TournamentType", s))
        t.SetTourneyTypeFromStr(s);
    if (text("Title", s))
        t.setTourneyTitle(s);
    if (text("JackpotTitle", s))
        t.setJackpotTitle(s);
    if (decimal("BumpFee", d))
        t.setBumpFee(d);
    if (decimal("WoodFee", d))
        t.setWoodFee(d);
    if (decimal("EntryFee", d))
        t.setEntryFee(d);
    if (decimal("Expenses", d))
        t.setExpenses(d);
    if (text("TourneyCode", s))
        t.setTourneyCode(s);
    if (text("SupportDir", s))
        t.setSupportDir(s);
    if (int16("TotalPlayers", n))
        t.setTotalPlort(n);
    if (int16("TotalRounds", n))
        t.setTotalRounds(n);
    if (int16("CurrentRound", n))
        t.setCurrentRound(n);
    t.DeriveTotalTables();
}

void ProcessFeesPayout(const XmlDocument& doc, PayoutSettings& payout, ReadFindings& findings) {
    try {
        pugi::xml_node fees = doc.section("FeesPayout");
        if (!hasChildren(fees))
            return;
        pugi::xml_node pay = child(fees, "Payout");
        if (!hasChildren(pay))
            return;
        pugi::xml_node custom = child(pay, "Custom");
        if (!hasChildren(custom))
            return;
        pugi::xml_node value = child(custom, "Value");
        if (!value)
            return;
        std::int16_t option = int16Of(value);
        payout.PayoutOption = option == 0 ? 0 : 1;
        if (option == 0)
            return;
        pugi::xml_node values = child(pay, "CustomValues");
        if (!hasChildren(values))
            return;
        std::int16_t count = toInt16(values.attribute("Count").value());
        // The amounts live in a table of eight; a count outside it would send the payout
        // calculation past the table's end.
        if (count < 0 || count > static_cast<int>(payout.CustomPayouts.size()))
            throw RhError(err::BadIndex);
        payout.CustomPayoutCount = count;
        std::size_t i = 0;
        forEachElement(values, [&](pugi::xml_node v) {
            if (i >= payout.CustomPayouts.size())
                throw RhError(err::BadIndex);
            double amount = 0;
            if (!tryParseAmount(textOf(v), amount))
                throw RhError(err::TypeMismatch);
            payout.CustomPayouts[i++] = amount;
        });
    } catch (...) {
        findings.push_back({{}, kFeesPayoutError});
    }
}

void ProcessPlayers(const XmlDocument& doc, TournamentState& st, ReadFindings& findings) {
    // Each section first empties what it reads into, so reading over a tournament read before
    // (a recovery copy after a damaged file) leaves nothing of the first.
    st.entrants.clearNames();
    try {
        pugi::xml_node keys = doc.section("PlayerKeys");
        if (!hasChildren(keys))
            return;
        forEachElement(keys, [&](pugi::xml_node key) {
            if (!hasChildren(key))
                return;
            const auto [nameNode, idNode, aliasNode] =
                childrenNamed<3>(key, {"PlayerName", "PlayerID", "PlayerAlias"});
            if (!nameNode || !idNode)
                return;
            const EntrantId id{int16Of(idNode)};
            // A repeated ID is refused before the entrant is listed anywhere, so the name list
            // never shows one ID twice.
            if (!st.entrants.addName(id, trim(textOf(nameNode))))
                throw RhError(err::DuplicateKey);
            if (aliasNode)
                st.entrantRecord(id).alias = trim(textOf(aliasNode));
        });
    } catch (...) {
        RhError e = currentError();
        findings.push_back({{}, kPlayersError + std::to_string(e.number())});
    }
}

void ProcessRoster(const XmlDocument& doc, TournamentState& st, ReadFindings& findings,
                   const PlainSections* plain) {
    st.seating.clear();
    try {
        pugi::xml_node rounds = doc.section("RosterRounds");
        if (!hasChildren(rounds))
            return;
        bool progressive = st.isProgressive();
        st.seating.setProgressive(progressive);
        if (plain && plain->rosterRead && plain->progressive == progressive &&
            doc.sectionAtTag("RosterRounds")) {
            // The same tables in the same order as the tree holds them, counted the same way.
            long round = 0, table = 0;
            for (const PlainSections::Table& t : plain->tables) {
                if (t.round != round) {
                    round = t.round;
                    counter16(round);
                    table = 0;
                }
                ++table;
                counter16(table);
                if (progressive)
                    addTable(st, RoundNo{counter16(round)}, t.seats);
                else
                    addTable(st, RoundNo{counter16(round)},
                             std::array<std::int16_t, 2>{t.seats[0], t.seats[1]});
            }
            return;
        }
        long round = 0;
        forEachElement(rounds, [&](pugi::xml_node roundNode) {
            if (!hasChildren(roundNode))
                return;
            ++round;
            counter16(round);
            pugi::xml_node tables = child(roundNode, "Tables");
            if (!hasChildren(tables))
                return;
            long table = 0;
            forEachElement(tables, [&](pugi::xml_node tableNode) {
                if (!hasChildren(tableNode))
                    return;
                ++table;
                counter16(table);
                if (progressive) {
                    std::array<std::int16_t, 4> seats{};
                    std::size_t filled = 0;
                    forEachElement(tableNode, [&](pugi::xml_node side) {
                        forEachElement(child(side, "Players"), [&](pugi::xml_node player) {
                            if (filled == seats.size())
                                throw tooManySeats();
                            seats[filled++] = int16Of(player);
                        });
                    });
                    if (filled < seats.size())
                        throw tooFewSeats();
                    addTable(st, RoundNo{counter16(round)}, seats);
                } else {
                    std::array<std::int16_t, 2> teams{};
                    std::size_t filled = 0;
                    forEachElement(child(tableNode, "Teams"), [&](pugi::xml_node team) {
                        if (filled == teams.size())
                            throw tooManySeats();
                        teams[filled++] = int16Of(team);
                    });
                    if (filled < teams.size())
                        throw tooFewSeats();
                    addTable(st, RoundNo{counter16(round)}, teams);
                }
            });
        });
    } catch (...) {
        findings.push_back(sectionError(kRosterTitle));
    }
}

void ProcessScores(const XmlDocument& doc, TournamentState& st, ReadFindings& findings,
                   const PlainSections* plain) {
    st.scores.clear();
    try {
        pugi::xml_node scores = doc.section("Scores");
        if (!hasChildren(scores))
            return;
        pugi::xml_node players = child(scores, "Players");
        if (!players)
            throw missingElement();
        st.scores.reserve(std::min<int>(st.settings.TotalRounds(), ScoreTable::kDenseRounds),
                          st.entrants.slotCount());
        if (plain && plain->scoresRead && doc.sectionAtTag("Scores")) {
            for (const auto& [round, id, score] : plain->scores)
                st.setScore(RoundNo{round}, EntrantId{id}, score);
            return;
        }
        // A value missing from an entry keeps the one read for the previous entry.
        std::int16_t round = 0, id = 0, score = 0;
        forEachElement(players, [&](pugi::xml_node p) {
            if (hasChildren(p)) {
                readPresent<3>(p, {"Round", "PlayerID", "Score"}, {&round, &id, &score});
            }
            st.setScore(RoundNo{round}, EntrantId{id}, score);
        });
    } catch (...) {
        findings.push_back(sectionError(kScoresTitle));
    }
}

void ProcessBumps(const XmlDocument& doc, TournamentState& st, ReadFindings& findings) {
    st.entrants.clearFines();
    try {
        pugi::xml_node bumps = doc.section("Bumps");
        if (!hasChildren(bumps))
            return;
        pugi::xml_node players = child(bumps, "Players");
        if (!hasChildren(players))
            return;
        std::int16_t id = 0, bump = 0, wood = 0, paid = 0;
        forEachElement(players, [&](pugi::xml_node p) {
            if (hasChildren(p)) {
                readPresent<4>(p, {"PlayerID", "Bump", "Wood", "Paid"}, {&id, &bump, &wood, &paid});
            }
            EntrantRecord& r = st.entrantRecord(EntrantId{id});
            r.bumps = bump;
            r.woods = wood;
            r.paid = paid;
        });
    } catch (...) {
        findings.push_back(sectionError(kBumpsTitle));
    }
}

void ProcessLones(const XmlDocument& doc, TournamentState& st, ReadFindings& findings) {
    st.entrants.clearLones();
    try {
        pugi::xml_node lones = doc.section("Lones");
        if (!hasChildren(lones))
            return;
        pugi::xml_node players = child(lones, "Players");
        if (!hasChildren(players))
            return;
        std::int16_t id = 0, lone = 0;
        forEachElement(players, [&](pugi::xml_node p) {
            if (hasChildren(p)) {
                readPresent<2>(p, {"PlayerID", "Lone"}, {&id, &lone});
            }
            st.entrantRecord(EntrantId{id}).lones = lone;
        });
    } catch (...) {
        findings.push_back(sectionError(kLonesTitle));
    }
}

void ProcessEntryFees(const XmlDocument& doc, TournamentState& st, ReadFindings& findings) {
    for (const EntrantRecord& r : st.entrants.records())
        if (r.entryFeePaid)
            st.entrantRecord(r.id).entryFeePaid.reset();
    try {
        pugi::xml_node fees = doc.section("EntryFees");
        if (!hasChildren(fees))
            return;
        pugi::xml_node players = child(fees, "Players");
        if (!hasChildren(players))
            return;
        forEachElement(players, [&](pugi::xml_node p) {
            const auto [idNode, paidNode] = childrenNamed<2>(p, {"PlayerID", "Paid"});
            // An entry without both says nothing of anybody's fee.
            if (!idNode || !paidNode)
                return;
            const std::int16_t id = int16Of(idNode);
            const std::int16_t paid = int16Of(paidNode);
            if (paid != 0 && paid != 1)
                throw RhError(err::InvalidCall);
            st.entrantRecord(EntrantId{id}).entryFeePaid = paid == 1;
        });
    } catch (...) {
        findings.push_back(sectionError(kEntryFeesTitle));
    }
}

namespace {

// Up to ten values of a finding, then how many more.
std::string listed(const std::vector<std::string>& values) {
    constexpr std::size_t kShown = 10;
    std::string out;
    const std::size_t shown = std::min(values.size(), kShown);
    for (std::size_t i = 0; i < shown; ++i) {
        if (i > 0)
            out += i + 1 == shown && values.size() <= kShown ? " and " : ", ";
        out += values[i];
    }
    if (values.size() > kShown)
        out += " and " + std::to_string(values.size() - kShown) + " more";
    return out;
}

class ReadCheck {
public:
    ReadCheck(TournamentState& st, ReadFindings& findings, bool countStated)
        : m_st(st), m_findings(findings), m_countStated(countStated) {}

    void run() {
        countFromEntrants();
        seatsInRange();
        namesInRange();
        scoresInRange();
        countsInRange();
        countFromEntrants();
        feesNotNegative();
        totalsInRange();
        partnersAgree();
    }

private:
    int entrants() const { return m_st.settings.TotalPlort(); }
    bool inRange(EntrantId id) const { return num(id) >= 1 && num(id) <= entrants(); }
    std::string entrantsText() const {
        return std::to_string(entrants()) + (m_st.isProgressive() ? " players" : " teams");
    }
    void report(const char* title, const std::string& text) { m_findings.push_back({title, text}); }
    void reportIds(const char* title, const char* section, const std::vector<std::string>& ids) {
        if (!ids.empty())
            report(title, std::string(section) + ": PlayerID " + listed(ids) +
                              (ids.size() == 1 ? " is" : " are") + " not one of the " +
                              entrantsText() + "; left out.");
    }
    std::vector<RoundNo> rounds() const {
        std::vector<RoundNo> out;
        for (int r = 1; r <= m_st.seating.roundCount(); ++r)
            out.push_back(RoundNo{static_cast<std::int16_t>(r)});
        return out;
    }

    // The entrants are those the file holds something of: a name, a seat, a score or a count. A
    // TotalPlayers above the highest of them would add blank entrants paying into the prize pool;
    // one that differs from entrants held without a gap as 1..n gives way to n. Otherwise the IDs
    // are checked one by one (and, once those beyond are left out, the count again).
    void countFromEntrants() {
        std::vector<bool> held(m_st.entrants.slotCount());
        m_st.scores.forEach(
            [&](RoundNo, int slot, int) { held[static_cast<std::size_t>(slot)] = true; });
        for (RoundNo round : rounds())
            for (const SeatedTable& t : m_st.seating.tables(round))
                for (int s = 0; s < m_st.seating.seatsPerTable(); ++s) {
                    const int slot = m_st.entrants.slotOf(t.seats[static_cast<std::size_t>(s)]);
                    if (slot >= 0)
                        held[static_cast<std::size_t>(slot)] = true;
                }
        int highest = 0, count = 0;
        for (std::size_t slot = 0; slot < held.size(); ++slot) {
            const EntrantRecord& r = m_st.entrants.atSlot(static_cast<int>(slot));
            const bool has =
                held[slot] || r.name || r.lones || r.bumps || r.woods || r.paid || r.entryFeePaid;
            if (!has || num(r.id) < 1)
                continue;
            ++count;
            highest = std::max<int>(highest, num(r.id));
        }
        if (highest == 0 || highest == entrants() || (highest > entrants() && count != highest))
            return;
        const std::string said =
            m_countStated
                ? "TotalPlayers " + std::to_string(entrants()) + " is not what the file holds: "
                : std::string("TotalPlayers is missing or no number: ");
        const std::string holds =
            count != highest
                ? "no entrant above " + std::to_string(highest) + " has a name, a seat or an entry"
            : highest == 1 ? "entrant 1 alone is in the file"
                           : "entrants 1 to " + std::to_string(highest) + " are in the file";
        report(kInfoTitle, said + holds + ", and " + std::to_string(highest) + " is used.");
        m_st.settings.setTotalPlort(static_cast<std::int16_t>(highest));
        m_st.settings.DeriveTotalTables();
    }

    // A table with a seat for no entrant of the tournament is left out whole: its partners and
    // opponents cannot be told.
    void seatsInRange() {
        std::vector<std::pair<RoundNo, SeatedTable>> kept;
        std::vector<std::string> bad;
        for (RoundNo round : rounds()) {
            int table = 0;
            for (const SeatedTable& t : m_st.seating.tables(round)) {
                ++table;
                bool ok = true;
                for (int s = 0; s < m_st.seating.seatsPerTable(); ++s)
                    if (!inRange(t.seats[static_cast<std::size_t>(s)])) {
                        ok = false;
                        bad.push_back(std::to_string(num(t.seats[static_cast<std::size_t>(s)])) +
                                      " (round " + std::to_string(num(round)) + ", table " +
                                      std::to_string(table) + ")");
                    }
                if (ok)
                    kept.emplace_back(round, t);
            }
        }
        if (bad.empty())
            return;
        report(kRosterTitle, "RosterRounds: a seat for Player " + listed(bad) +
                                 ", not one of the " + entrantsText() + "; the table is left out.");
        const bool progressive = m_st.seating.progressive();
        m_st.seating.clear();
        m_st.seating.setProgressive(progressive);
        for (const auto& [round, table] : kept)
            m_st.addTable(round, table);
    }

    void namesInRange() {
        const std::vector<EntrantId> named = m_st.entrants.inFileOrder();
        std::vector<std::pair<EntrantId, std::string>> kept;
        std::vector<std::string> bad;
        for (EntrantId id : named) {
            if (inRange(id))
                kept.emplace_back(id, m_st.nameOf(id));
            else
                bad.push_back(std::to_string(num(id)) + " (" + m_st.nameOf(id) + ")");
        }
        if (bad.empty())
            return;
        reportIds("", "PlayerKeys", bad);
        // Named again in the file's order, so equal names keep their order.
        m_st.entrants.clearNames();
        for (auto& [id, name] : kept)
            m_st.entrants.addName(id, std::move(name));
    }

    void scoresInRange() {
        std::vector<std::pair<RoundNo, EntrantId>> leftOut;
        std::vector<std::string> badRounds, badIds;
        const int totalRounds = m_st.settings.TotalRounds();
        m_st.scores.forEach([&](RoundNo round, int slot, int) {
            const EntrantId id = m_st.entrants.atSlot(slot).id;
            const bool roundOk = num(round) >= 1 && num(round) <= totalRounds;
            if (!roundOk)
                addOnce(badRounds, std::to_string(num(round)));
            if (!inRange(id))
                addOnce(badIds, std::to_string(num(id)));
            if (!roundOk || !inRange(id))
                leftOut.emplace_back(round, id);
        });
        for (const auto& [round, id] : leftOut)
            m_st.setScore(round, id, std::nullopt);
        if (!badRounds.empty())
            report(kScoresTitle, "Scores: Round " + listed(badRounds) +
                                     (badRounds.size() == 1 ? " is" : " are") +
                                     " not one of the rounds 1 to " + std::to_string(totalRounds) +
                                     "; left out.");
        reportIds(kScoresTitle, "Scores", badIds);
    }

    void countsInRange() {
        std::vector<std::string> badFines, badLones, badFees;
        for (const EntrantRecord& r : m_st.entrants.records()) {
            if (inRange(r.id))
                continue;
            EntrantRecord& w = m_st.entrantRecord(r.id);
            const std::string id = std::to_string(num(r.id));
            if (w.bumps || w.woods || w.paid)
                badFines.push_back(id);
            if (w.lones)
                badLones.push_back(id);
            if (w.entryFeePaid)
                badFees.push_back(id);
            w.bumps.reset();
            w.woods.reset();
            w.paid.reset();
            w.lones.reset();
            w.entryFeePaid.reset();
        }
        reportIds(kBumpsTitle, "Bumps", badFines);
        reportIds(kLonesTitle, "Lones", badLones);
        reportIds(kEntryFeesTitle, "EntryFees", badFees);
    }

    void feesNotNegative() {
        TournamentSettings& t = m_st.settings;
        struct Fee {
            const char* name;
            double value;
            void (TournamentSettings::*set)(double);
        } fees[] = {{"BumpFee", t.BumpFee(), &TournamentSettings::setBumpFee},
                    {"WoodFee", t.WoodFee(), &TournamentSettings::setWoodFee},
                    {"EntryFee", t.EntryFee(), &TournamentSettings::setEntryFee},
                    {"Expenses", t.Expenses(), &TournamentSettings::setExpenses}};
        for (const Fee& f : fees)
            if (f.value < 0) {
                report(kInfoTitle, std::string(f.name) + " " + formatGeneral(f.value) +
                                       " is below 0; 0 is used.");
                (t.*f.set)(0);
            }
    }

    // Partners play one game: their scores of a round should be one score. When they differ the
    // load cannot tell which is right; nothing is thrown away (both stay as entered, each
    // counting for its own player, as the Validate Score window lists them) and the director is
    // told to settle them.
    void partnersAgree() {
        if (!m_st.isProgressive())
            return;
        std::vector<std::string> bad;
        for (RoundNo round : rounds())
            for (const SeatedTable& t : m_st.seating.tables(round))
                for (std::size_t side = 0; side < 4; side += 2) {
                    const EntrantId a = t.seats[side], b = t.seats[side + 1];
                    const auto sa = m_st.score(round, a), sb = m_st.score(round, b);
                    if (sa && sb && *sa != *sb)
                        bad.push_back("round " + std::to_string(num(round)) + ": PlayerID " +
                                      std::to_string(num(a)) + " has " + std::to_string(*sa) +
                                      ", partner PlayerID " + std::to_string(num(b)) + " has " +
                                      std::to_string(*sb));
                }
        if (!bad.empty())
            report(kScoresTitle, "Scores: partners with different scores (" + listed(bad) +
                                     "); each player's own score counts until the two are "
                                     "made one.");
    }

    // The standings hold a total in 16 bits: an entrant whose scores add up beyond that keeps
    // none of them, rather than leaving the standings empty.
    void totalsInRange() {
        std::vector<std::string> bad;
        for (int n = 1; n <= entrants(); ++n) {
            const EntrantId id{static_cast<std::int16_t>(n)};
            const int slot = m_st.entrants.slotOf(id);
            if (slot < 0)
                continue;
            const std::int64_t total = m_st.scores.total(slot, m_st.currentRound());
            if (total >= INT16_MIN && total <= INT16_MAX)
                continue;
            bad.push_back(std::to_string(n) + " (" + std::to_string(total) + ")");
            for (int r = 1; r <= m_st.currentRound(); ++r)
                m_st.setScore(RoundNo{static_cast<std::int16_t>(r)}, id, std::nullopt);
        }
        if (!bad.empty())
            report(kScoresTitle, "Scores: the total of PlayerID " + listed(bad) +
                                     " is beyond 32767; those scores are left out.");
    }

    static void addOnce(std::vector<std::string>& values, std::string value) {
        if (std::find(values.begin(), values.end(), value) == values.end())
            values.push_back(std::move(value));
    }

    TournamentState& m_st;
    ReadFindings& m_findings;
    bool m_countStated;
};

} // namespace

void checkWhatWasRead(TournamentState& state, ReadFindings& findings, bool countStated) {
    ReadCheck(state, findings, countStated).run();
}

ReadFindings readTournament(const XmlDocument& doc, TournamentState& state,
                            const PlainSections* plain) {
    ReadFindings findings;
    ProcessTournamentInfo(doc, state.settings);
    ProcessFeesPayout(doc, state.payout, findings);
    ProcessPlayers(doc, state, findings);
    ProcessRoster(doc, state, findings, plain);
    ProcessScores(doc, state, findings, plain);
    ProcessBumps(doc, state, findings);
    ProcessLones(doc, state, findings);
    ProcessEntryFees(doc, state, findings);
    // A TotalPlayers that cannot be read leaves the count a reset gives: the checks say so.
    TournamentSettings stated;
    stated.setTotalPlort(INT16_MIN);
    ProcessTournamentInfo(doc, stated);
    checkWhatWasRead(state, findings, stated.TotalPlort() != INT16_MIN);
    return findings;
}

} // namespace rh
