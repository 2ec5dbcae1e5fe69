#pragma once
// ScriptedPrompt: an IPrompt that shows nothing. It records every call in order and answers from
// queues; when a queue is empty it gives a default answer (configurable). rankhall-cli uses it to
// collect a load's messages, tests use it to script the director.

#include "core/prompt.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace rh {

class ScriptedPrompt : public IPrompt {
public:
    struct Shown {
        std::string kind; // "message", "open", "save", "conflict", "roundOver", "payouts", "text"
        Message message;  // for "message"; for others the title/text describe the call
        FileDialogSpec file;
        ConflictRequest conflict;
        bool tournamentOver = false;
    };

    MsgAnswer show(const Message& message) override;
    std::string chooseOpenFile(const FileDialogSpec& dialogSpec) override;
    std::string chooseSaveFile(const FileDialogSpec& dialogSpec) override;
    std::string resolveConflict(const ConflictRequest& request) override;
    void roundOver(bool tournamentOver) override;
    bool editPayouts(PayoutEditorRequest& request) override;
    bool askText(TextRequest& request) override;

    // Scripting.
    std::deque<MsgAnswer> answers;        // for questions (OkCancel, YesNo, SaveDiscardCancel)
    std::deque<std::string> openFiles;    // "" = cancel
    std::deque<std::string> saveFiles;    // "" = cancel
    std::deque<bool> conflictTakesPlayer; // true: the player's score stands
    std::deque<PayoutEditorRequest> payoutResults; // accepted results, in order
    std::deque<bool> payoutAccepts;                // false = cancelled (when no result is queued)
    std::deque<std::optional<std::string>> texts;  // typed answers; nothing = Cancel
    MsgAnswer defaultOkCancel = MsgAnswer::Ok;
    MsgAnswer defaultYesNo = MsgAnswer::No;
    MsgAnswer defaultSaveDiscardCancel = MsgAnswer::Cancel;

    // Record.
    std::vector<Shown> shown;
    /// The messages (kind "message") in order.
    std::vector<Message> messages() const;
    /// How many messages carried this title.
    int countTitled(const std::string& title) const;
    void clear() { shown.clear(); }
};

} // namespace rh
