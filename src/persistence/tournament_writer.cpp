#include "persistence/tournament_writer.h"

#include "core/errors.h"
#include "core/text.h"
#include "persistence/atomic_file.h"
#include "persistence/code_page.h"
#include "roster/keys.h"
#include "scoring/score.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <new>
#include <tuple>
#include <vector>

namespace rh {

namespace {

// Reads back a number written by fmt00 (optional "-", at least two digits, no extra leading
// zeros). Anything else is not a key part this program writes.
bool decodeIdText(std::string_view s, long long& value) {
    if (s.size() < 2 || s.size() > 12)
        return false;
    long long v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size())
        return false;
    if (fmt00(v) != s)
        return false;
    value = v;
    return true;
}

// Splits a key into its two leading ID texts (round and entrant, or round and table). Keys of
// rounds below 100 always split after the round's two digits; where a key could be read two ways
// (three-digit numbers), the shorter first part wins, as it does for every round of a tournament.
bool splitPair(std::string_view key, long long& a, long long& b) {
    for (std::size_t p = 2; p + 2 <= key.size(); ++p)
        if (decodeIdText(key.substr(0, p), a) && decodeIdText(key.substr(p), b))
            return true;
    return false;
}

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
    const auto& items = st.sortedNames.items();
    if (items.empty())
        return w.empty(1, "PlayerKeys");
    w.open(1, "PlayerKeys");
    // The name list puts an entrant in front of those it ties with, so entrants whose names are
    // equal (ignoring case and blanks) come back in the opposite order of the file. Writing each
    // such run backwards keeps the list, and so every later save, the same after a reload.
    auto sortKey = [](const std::string& rec) { return toUpper(trim(field(rec, 0))); };
    std::vector<const std::string*> order;
    order.reserve(items.size());
    for (std::size_t i = 0; i < items.size();) {
        std::size_t j = i + 1;
        const std::string key = sortKey(items[i]);
        while (j < items.size() && sortKey(items[j]) == key)
            ++j;
        for (std::size_t k = j; k > i; --k)
            order.push_back(&items[k - 1]);
        i = j;
    }
    for (const std::string* record : order) {
        const std::string& rec = *record;
        // The ID follows the last "~", so a name holding a tilde still comes back whole.
        std::size_t cut = rec.rfind('~');
        std::string_view name =
            cut == std::string::npos ? std::string_view(rec) : std::string_view(rec).substr(0, cut);
        std::string_view id =
            cut == std::string::npos ? std::string_view() : std::string_view(rec).substr(cut + 1);
        w.open(2, "PlayerKey");
        w.leaf(3, "PlayerName", name);
        w.leaf(3, "PlayerID", id);
        const std::string* alias = st.aliases.find(id);
        w.leaf(3, "PlayerAlias", alias ? std::string_view(*alias) : std::string_view());
        w.close(2, "PlayerKey");
    }
    w.close(1, "PlayerKeys");
}

// An ID text as the plain integer the roster section holds ("05" -> "5").
std::string plainInteger(const std::string& idText) {
    long long v = 0;
    return decodeIdText(idText, v) ? std::to_string(v) : idText;
}

void writeRoster(Emitter& w, const TournamentState& st) {
    const bool progressive = st.isProgressive();
    const std::size_t seatsPerTable = progressive ? 4 : 2;
    const std::size_t suffix = progressive ? 4 : 2;
    // One pass over the seats: round, table and seat number of every entry, then sorted.
    struct Seat {
        long long round, table;
        std::size_t slot;
        const std::string* id;
    };
    std::vector<Seat> seats;
    seats.reserve(st.tableSeats.Count());
    auto part = [](std::string_view two) -> int { return two == "01" ? 0 : two == "02" ? 1 : -1; };
    st.tableSeats.forEach([&](const std::string& key, const std::string& value) {
        if (key.size() < suffix + 4)
            return;
        std::string_view tail = std::string_view(key).substr(key.size() - suffix);
        int a = part(tail.substr(0, 2));
        int b = progressive ? part(tail.substr(2, 2)) : 0;
        long long r = 0, t = 0;
        if (a < 0 || b < 0 ||
            !splitPair(std::string_view(key).substr(0, key.size() - suffix), r, t) || r < 1 ||
            t < 1)
            return;
        seats.push_back({r, t, static_cast<std::size_t>(progressive ? a * 2 + b : a), &value});
    });
    std::sort(seats.begin(), seats.end(), [](const Seat& x, const Seat& y) {
        return std::tie(x.round, x.table, x.slot) < std::tie(y.round, y.table, y.slot);
    });
    // Whole tables only: a table missing a seat cannot be read back.
    struct Table {
        long long round;
        std::array<const std::string*, 4> ids;
    };
    std::vector<Table> tables;
    tables.reserve(seats.size() / seatsPerTable);
    for (std::size_t i = 0; i < seats.size();) {
        std::size_t j = i;
        Table table{seats[i].round, {}};
        while (j < seats.size() && seats[j].round == seats[i].round &&
               seats[j].table == seats[i].table) {
            table.ids[seats[j].slot] = seats[j].id;
            ++j;
        }
        if (j - i == seatsPerTable)
            tables.push_back(table);
        i = j;
    }
    if (tables.empty())
        return w.empty(1, "RosterRounds");
    w.open(1, "RosterRounds");
    std::size_t i = 0;
    const long long lastRound = tables.back().round;
    for (long long r = 1; r <= lastRound; ++r) {
        w.open(2, "Round");
        if (tables[i].round != r) {
            // A round without tables keeps its place, so the rounds after it keep their numbers.
            w.empty(3, "Tables");
            w.close(2, "Round");
            continue;
        }
        w.open(3, "Tables");
        for (; i < tables.size() && tables[i].round == r; ++i) {
            const auto& ids = tables[i].ids;
            w.open(4, "Table");
            if (progressive) {
                for (std::size_t side = 0; side < 2; ++side) {
                    w.open(5, "Team");
                    w.open(6, "Players");
                    w.leaf(7, "Player", plainInteger(*ids[side * 2]));
                    w.leaf(7, "Player", plainInteger(*ids[side * 2 + 1]));
                    w.close(6, "Players");
                    w.close(5, "Team");
                }
            } else {
                w.open(5, "Teams");
                w.leaf(6, "Team", plainInteger(*ids[0]));
                w.leaf(6, "Team", plainInteger(*ids[1]));
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
    std::vector<std::tuple<long long, long long, const std::string*>> rows;
    rows.reserve(static_cast<std::size_t>(st.scores.Count()));
    st.scores.col().forEach([&](const std::string& key, const std::string&) {
        long long r = 0, id = 0;
        if (splitPair(key, r, id))
            rows.emplace_back(r, id, &key);
    });
    std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
        return std::tie(std::get<0>(a), std::get<1>(a)) < std::tie(std::get<0>(b), std::get<1>(b));
    });
    w.open(1, "Scores");
    if (rows.empty()) {
        w.empty(2, "Players");
    } else {
        w.open(2, "Players");
        for (const auto& [r, id, key] : rows) {
            w.open(3, "Player");
            w.leaf(4, "Round", fmt00(r));
            w.leaf(4, "PlayerID", fmt00(id));
            w.leaf(4, "Score", *st.scores.col().find(*key));
            w.close(3, "Player");
        }
        w.close(2, "Players");
    }
    w.close(1, "Scores");
}

void writeBumps(Emitter& w, const TournamentState& st) {
    std::vector<long long> ids;
    st.fines.forEach([&](const std::string& key, const std::string&) {
        if (key.size() < 4)
            return;
        std::string_view tail = std::string_view(key).substr(key.size() - 2);
        long long id = 0;
        if ((tail == "00" || tail == "01" || tail == "02") &&
            decodeIdText(std::string_view(key).substr(0, key.size() - 2), id))
            ids.push_back(id);
    });
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    auto textOr = [&](const std::string& key, const char* fallback) {
        const std::string* v = st.fines.find(key);
        return v && !v->empty() ? *v : std::string(fallback);
    };
    w.open(1, "Bumps");
    if (ids.empty()) {
        w.empty(2, "Players");
    } else {
        w.open(2, "Players");
        for (long long id : ids) {
            w.open(3, "Player");
            w.leaf(4, "PlayerID", fmt00(id));
            w.leaf(4, "Bump", textOr(bumpKey(id), "00"));
            w.leaf(4, "Wood", textOr(woodKey(id), "00"));
            w.leaf(4, "Paid", textOr(paidKey(id), "0"));
            w.close(3, "Player");
        }
        w.close(2, "Players");
    }
    w.close(1, "Bumps");
}

void writeLones(Emitter& w, const TournamentState& st) {
    std::vector<std::pair<long long, const std::string*>> rows;
    st.lones.forEach([&](const std::string& key, const std::string& value) {
        long long id = 0;
        if (decodeIdText(key, id))
            rows.emplace_back(id, &value);
    });
    std::sort(rows.begin(), rows.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    w.open(1, "Lones");
    if (rows.empty()) {
        w.empty(2, "Players");
    } else {
        w.open(2, "Players");
        for (const auto& [id, value] : rows) {
            w.open(3, "Player");
            w.leaf(4, "PlayerID", fmt00(id));
            w.leaf(4, "Lone", value->empty() ? std::string_view("00") : std::string_view(*value));
            w.close(3, "Player");
        }
        w.close(2, "Players");
    }
    w.close(1, "Lones");
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
    out.reserve(4096 + st.sortedNames.size() * 120 + st.tableSeats.Count() * 40 +
                static_cast<std::size_t>(st.scores.Count()) * 100 + st.fines.Count() * 40 +
                st.lones.Count() * 60);
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
    out += "\r\n</Tournament>";
    return out;
}

} // namespace

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

bool SaveFile(IPrompt& prompt, const std::string& path, std::string_view plainText, bool masked,
              FileAccess access) {
    try {
        if (masked)
            writeFileAtomic(path, MaskText(plainText), access);
        else
            writeFileAtomic(path, plainText, access);
        return true;
    } catch (const RhError& e) {
        ShowErrorMsg(prompt, "SaveFile", e);
    } catch (const std::bad_alloc&) {
        ShowErrorMsg(prompt, "SaveFile", RhError(err::OutOfMemory));
    }
    return false;
}

bool CreateSaveDoc(const TournamentState& state, IPrompt& prompt, const std::string& path,
                   bool showMessage, bool masked, FileAccess access) {
    std::string text;
    try {
        text = buildTournamentXml(state);
    } catch (const RhError& e) {
        ShowErrorMsg(prompt, "CreateSaveDoc", e);
        return false;
    } catch (const std::bad_alloc&) {
        ShowErrorMsg(prompt, "CreateSaveDoc", RhError(err::OutOfMemory));
        return false;
    }
    if (!SaveFile(prompt, path, text, masked, access))
        return false;
    if (showMessage)
        rh::showMessage(prompt, kFileLoadTitle, kSavedText, MsgIcon::Information);
    return true;
}

} // namespace rh
