#include "cli_support.h"

#include "services/load_save.h"

namespace rh::cli {

namespace {

// The part of the window's after-load refresh that the views printed here depend on: the views
// count as filled, payouts are computed from now on, and the payout table is built.
void afterLoadRefresh(Session& session) {
    session.viewsLoaded = true;
    session.htmlExportFile = session.htmlFileName();
    session.payout.setPayoutsEnabled(true);
    session.payout.InitPayoutControls(true);
    session.updatePayout = true;
    session.payout.UpdateNetPayout(session);
    session.dataFileSaved = false;
    session.postLoadComplete = true;
}

} // namespace

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
    return ResetAndLoad(session, file);
}

bool loadForViews(Session& session, ScriptedPrompt& prompt, const std::string& file) {
    session.currency = CurrencyFormat::fromCLocale();
    bool loaded = load(session, prompt, file);
    if (loaded)
        afterLoadRefresh(session);
    return loaded;
}

} // namespace rh::cli
