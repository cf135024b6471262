#include "platform/ScriptedPrompts.h"

namespace kel {

QString PromptKindName(PromptKind kind) {
    switch (kind) {
    case PromptKind::Message: return QStringLiteral("Message");
    case PromptKind::Input: return QStringLiteral("Input");
    case PromptKind::OpenFile: return QStringLiteral("OpenFile");
    case PromptKind::SaveFile: return QStringLiteral("SaveFile");
    case PromptKind::Colour: return QStringLiteral("Colour");
    }
    return {};
}

QString Describe(const PromptRecord& r) {
    QString text = PromptKindName(r.kind);
    if (r.kind == PromptKind::Message) text += QLatin1Char(' ') + QString::number(r.buttons);
    text += QStringLiteral(" \"%1\": %2").arg(r.title, r.prompt);
    if (r.unscripted) text += QStringLiteral(" (unscripted)");
    return text;
}

ScriptedPrompts& ScriptedPrompts::Answer(int answerCode) {
    queue_.append({AnswerKind::Message, answerCode, {}, {}, false});
    return *this;
}

ScriptedPrompts& ScriptedPrompts::Type(const QString& text) {
    queue_.append({AnswerKind::Input, 0, text, {}, false});
    return *this;
}

ScriptedPrompts& ScriptedPrompts::CancelInput() {
    queue_.append({AnswerKind::Input, 0, {}, {}, true});
    return *this;
}

ScriptedPrompts& ScriptedPrompts::ChoosePath(const QString& path) {
    queue_.append({AnswerKind::Path, 0, path, {}, path.isEmpty()});
    return *this;
}

ScriptedPrompts& ScriptedPrompts::ChooseColour(const RgbColour& colour) {
    queue_.append({AnswerKind::Colour, 0, {}, colour, false});
    return *this;
}

ScriptedPrompts& ScriptedPrompts::CancelColour() {
    queue_.append({AnswerKind::Colour, 0, {}, {}, true});
    return *this;
}

const PromptRecord& ScriptedPrompts::Last() const {
    static const PromptRecord kNone;
    return asked_.isEmpty() ? kNone : asked_.back();
}

qsizetype ScriptedPrompts::UnscriptedCount() const {
    qsizetype n = 0;
    for (const PromptRecord& r : asked_) n += r.unscripted ? 1 : 0;
    return n;
}

void ScriptedPrompts::Clear() {
    queue_.clear();
    asked_.clear();
    problems_.clear();
}

std::optional<ScriptedPrompts::Scripted> ScriptedPrompts::Take(AnswerKind kind) {
    if (queue_.isEmpty() || queue_.front().kind != kind) return std::nullopt;
    return queue_.takeFirst();
}

int ScriptedPrompts::Message(const QString& prompt, int buttons, const QString& title) {
    PromptRecord r;
    r.kind = PromptKind::Message;
    r.prompt = prompt;
    r.title = title;
    r.buttons = buttons;
    const MessageBoxLayout layout = DecodeMessageButtons(buttons);
    int code = 0;
    if (const auto s = Take(AnswerKind::Message)) {
        code = s->code;
        if (!layout.answers.contains(code)) {
            problems_ << QStringLiteral("answer %1 is not a button of %2")
                             .arg(code)
                             .arg(Describe(r));
            code = layout.DefaultAnswer();
        }
    } else {
        r.unscripted = true;
        code = defaultMessageAnswer_ != 0 ? defaultMessageAnswer_ : layout.DefaultAnswer();
    }
    r.answer = QString::number(code);
    asked_ << r;
    return code;
}

InputAnswer ScriptedPrompts::Input(const QString& prompt, const QString& title,
                                   const QString& defaultText) {
    PromptRecord r;
    r.kind = PromptKind::Input;
    r.prompt = prompt;
    r.title = title;
    r.defaultText = defaultText;
    InputAnswer answer;
    if (const auto s = Take(AnswerKind::Input)) {
        answer.cancelled = s->cancel;
        if (!s->cancel) answer.text = s->text;
    } else {
        r.unscripted = true;
        answer.cancelled = !defaultInput_.has_value();
        answer.text = defaultInput_.value_or(QString());
    }
    r.answer = answer.text;
    r.cancelled = answer.cancelled;
    asked_ << r;
    return answer;
}

QString ScriptedPrompts::FileDialog(PromptKind kind, const FileDialogRequest& request) {
    PromptRecord r;
    r.kind = kind;
    r.title = request.title;
    r.defaultText = request.initialPath;
    r.filter = request.filter;
    r.filterIndex = request.filterIndex;
    QString path;
    if (const auto s = Take(AnswerKind::Path)) {
        path = s->text;
    } else {
        r.unscripted = true;
        path = defaultPath_;
    }
    r.answer = path;
    r.cancelled = path.isEmpty();
    asked_ << r;
    return path;
}

QString ScriptedPrompts::OpenFileName(const FileDialogRequest& request) {
    return FileDialog(PromptKind::OpenFile, request);
}

QString ScriptedPrompts::SaveFileName(const FileDialogRequest& request) {
    return FileDialog(PromptKind::SaveFile, request);
}

std::optional<RgbColour> ScriptedPrompts::PickColour(const RgbColour& initial,
                                                     const QString& title) {
    PromptRecord r;
    r.kind = PromptKind::Colour;
    r.title = title;
    r.colour = initial;
    std::optional<RgbColour> chosen;
    if (const auto s = Take(AnswerKind::Colour)) {
        if (!s->cancel) chosen = s->colour;
    } else {
        r.unscripted = true;
    }
    if (chosen) {
        r.answer = QStringLiteral("%1,%2,%3").arg(chosen->red).arg(chosen->green).arg(chosen->blue);
    }
    r.cancelled = !chosen.has_value();
    asked_ << r;
    return chosen;
}

}  // namespace kel
