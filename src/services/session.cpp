#include "services/session.h"

#include "persistence/tournament_writer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
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
    m_state = std::make_shared<TournamentState>();
    m_load = LoadState::Empty;
    payout.Clear();
}

void Session::openTournament(std::shared_ptr<TournamentState> state) {
    closeTournament(); // the journal of the tournament before closes with it
    m_state = std::move(state);
    m_load = LoadState::Read;
}

namespace {

// FNV-1a, 64 bits.
void mix(std::uint64_t& h, std::string_view bytes) {
    for (unsigned char c : bytes) {
        h ^= c;
        h *= 1099511628211ULL;
    }
    h ^= 0xFF; // a separator, so that "ab"+"c" and "a"+"bc" differ
    h *= 1099511628211ULL;
}

} // namespace

std::uint64_t Session::contentDigest() const {
    std::uint64_t h = 14695981039346656037ULL;
    try {
        mix(h, buildTournamentXml(*m_state));
    } catch (const std::exception&) {
        // A tournament that cannot be written is compared by what can be.
        mix(h, "unwritable");
    }
    // The marks in key order: a mark taken back and set again is no change.
    std::vector<std::pair<std::string, std::string>> marks;
    m_state->entryFeePaid.forEach(
        [&](const std::string& key, const std::string& value) { marks.emplace_back(key, value); });
    std::sort(marks.begin(), marks.end());
    for (const auto& [key, value] : marks) {
        mix(h, key);
        mix(h, value);
    }
    mix(h, std::to_string(clock.actionCount()));
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
    return s;
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
