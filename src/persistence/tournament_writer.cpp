#include "persistence/tournament_writer.h"

#include "core/errors.h"
#include "core/text.h"
#include "persistence/atomic_file.h"
#include "persistence/code_page.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <new>
#include <tuple>
#include <vector>

namespace rh {

namespace {

class Emitter {
public:
    Emitter(std::string& out, bool asciiOnly) : m_out(out), m_asciiOnly(asciiOnly) {}

    void open(int depth, std::string_view name) {
        newLine(depth);
        m_out += '<';
        m_out += name;
        m_out += '>';
    }
    void close(int depth, std::string_view name) {
        newLine(depth);
        m_out += "</";
        m_out += name;
        m_out += '>';
    }
    void empty(int depth, std::string_view name) {
        newLine(depth);
        m_out += '<';
        m_out += name;
        m_out += "/>";
    }
    void leaf(int depth, std::string_view name, std::string_view text) {
        if (text.empty())
            return empty(depth, name);
        newLine(depth);
        m_out += '<';
        m_out += name;
        m_out += '>';
        appendEscaped(m_out, text, m_asciiOnly);
        m_out += "</";
        m_out += name;
        m_out += '>';
    }

private:
    void newLine(int depth) {
        m_out += "\r\n";
        m_out.append(static_cast<std::size_t>(depth), '\t');
    }
    std::string& m_out;
    bool m_asciiOnly;
};

void writeTournamentInfo(Emitter& w, const TournamentSettings& t) {
    w.open(1, "TournamentInfo");
    w.leaf(2, "TournamentType", t.TourneyTypeLabel());
    w.leaf(2, "Title", t.TourneyTitle());
    w.leaf(2, "JackpotTitle", t.StoredJackpotTitle());
    w.leaf(2, "TourneyCode", t.TourneyCode());
    w.leaf(2, "SupportDir", t.SupportDir());
    w.leaf(2, "TotalPlayers", std::to_string(t.TotalPlort()));
    w.leaf(2, "TotalRounds", std::to_string(t.TotalRounds()));
    w.leaf(2, "CurrentRound", std::to_string(t.CurrentRound()));
    w.leaf(2, "BumpFee", formatGeneral(t.BumpFee()));
    w.leaf(2, "WoodFee", formatGeneral(t.WoodFee()));
    w.leaf(2, "EntryFee", formatGeneral(t.EntryFee()));
    w.leaf(2, "Expenses", formatGeneral(t.Expenses()));
    w.close(1, "TournamentInfo");
}

void writeFeesPayout(Emitter& w, const PayoutSettings& p) {
    if (p.PayoutOption == 1 && p.CustomPayoutCount > static_cast<int>(p.CustomPayouts.size()))
        throw RhError(err::BadIndex);
    w.open(1, "FeesPayout");
    w.open(2, "Payout");
    w.open(3, "Custom");
    w.leaf(4, "Value", std::to_string(p.PayoutOption));
    w.close(3, "Custom");
    if (p.PayoutOption == 1) {
        std::string tag = "CustomValues Count=\"" + std::to_string(p.CustomPayoutCount) + "\"";
        if (p.CustomPayoutCount <= 0) {
            w.empty(3, tag);
        } else {
            w.open(3, tag);
            for (int i = 0; i < p.CustomPayoutCount; ++i)
                w.leaf(4, "Value", formatGeneral(p.CustomPayouts[static_cast<std::size_t>(i)]));
            w.close(3, "CustomValues");
        }
    }
    w.close(2, "Payout");
    w.close(1, "FeesPayout");
}

void writePlayerKeys(Emitter& w, const TournamentState& st) {
    const auto& ids = st.idsByName();
    if (ids.empty())
        return w.empty(1, "PlayerKeys");
    w.open(1, "PlayerKeys");
    // The name list puts an entrant in front of those it ties with, so entrants whose names are
    // equal (ignoring case and blanks) come back in the opposite order of the file. Writing each
    // such run backwards keeps the list, and so every later save, the same after a reload.
    auto sortKey = [&](EntrantId id) {
        const std::string& name = st.nameOf(id);
        return toUpper(trim(std::string_view(name).substr(0, name.find('~'))));
    };
    std::vector<EntrantId> order;
    order.reserve(ids.size());
    for (std::size_t i = 0; i < ids.size();) {
        std::size_t j = i + 1;
        const std::string key = sortKey(ids[i]);
        while (j < ids.size() && sortKey(ids[j]) == key)
            ++j;
        for (std::size_t k = j; k > i; --k)
            order.push_back(ids[k - 1]);
        i = j;
    }
    for (EntrantId id : order) {
        w.open(2, "PlayerKey");
        w.leaf(3, "PlayerName", st.nameOf(id));
        w.leaf(3, "PlayerID", idText(id));
        w.leaf(3, "PlayerAlias", st.aliasOf(id));
        w.close(2, "PlayerKey");
    }
    w.close(1, "PlayerKeys");
}

void writeRoster(Emitter& w, const TournamentState& st) {
    const Seating& seating = st.seating;
    if (seating.roundCount() == 0)
        return w.empty(1, "RosterRounds");
    const bool progressive = st.isProgressive();
    auto plain = [](EntrantId id) { return std::to_string(num(id)); };
    w.open(1, "RosterRounds");
    for (int r = 1; r <= seating.roundCount(); ++r) {
        const auto& tables = seating.tables(RoundNo{static_cast<std::int16_t>(r)});
        w.open(2, "Round");
        if (tables.empty()) {
            // A round without tables keeps its place, so the rounds after it keep their numbers.
            w.empty(3, "Tables");
            w.close(2, "Round");
            continue;
        }
        w.open(3, "Tables");
        for (const SeatedTable& table : tables) {
            const auto& ids = table.seats;
            w.open(4, "Table");
            if (progressive) {
                for (std::size_t side = 0; side < 2; ++side) {
                    w.open(5, "Team");
                    w.open(6, "Players");
                    w.leaf(7, "Player", plain(ids[side * 2]));
                    w.leaf(7, "Player", plain(ids[side * 2 + 1]));
                    w.close(6, "Players");
                    w.close(5, "Team");
                }
            } else {
                w.open(5, "Teams");
                w.leaf(6, "Team", plain(ids[0]));
                w.leaf(6, "Team", plain(ids[1]));
                w.close(5, "Teams");
            }
            w.close(4, "Table");
        }
        w.close(3, "Tables");
        w.close(2, "Round");
    }
    w.close(1, "RosterRounds");
}

void writeScores(Emitter& w, const TournamentState& st) {
    struct Row {
        int round, id, score;
    };
    std::vector<Row> rows;
    rows.reserve(st.scores.count());
    st.scores.forEach([&](RoundNo round, int slot, int score) {
        rows.push_back({num(round), num(st.entrants.atSlot(slot).id), score});
    });
    // Rounds come in order; within a round, by ID.
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        return std::tie(a.round, a.id) < std::tie(b.round, b.id);
    });
    w.open(1, "Scores");
    if (rows.empty()) {
        w.empty(2, "Players");
    } else {
        w.open(2, "Players");
        for (const Row& row : rows) {
            w.open(3, "Player");
            w.leaf(4, "Round", fmt00(row.round));
            w.leaf(4, "PlayerID", fmt00(row.id));
            w.leaf(4, "Score", fmt00(row.score));
            w.close(3, "Player");
        }
        w.close(2, "Players");
    }
    w.close(1, "Scores");
}

// The records that have a count of the kind, by ID.
template <typename Has>
std::vector<const EntrantRecord*> recordsWith(const TournamentState& st, Has has) {
    std::vector<const EntrantRecord*> out;
    for (const EntrantRecord& r : st.entrants.records())
        if (has(r))
            out.push_back(&r);
    std::sort(out.begin(), out.end(), [](const EntrantRecord* a, const EntrantRecord* b) {
        return num(a->id) < num(b->id);
    });
    return out;
}

void writeBumps(Emitter& w, const TournamentState& st) {
    const auto rows = recordsWith(st, [](const EntrantRecord& r) {
        return r.bumps.has_value() || r.woods.has_value() || r.paid.has_value();
    });
    w.open(1, "Bumps");
    if (rows.empty()) {
        w.empty(2, "Players");
    } else {
        w.open(2, "Players");
        for (const EntrantRecord* r : rows) {
            w.open(3, "Player");
            w.leaf(4, "PlayerID", idText(r->id));
            w.leaf(4, "Bump", fmt00(r->bumps.value_or(0)));
            w.leaf(4, "Wood", fmt00(r->woods.value_or(0)));
            w.leaf(4, "Paid", zeroPad(r->paid.value_or(0), 1));
            w.close(3, "Player");
        }
        w.close(2, "Players");
    }
    w.close(1, "Bumps");
}

void writeLones(Emitter& w, const TournamentState& st) {
    const auto rows = recordsWith(st, [](const EntrantRecord& r) { return r.lones.has_value(); });
    w.open(1, "Lones");
    if (rows.empty()) {
        w.empty(2, "Players");
    } else {
        w.open(2, "Players");
        for (const EntrantRecord* r : rows) {
            w.open(3, "Player");
            w.leaf(4, "PlayerID", idText(r->id));
            w.leaf(4, "Lone", fmt00(*r->lones));
            w.close(3, "Player");
        }
        w.close(2, "Players");
    }
    w.close(1, "Lones");
}

// The entry-fee roll call, only when an entrant has a mark: a tournament without one keeps the
// seven sections alone.
void writeEntryFees(Emitter& w, const TournamentState& st) {
    const auto rows =
        recordsWith(st, [](const EntrantRecord& r) { return r.entryFeePaid.has_value(); });
    if (rows.empty())
        return;
    w.open(1, "EntryFees");
    w.open(2, "Players");
    for (const EntrantRecord* r : rows) {
        w.open(3, "Player");
        w.leaf(4, "PlayerID", idText(r->id));
        w.leaf(4, "Paid", *r->entryFeePaid ? "1" : "0");
        w.close(3, "Player");
    }
    w.close(2, "Players");
    w.close(1, "EntryFees");
}

void appendReference(std::string& out, char32_t cp) {
    out += "&#";
    out += std::to_string(static_cast<unsigned long>(cp));
    out += ';';
}

} // namespace

void appendEscaped(std::string& out, std::string_view s, bool asciiOnly) {
    bool plain = true;
    bool blank = true;
    for (char c : s) {
        auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b >= 0x80 || c == '&' || c == '<' || c == '>') {
            plain = false;
            break;
        }
        blank = blank && c == ' ';
    }
    if (plain && !blank) {
        out += s; // numbers and most names: nothing to escape or encode
        return;
    }
    bool blanksOnly = !s.empty() && s.find_first_not_of(" \t\r\n") == std::string_view::npos;
    for (std::size_t pos = 0; pos < s.size();) {
        char32_t cp = nextCodePoint(s, pos);
        if (cp == 0)
            continue; // no XML text can hold a NUL
        if (blanksOnly) {
            appendReference(out, cp);
            continue;
        }
        switch (cp) {
        case '&':
            out += "&amp;";
            continue;
        case '<':
            out += "&lt;";
            continue;
        case '>':
            out += "&gt;";
            continue;
        default:
            break;
        }
        if (cp < 0x20 && cp != '\t' && cp != '\n') {
            appendReference(out, cp); // CR too: the parser would turn a bare CR into LF
            continue;
        }
        int b = cp1252ByteOf(cp);
        if (b >= 0 && !(asciiOnly && b >= 0x80))
            out += static_cast<char>(static_cast<unsigned char>(b));
        else
            appendReference(out, cp);
    }
}

namespace {

std::string buildDocument(const TournamentState& st, bool asciiOnly) {
    std::string out;
    std::size_t seats = 0;
    for (int r = 1; r <= st.seating.roundCount(); ++r)
        seats += st.seating.tables(RoundNo{static_cast<std::int16_t>(r)}).size() * 4;
    out.reserve(4096 + st.entrants.namedCount() * 120 + seats * 40 + st.scores.count() * 100 +
                st.entrants.slotCount() * 100);
    out += "<?xml version='1.0' encoding='UTF-8'?>";
    out += "\r\n<!--Get your Free Personalized Score Cards at: ";
    out += kWebSiteHost;
    out += "-->";
    out += "\r\n<!--Rankhall tournament: settings, payouts, entrants, seating and scores-->";
    out += "\r\n<Tournament>";
    Emitter w(out, asciiOnly);
    writeTournamentInfo(w, st.settings);
    writeFeesPayout(w, st.payout);
    writePlayerKeys(w, st);
    writeRoster(w, st);
    writeScores(w, st);
    writeBumps(w, st);
    writeLones(w, st);
    writeEntryFees(w, st);
    out += "\r\n</Tournament>";
    return out;
}

} // namespace

std::string settingsXml(const TournamentState& st) {
    std::string out;
    Emitter w(out, false);
    writeTournamentInfo(w, st.settings);
    writeFeesPayout(w, st.payout);
    return out;
}

std::string buildTournamentXml(const TournamentState& st) {
    std::string out = buildDocument(st, false);
    // The reader takes a file whose bytes are valid UTF-8 for UTF-8. Windows-1252 text can look
    // like that by chance ("ÃŠ" has the bytes of one UTF-8 character); such a document is written
    // with every character beyond ASCII as a reference instead, which both readings agree on.
    bool ascii = std::all_of(out.begin(), out.end(),
                             [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!ascii && isValidUtf8(out))
        out = buildDocument(st, true);
    return out;
}

} // namespace rh
