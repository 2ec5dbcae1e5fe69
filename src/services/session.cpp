#include "services/session.h"

#include "persistence/private_folder.h"

#include "persistence/tournament_writer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <utility>
#include <vector>

namespace rh {

Session::Session(IPrompt& prompt)
    : m_prompt(&prompt), m_state(std::make_shared<TournamentState>()), m_tempDir(GetTempDir()) {
    markUnmodified();
}

void Session::closeTournament() {
    m_journal.reset();
    m_lock.reset();
    m_viewOnly = false;
    m_state = std::make_shared<TournamentState>();
    m_load = LoadState::Empty;
    m_payout.Clear();
}

void Session::openTournament(std::shared_ptr<TournamentState> state) {
    closeTournament(); // the journal of the tournament before closes with it
    m_state = std::move(state);
    m_load = LoadState::Read;
}

namespace {

// One 64-bit word into the digest (a multiply-xorshift step).
void mixWord(std::uint64_t& h, std::uint64_t v) {
    h = (h ^ v) * 0x9E3779B97F4A7C15ULL;
    h ^= h >> 29;
}

// Bytes eight at a time, then their count, so that "ab"+"c" and "a"+"bc" differ.
void mix(std::uint64_t& h, std::string_view bytes) {
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t w;
        std::memcpy(&w, bytes.data() + i, sizeof w);
        mixWord(h, w);
    }
    std::uint64_t tail = 0;
    if (i < bytes.size()) // an empty view may have no data at all
        std::memcpy(&tail, bytes.data() + i, bytes.size() - i);
    mixWord(h, tail);
    mixWord(h, bytes.size());
}

} // namespace

std::uint64_t Session::contentDigest() const {
    std::uint64_t h = 14695981039346656037ULL;
    const TournamentState& st = *m_state;
    auto number = [&h](long long v) { mixWord(h, static_cast<std::uint64_t>(v)); };
    auto count = [&](const std::optional<std::int32_t>& v) { number(v ? *v : -(1LL << 40)); };
    // Everything a save writes: the settings and payouts as written, the entrants with their
    // names, aliases, counts and marks (the entry fee marks too, which the file does not keep),
    // the name order and the scores. The seating does not change after a load.
    try {
        mix(h, settingsXml(st));
    } catch (const std::exception&) {
        mix(h, "unwritable"); // settings that cannot be written are compared by the rest
    }
    for (const EntrantRecord& r : st.entrants.records()) {
        if (!r.name && !r.alias && !r.lones && !r.bumps && !r.woods && !r.paid && !r.entryFeePaid)
            continue; // a record made by a look-up or an undone change: nothing a save writes
        number(num(r.id));
        number(r.name ? 1 : 0);
        mix(h, r.name ? *r.name : std::string_view());
        number(r.alias ? 1 : 0);
        mix(h, r.alias ? *r.alias : std::string_view());
        count(r.lones);
        count(r.bumps);
        count(r.woods);
        count(r.paid);
        number(r.entryFeePaid ? (*r.entryFeePaid ? 1 : 0) : -1);
    }
    for (EntrantId id : st.idsByName())
        number(num(id));
    st.scores.forEach([&](RoundNo round, int slot, int score) {
        const auto where = static_cast<std::uint16_t>(num(round)) * 65536ULL +
                           static_cast<std::uint16_t>(num(st.entrants.atSlot(slot).id));
        mixWord(h, (where << 32) | static_cast<std::uint32_t>(score));
    });
    number(static_cast<long long>(m_clock.actionCount()));
    return h;
}

bool Session::isModified() const {
    return contentDigest() != m_savedDigest;
}

void Session::markUnmodified() {
    m_savedDigest = contentDigest();
}

void Session::ShowErrorMsg(const std::string& title, const RhError& error) {
    rh::ShowErrorMsg(*m_prompt, title, error);
}

std::string Session::htmlFileName() const {
    return "Quillmark" + fileNameOfCode(tourney().TourneyCode()) + ".html";
}

std::string fileNameOfCode(std::string_view code) {
    constexpr std::size_t kMaxBytes = 64;
    std::string safe = safeFileComponent(code);
    if (safe == code && code.size() <= kMaxBytes)
        return safe;
    if (safe.size() > kMaxBytes) {
        safe.resize(kMaxBytes);
        // Never end in the middle of a UTF-8 character.
        while (!safe.empty() && (static_cast<unsigned char>(safe.back()) & 0xC0) == 0x80)
            safe.pop_back();
        if (!safe.empty() && (static_cast<unsigned char>(safe.back()) & 0x80) != 0)
            safe.pop_back();
    }
    std::uint32_t h = 2166136261U; // FNV-1a, 32 bits
    for (unsigned char c : code) {
        h ^= c;
        h *= 16777619U;
    }
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", static_cast<unsigned>(h));
    return safe + "-" + hex;
}

std::string GetTempDir() {
    std::error_code ec;
    std::filesystem::path p = std::filesystem::temp_directory_path(ec);
    if (ec || p.empty())
        p = "/tmp";
    std::string s = p.string();
    while (s.size() > 1 && (s.back() == '/' || s.back() == '\\'))
        s.pop_back();
    return ensurePrivateFolder(s).path;
}

std::string safeFileComponent(std::string_view code) {
    std::string out;
    out.reserve(code.size());
    for (unsigned char c : code) {
        bool bad = c < 32 || c == 127 || c == '/' || c == '\\' || c == ':' || c == '*' ||
                   c == '?' || c == '"' || c == '<' || c == '>' || c == '|';
        out += bad ? '_' : static_cast<char>(c);
    }
    // A code made of dots only ("..", ".") would name a folder.
    if (!out.empty() && out.find_first_not_of('.') == std::string::npos)
        out.assign(out.size(), '_');
    return out;
}

} // namespace rh
