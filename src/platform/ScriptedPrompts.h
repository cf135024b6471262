// A Prompts double for tests: answers from a queue of scripted answers and records every
// question with its exact text, button code, title and default, so that a test can assert
// what the user would have been asked.
//
// Answers are taken in the order the questions come. A question whose kind does not match
// the next scripted answer (or that finds the queue empty) gets the unscripted default and
// is marked `unscripted`; the scripted answer stays for a later question of its kind. A
// scripted message answer that the box cannot give (Yes to an OK box) is used up, noted in
// Problems() and replaced by the box's default button, so that a wrong button code in the
// code under test shows up as a changed flow.
#pragma once

#include "platform/Prompts.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace kel {

enum class PromptKind { Message, Input, OpenFile, SaveFile, Colour };

QString PromptKindName(PromptKind kind);

struct PromptRecord {
    PromptKind kind = PromptKind::Message;
    QString prompt;          // message and input box: the prompt text
    QString title;
    int buttons = 0;         // message box: the button code
    QString defaultText;     // input box: the default text; file dialogs: the initial path
    QString filter;          // file dialogs: the filter list as given
    int filterIndex = 0;     // file dialogs: the preselected filter
    RgbColour colour;        // colour dialog: the initial colour
    QString answer;          // the answer given: message code, text, path or "r,g,b"
    bool cancelled = false;  // input box, file and colour dialogs: the answer was Cancel
    bool unscripted = false; // no matching scripted answer; the default was given
};

// One line for failure messages: kind, button code, title and prompt.
QString Describe(const PromptRecord& record);

class ScriptedPrompts : public Prompts {
public:
    // Scripted answers, queued in the order the questions will be asked.
    ScriptedPrompts& Answer(int answerCode);             // message box
    ScriptedPrompts& Type(const QString& text);          // input box, OK with this text
    ScriptedPrompts& CancelInput();                      // input box, Cancel
    ScriptedPrompts& ChoosePath(const QString& path);    // open or save dialog; "" cancels
    ScriptedPrompts& ChooseColour(const RgbColour& colour);
    ScriptedPrompts& CancelColour();

    // Answers to unscripted questions. Message box: the given code, or by default (0) the
    // box's default button, as if Enter were pressed. Input box: cancelled by default, or
    // the given text. File dialogs: the given path, empty (cancel) by default. Colour
    // dialog: always cancelled.
    void SetDefaultMessageAnswer(int answerCode) { defaultMessageAnswer_ = answerCode; }
    void SetDefaultInput(std::optional<QString> text) { defaultInput_ = std::move(text); }
    void SetDefaultPath(const QString& path) { defaultPath_ = path; }

    const QList<PromptRecord>& Asked() const { return asked_; }
    // The last question; an empty record when none was asked.
    const PromptRecord& Last() const;
    qsizetype PendingAnswers() const { return queue_.size(); }
    qsizetype UnscriptedCount() const;
    // Scripted answers that could not be used as scripted (see above).
    const QStringList& Problems() const { return problems_; }
    // Forgets the questions, the problems and the queued answers.
    void Clear();

    int Message(const QString& prompt, int buttons, const QString& title) override;
    InputAnswer Input(const QString& prompt, const QString& title,
                      const QString& defaultText) override;
    QString OpenFileName(const FileDialogRequest& request) override;
    QString SaveFileName(const FileDialogRequest& request) override;
    std::optional<RgbColour> PickColour(const RgbColour& initial, const QString& title) override;

private:
    enum class AnswerKind { Message, Input, Path, Colour };
    struct Scripted {
        AnswerKind kind;
        int code = 0;
        QString text;
        RgbColour colour;
        bool cancel = false;
    };

    // Takes the next scripted answer when it is of `kind`.
    std::optional<Scripted> Take(AnswerKind kind);
    QString FileDialog(PromptKind kind, const FileDialogRequest& request);

    QList<Scripted> queue_;
    QList<PromptRecord> asked_;
    QStringList problems_;
    int defaultMessageAnswer_ = 0;
    std::optional<QString> defaultInput_;
    QString defaultPath_;
};

}  // namespace kel
