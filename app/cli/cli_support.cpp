#include "cli_support.h"

#include "services/load_save.h"

namespace cli {

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

void printMessages(const rh::ScriptedPrompt& prompt, std::FILE* to) {
    for (const rh::Message& m : prompt.messages())
        std::fprintf(to, "%s: %s\n", m.title.c_str(), lines(m.text).c_str());
}

bool load(rh::Session& session, rh::ScriptedPrompt& prompt, const std::string& file) {
    prompt.defaultYesNo = rh::MsgAnswer::No;
    return rh::ResetAndLoad(session, file);
}

} // namespace cli
