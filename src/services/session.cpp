#include "services/session.h"

#include <cstdlib>
#include <filesystem>

namespace rh {

Session::Session(IPrompt& prompt)
    : tempDir(GetTempDir()), m_prompt(&prompt), m_state(std::make_shared<TournamentState>()) {
    htmlExportFile = htmlFileName();
}

void Session::ResetTournamentData() {
    m_state = std::make_shared<TournamentState>();
    m_journal.reset();
}

void Session::InitVariables() {
    dataFileLoaded = false;
    viewsLoaded = false;
    updatingScores = false;
    payout.Clear();
    m_state->places = PlaceWords();
    m_state->payout.CustomPayoutCount = 0;
}

void Session::ShowErrorMsg(const std::string& title, const RhError& error) {
    rh::ShowErrorMsg(*m_prompt, title, error);
}

std::string Session::htmlFileName() const {
    return "Quillmark" + safeFileComponent(tourney().TourneyCode()) + ".html";
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
