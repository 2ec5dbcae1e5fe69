#include "core/prompt.h"

namespace rh {

void showMessage(IPrompt& prompt, const std::string& title, const std::string& text, MsgIcon icon) {
    prompt.show(Message{title, text, icon, MsgButtons::Ok});
}

MsgAnswer ask(IPrompt& prompt, const std::string& title, const std::string& text,
              MsgButtons buttons, MsgIcon icon) {
    return prompt.show(Message{title, text, icon, buttons});
}

void ShowErrorMsg(IPrompt& prompt, const std::string& title, const RhError& error) {
    ShowErrorMsg(prompt, title, error.number(), error.description());
}

void ShowErrorMsg(IPrompt& prompt, const std::string& title, int number,
                  const std::string& description) {
    prompt.show(
        Message{title, commonErrorText(number, description), MsgIcon::Critical, MsgButtons::Ok});
}

} // namespace rh
