#include "core/prompt.h"

namespace rh {

void showMessage(IPrompt& prompt, const std::string& title, const std::string& text, MsgIcon icon) {
    prompt.show(Message{title, text, icon, MsgButtons::Ok});
}

MsgAnswer ask(IPrompt& prompt, const std::string& title, const std::string& text,
              MsgButtons buttons, MsgIcon icon) {
    return prompt.show(Message{title, text, icon, buttons});
}

Message plainMessage(const std::string& title, const std::string& text) {
    return Message{title, text, MsgIcon::None, MsgButtons::Ok};
}

Message errorMessage(const std::string& title, const RhError& error) {
    return Message{title, commonErrorText(error.number(), error.description()), MsgIcon::Critical,
                   MsgButtons::Ok};
}

void showAll(IPrompt& prompt, const std::vector<Message>& messages) {
    for (const Message& m : messages)
        prompt.show(m);
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
