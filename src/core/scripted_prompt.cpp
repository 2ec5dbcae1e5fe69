#include "core/scripted_prompt.h"

namespace rh {

MsgAnswer ScriptedPrompt::show(const Message& message) {
    Shown s;
    s.kind = "message";
    s.message = message;
    shown.push_back(s);
    if (message.buttons == MsgButtons::Ok)
        return MsgAnswer::Ok;
    if (!answers.empty()) {
        MsgAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    switch (message.buttons) {
    case MsgButtons::YesNo:
        return defaultYesNo;
    case MsgButtons::SaveDiscardCancel:
        return defaultSaveDiscardCancel;
    default:
        return defaultOkCancel;
    }
}

std::string ScriptedPrompt::chooseOpenFile(const FileDialogSpec& dialogSpec) {
    Shown s;
    s.kind = "open";
    s.file = dialogSpec;
    shown.push_back(s);
    if (openFiles.empty())
        return {};
    std::string f = openFiles.front();
    openFiles.pop_front();
    return f;
}

std::string ScriptedPrompt::chooseSaveFile(const FileDialogSpec& dialogSpec) {
    Shown s;
    s.kind = "save";
    s.file = dialogSpec;
    shown.push_back(s);
    if (saveFiles.empty())
        return {};
    std::string f = saveFiles.front();
    saveFiles.pop_front();
    return f;
}

std::string ScriptedPrompt::resolveConflict(const ConflictRequest& request) {
    Shown s;
    s.kind = "conflict";
    s.conflict = request;
    shown.push_back(s);
    bool player = true;
    if (!conflictTakesPlayer.empty()) {
        player = conflictTakesPlayer.front();
        conflictTakesPlayer.pop_front();
    }
    return player ? request.playerScore : request.partnerScore;
}

void ScriptedPrompt::roundOver(bool tournamentOver) {
    Shown s;
    s.kind = "roundOver";
    s.tournamentOver = tournamentOver;
    s.message.text = tournamentOver ? "THE TOURNAMENT IS OVER" : "THE ROUND IS OVER";
    shown.push_back(s);
}

bool ScriptedPrompt::editPayouts(PayoutEditorRequest& request) {
    Shown s;
    s.kind = "payouts";
    shown.push_back(s);
    if (!payoutResults.empty()) {
        request = payoutResults.front();
        payoutResults.pop_front();
        return true;
    }
    if (!payoutAccepts.empty()) {
        bool a = payoutAccepts.front();
        payoutAccepts.pop_front();
        return a;
    }
    return false;
}

std::vector<Message> ScriptedPrompt::messages() const {
    std::vector<Message> out;
    for (const auto& s : shown)
        if (s.kind == "message")
            out.push_back(s.message);
    return out;
}

int ScriptedPrompt::countTitled(const std::string& title) const {
    int n = 0;
    for (const auto& s : shown)
        if (s.kind == "message" && s.message.title == title)
            ++n;
    return n;
}

bool ScriptedPrompt::askText(TextRequest& request) {
    Shown s;
    s.kind = "text";
    s.message.title = request.title;
    s.message.text = request.label;
    shown.push_back(s);
    if (texts.empty() || !texts.front()) {
        if (!texts.empty())
            texts.pop_front();
        return false;
    }
    request.text = *texts.front();
    texts.pop_front();
    return true;
}

} // namespace rh
