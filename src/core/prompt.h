#pragma once
// The one door between the program's logic and the director: every message box, question, modal
// choice and file dialog goes through IPrompt. The window implements it with Qt dialogs,
// rankhall-cli records what would have been shown, and tests script the answers (ScriptedPrompt).

#include "core/currency.h"
#include "core/errors.h"
#include "core/payout_request.h"

#include <array>
#include <string>
#include <vector>

namespace rh {

/// The application's title, used where a message box has no title of its own.
inline constexpr const char* kAppTitle = "Rankhall";

enum class MsgIcon { None, Critical, Exclamation, Information };
/// The buttons of a message. The safe answer is the default one: Cancel for OkCancel and
/// SaveDiscardCancel (nothing is lost, nothing is written), Yes for YesNo.
enum class MsgButtons { Ok, OkCancel, YesNo, SaveDiscardCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No, Save, Discard };

struct Message {
    std::string title; // "" = no title of its own (the platform shows the application's)
    std::string text;  // lines separated by CR LF
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
};

struct FileDialogSpec {
    std::string title;            // "" = the platform's own
    std::string filter;           // as the program describes it, e.g. "Files (*.QMC)|*.QMC"
    std::string defaultExtension; // without the dot; "" = none
    std::string initialPath;      // file name or path offered at opening
    bool confirmOverwrite = false;
    bool pathMustExist = false;
};

/// The partner-score conflict: the four texts the dialog shows. The answer is the score that
/// stands (the player's or the partner's).
struct ConflictRequest {
    std::string playerName;
    std::string partnerName;
    std::string playerScore;
    std::string partnerScore;
};

/// A one-line text question (a name to type). The answer goes into `text`, which holds the
/// offered text when asked.
struct TextRequest {
    std::string title;
    std::string label;
    std::string text;
};

class IPrompt {
public:
    virtual ~IPrompt() = default;
    /// Shows a message or asks a question; returns the button pressed (Ok for a plain message).
    virtual MsgAnswer show(const Message& message) = 0;
    /// The file chosen to open, or "" when the director cancelled.
    virtual std::string chooseOpenFile(const FileDialogSpec& dialogSpec) = 0;
    /// The file chosen to save to, or "" when the director cancelled.
    virtual std::string chooseSaveFile(const FileDialogSpec& dialogSpec) = 0;
    /// Settles a partner-score conflict; returns the score that stands, the one the director
    /// chose (the window's dialog does not end before one is chosen).
    virtual std::string resolveConflict(const ConflictRequest& request) = 0;
    /// The round-over dialog ("THE ROUND IS OVER" / "THE TOURNAMENT IS OVER"); returns on OK.
    virtual void roundOver(bool tournamentOver) = 0;
    /// Runs the payout worksheet modally. Returns true when accepted; the request then holds the
    /// accepted place count and amounts.
    virtual bool editPayouts(PayoutEditorRequest& request) = 0;
    /// Asks for a line of text. True with the answer in the request's text when the director
    /// pressed OK; false (request unchanged) on Cancel. A prompt that cannot ask answers false.
    virtual bool askText(TextRequest& request) {
        (void)request;
        return false;
    }
};

// Shorthands for the common shapes.
void showMessage(IPrompt& prompt, const std::string& title, const std::string& text,
                 MsgIcon icon = MsgIcon::None);
MsgAnswer ask(IPrompt& prompt, const std::string& title, const std::string& text,
              MsgButtons buttons, MsgIcon icon);
/// The common error message: critical icon, OK, titled with the failed operation's name.
/// A plain message (OK, no icon) and the common error message, to be shown later.
Message plainMessage(const std::string& title, const std::string& text);
Message errorMessage(const std::string& title, const RhError& error);

/// Shows each message in turn.
void showAll(IPrompt& prompt, const std::vector<Message>& messages);

void ShowErrorMsg(IPrompt& prompt, const std::string& title, const RhError& error);
void ShowErrorMsg(IPrompt& prompt, const std::string& title, int number,
                  const std::string& description);

} // namespace rh
