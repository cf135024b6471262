#include "platform/Prompts.h"

namespace kel {

MessageBoxLayout DecodeMessageButtons(int buttons) {
    MessageBoxLayout layout;
    switch (buttons & 0xF) {
    case kButtonsOkCancel: layout.answers = {kAnswerOk, kAnswerCancel}; break;
    case kButtonsAbortRetryIgnore:
        layout.answers = {kAnswerAbort, kAnswerRetry, kAnswerIgnore};
        break;
    case kButtonsYesNoCancel: layout.answers = {kAnswerYes, kAnswerNo, kAnswerCancel}; break;
    case kButtonsYesNo: layout.answers = {kAnswerYes, kAnswerNo}; break;
    case kButtonsRetryCancel: layout.answers = {kAnswerRetry, kAnswerCancel}; break;
    default: layout.answers = {kAnswerOk}; break;
    }
    switch (buttons & 0x70) {
    case kIconCritical: layout.icon = MessageIcon::Critical; break;
    case kIconQuestion: layout.icon = MessageIcon::Question; break;
    case kIconExclamation: layout.icon = MessageIcon::Exclamation; break;
    case kIconInformation: layout.icon = MessageIcon::Information; break;
    default: layout.icon = MessageIcon::None; break;
    }
    const int defaultIndex = (buttons & 0xF00) / kDefaultButton2;
    layout.defaultIndex = defaultIndex < layout.answers.size() ? defaultIndex : 0;
    return layout;
}

int MessageBoxLayout::EscapeAnswer() const {
    if (answers.contains(kAnswerCancel)) return kAnswerCancel;
    if (answers.size() == 1) return answers.front();
    return 0;
}

}  // namespace kel
