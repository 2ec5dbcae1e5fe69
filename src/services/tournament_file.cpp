#include "services/tournament_file.h"

#include "persistence/tournament_format.h"

namespace rh {

std::vector<Message> findingMessages(const ReadFindings& findings) {
    std::vector<Message> messages;
    messages.reserve(findings.size());
    for (const ReadFinding& f : findings)
        messages.push_back(Message{f.title.empty() ? std::string(kAppTitle) : f.title, f.text,
                                   f.error ? MsgIcon::Critical : MsgIcon::None, MsgButtons::Ok});
    return messages;
}

void showFindings(IPrompt& prompt, const ReadFindings& findings) {
    showAll(prompt, findingMessages(findings));
}

void showParseReport(IPrompt& prompt, const ParseError& error) {
    prompt.show(Message{kAppTitle, parseReportText(error), MsgIcon::Exclamation, MsgButtons::Ok});
}

bool CreateSaveDoc(const TournamentState& state, IPrompt& prompt, const std::string& path,
                   bool showMessage, bool masked, FileAccess access) {
    TournamentFormat format(masked, access);
    if (!format.write(state, path)) {
        ShowErrorMsg(prompt, format.failure()->step, format.failure()->error);
        return false;
    }
    if (showMessage)
        rh::showMessage(prompt, kFileLoadTitle, kSavedText, MsgIcon::Information);
    return true;
}

} // namespace rh
