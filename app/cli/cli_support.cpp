#include "cli_support.h"

#include "services/load_save.h"

namespace rh::cli {

std::string lines(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        out += text[i];
    }
    return out;
}

void printMessages(const ScriptedPrompt& prompt, std::FILE* to) {
    for (const Message& m : prompt.messages())
        std::fprintf(to, "%s: %s\n", m.title.c_str(), lines(m.text).c_str());
}

bool load(Session& session, ScriptedPrompt& prompt, const std::string& file) {
    prompt.defaultYesNo = MsgAnswer::No;
    return loadTournament(session, file);
}

bool loadForViews(Session& session, ScriptedPrompt& prompt, const std::string& file) {
    session.setCurrency(CurrencyFormat::fromCLocale());
    return load(session, prompt, file);
}

} // namespace rh::cli
