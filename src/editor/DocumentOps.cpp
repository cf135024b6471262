// Document operations of the editor: new, open, reload, append, save, save as, clear, the
// command line and dropped files or URLs.
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "editor/Editor.h"
#include "common/FileLength.h"
#include "common/SafeFile.h"
#include "common/TextFile.h"
#include "geo/FigureDisplay.h"
#include "list/ListLine.h"
#include "platform/Clock.h"
#include "platform/Prompts.h"
#include "platform/UrlFetcher.h"
#include "script/ScriptFile.h"
#include "script/Statement.h"
#include "script/StatementWriter.h"
#include "waypoint/WptRecord.h"

namespace kel {

namespace {

const QString kKelFilter = QStringLiteral(
    "すべてのファイル (*.*)|*.*|マップサーバスクリプトファイル (*.KEL)|*.KEL|");
constexpr int kKelFilterIndex = 2;
bool HasKelExtension(const QString& path) {
    return path.trimmed().right(3).toUpper() == QLatin1String("KEL");
}

}  // namespace

bool Editor::CheckKelExtension(const QString& path) {
    if (HasKelExtension(path)) return true;
    MsgBox2(QStringLiteral("KELファイルではありません"), kButtonsOk, QStringLiteral("NotKel"));
    return false;
}

void Editor::ClearListAndStore() {
    list_.Clear();
    texts_.Clear();
    UnloadEntry();
    ResetParamEditor(params_);
    params_.curKelCmdCaption.clear();
    params_.kelListNCaption.clear();
    params_.kelListNValue = 0;
    Q_EMIT ParamsChanged();
}

void Editor::ResetDocumentState() {
    // Shapes of the old document leave the map with it.
    for (const QString& line : list_.Lines()) RemoveFigure(ListLineFigure(line));
    dispCaption_ = QStringLiteral("OFF");
    ClearListAndStore();
    // The document that is loaded now starts a history of its own.
    history_.Reset();
}

void Editor::AfterLoading() {
    dispCaption_ = QStringLiteral("OFF");
    if (documentChangedHook_) documentChangedHook_();
    list_.SetCurrent(list_.Count() - 3);
    // The first `disp` after the current line becomes current, as the search finds it.
    if (searchHook_) searchHook_(QStringLiteral("Cmd=disp"));
}

namespace {

// Reads a script for loading; tells the user and returns false when it cannot be used.
bool ReadForLoading(Editor& editor, const QString& path, int roomLeft, QStringList* out) {
    ScriptReadResult r = ReadScriptFile(path);
    if (!r.ok) {
        editor.MsgBox2(QStringLiteral("[") + path + QStringLiteral("]を読めません．\r\n") + r.error,
                       kButtonsOk, QStringLiteral("Open"));
        return false;
    }
    if (r.statements.size() > roomLeft) {
        editor.MsgBox2(QStringLiteral("[") + path +
                           QStringLiteral("]のコマンド数(%1)が上限(%2)を超えるため読み込めません．")
                               .arg(r.statements.size())
                               .arg(roomLeft),
                       kButtonsOk, QStringLiteral("Limit"));
        return false;
    }
    if (r.firstBadLine > 0) {
        editor.MsgBox2(QStringLiteral("[") + path +
                           QStringLiteral("]の%1行目にShift-JISでない文字があります．"
                                          "そのバイトは読んだとおりに保存されます．")
                               .arg(r.firstBadLine),
                       kButtonsOk, QStringLiteral("Caution"));
    }
    *out = std::move(r.statements);
    return true;
}

}  // namespace

bool Editor::LoadScriptFile(const QString& path) {
    QStringList statements;
    if (!ReadForLoading(*this, path, texts_.Capacity(), &statements)) return false;
    ResetDocumentState();
    kelFileName_ = path;
    QStringList lines;
    lines.reserve(statements.size());
    for (int i = 0; i < statements.size(); ++i) {
        RollProgress(i, i + 1);
        lines.append(MakeListLine(texts_, statements[i], 0));
    }
    list_.SetLines(std::move(lines));
    CaptionRoll(QStringLiteral("Off"));
    return true;
}

void Editor::AppendSkeleton() {
    const QDate today = services_.clock ? services_.clock->Today() : QDate::currentDate();
    for (const QString& text : NewDocumentSkeleton(ShortDateText(today)))
        list_.Append(MakeListLine(texts_, text, 0));
}

void Editor::New() {
    if (editFg_ == kEditFgModified &&
        MsgBox2(QStringLiteral("現在のファイルは変更されています．このまま保存せずに新規作成しますか？"),
                kAskLoseWork, QStringLiteral("Caution")) != kAnswerYes) {
        Save();
        return;
    }
    kelFileName_.clear();
    ResetDocumentState();
    AppendSkeleton();
    SetEditFg(kEditFgModified);
    AfterLoading();
}

void Editor::Open() {
    if (editFg_ == kEditFgModified &&
        MsgBox2(QStringLiteral("現在のファイルは変更されています．このまま破棄してOpenしますか？"),
                kAskLoseWork, QStringLiteral("Caution")) != kAnswerYes)
        return;
    QString path = fileName_;
    fileName_.clear();
    if (path.isEmpty() && services_.prompts)
        path = services_.prompts->OpenFileName({QStringLiteral("Open"), kKelFilter,
                                                kKelFilterIndex, QFileInfo(kelFileName_).path()});
    if (path.isEmpty()) return;
    if (!CheckKelExtension(path)) return;
    LoadDocument(path);
}

void Editor::LoadDocument(const QString& path) {
    const qint64 length = FileLength(path);
    if (length == 0 || FileIsMissing(length)) {
        // A missing or empty file: a new document that a later Save creates there. (A path
        // that exists but cannot be read is reported by the reading below instead.)
        ResetDocumentState();
        kelFileName_ = path;
        AppendSkeleton();
        SetEditFg(kEditFgModified);
    } else {
        if (!LoadScriptFile(path)) return;
        SetEditFg(kEditFgSaved);
    }
    CaptionRoll(QStringLiteral("Off"));
    AfterLoading();
}

void Editor::Reload() {
    if (!kelFileName_.isEmpty()) LoadDocument(kelFileName_);
}

void Editor::Append() {
    QString path = fileName_;
    fileName_.clear();
    if (path.isEmpty() && services_.prompts)
        path = services_.prompts->OpenFileName({QStringLiteral("Append"), kKelFilter,
                                                kKelFilterIndex, QFileInfo(kelFileName_).path()});
    if (path.isEmpty()) return;
    if (!CheckKelExtension(path)) {
        SetEditFg(kEditFgModified);
        return;
    }
    QStringList statements;
    if (!ReadForLoading(*this, path, texts_.Capacity() - list_.Count(), &statements)) return;
    int at = list_.Current() + 1;
    if (list_.Current() == list_.Count() - 1) at = list_.Count();
    // The lines go in as one block: inserting them one by one into a long list moves its
    // tail once per line.
    QStringList block;
    const auto insertBlock = [&] {
        list_.InsertLines(at, block);
        at += int(block.size());
        block.clear();
    };
    for (int i = 0; i < statements.size(); ++i) {
        const QString& text = statements[i];
        const QString word = CommandWord(text);
        if (word == QLatin1String("mapserver") || word == QLatin1String("disp")) continue;
        RollProgress(i, i + 1);
        // When the store's numbers run out it renumbers the lines of the list: the block
        // must be in the list by then.
        if (texts_.LastTextSlot() >= texts_.Capacity() && !block.isEmpty()) insertBlock();
        const int figure = DrawCommandFigure(text);
        const QString line = NewListLine(text, figure);
        if (line.isEmpty()) {
            RemoveFigure(figure);
            break;
        }
        block.append(line);
    }
    if (!block.isEmpty()) insertBlock();
    CaptionRoll(QStringLiteral("Off"));
    if (documentChangedHook_) documentChangedHook_();
    SetEditFg(kEditFgModified);
}

bool Editor::WriteDocument(const QString& path) {
    const TextWriteResult w = WriteScriptFile(path, CommandTextsInOrder());
    CaptionRoll(QStringLiteral("Off"));
    if (w.ok) return true;
    QString why = w.error;
    if (w.badLine > 0) {
        // The line of the file; name the command that holds it.
        why = QStringLiteral("%1行目の%2文字目「%3」はShift-JISで保存できません．")
                  .arg(w.badLine)
                  .arg(w.badColumn)
                  .arg(w.badChar);
    }
    MsgBox2(QStringLiteral("[") + path + QStringLiteral("]に保存できませんでした．\r\n") + why, kButtonsOk,
            QStringLiteral("Save"));
    return false;
}

bool Editor::Save() {
    if (kelFileName_.isEmpty()) return SaveAs();
    if (!ApplyPendingEdits()) return false;
    if (!WriteDocument(kelFileName_)) return false;
    SetEditFg(kEditFgSaved);
    return true;
}

bool Editor::SaveAs() {
    if (list_.Count() == 0 || !services_.prompts) return false;
    const QString path = services_.prompts->SaveFileName(
        {QStringLiteral("Save As"), kKelFilter, kKelFilterIndex, kelFileName_});
    if (path.isEmpty()) return false;
    if (FileLength(path) > 0 &&
        MsgBox2(QStringLiteral("[") + path + QStringLiteral("]は存在します．上書きしますか？"),
                kAskOverwrite, QStringLiteral("上書き保存")) != kAnswerYes)
        return false;
    if (!ApplyPendingEdits()) return false;
    if (!WriteDocument(path)) return false;
    kelFileName_ = path;
    SetEditFg(kEditFgSaved);
    return true;
}

void Editor::Clear() {
    if (editFg_ == kEditFgModified &&
        MsgBox2(QStringLiteral("現在のファイルは変更されています．このまま保存せずにListをクリアしますか？"),
                kAskLoseWork, QStringLiteral("Caution")) != kAnswerYes) {
        Save();
        return;
    }
    ResetDocumentState();
    SetAutoAnswerYes(false);
    SetEditFg(kEditFgSaved);
    AfterLoading();
}

void Editor::DoOpenKelFile(const QString& path) {
    fileName_ = path;
    Open();
}

void Editor::EvaluateCommandLine(const QString& commandLine) {
    QString line = commandLine.trimmed();
    line.replace(QLatin1Char('\t'), QLatin1Char(' '));
    const int count = CommandArg(line, 0).toInt();
    if (count == 0) return;
    const QString first = CommandArg(line, 1);
    const QString second = CommandArg(line, 2);
    if (first == QLatin1String("-n")) {
        New();
    } else if (second == QLatin1String("-o") || second.isEmpty()) {
        MsgBox2(QStringLiteral("[") + first + QStringLiteral("]をOpenします"), kButtonsOkCancel,
                QStringLiteral("Open File"));
        DoOpenKelFile(first);
    }
}

QString Editor::FetchUrlToLocal(const QString& url) {
    // The local name is the last path segment without its query; a script behind a CGI or
    // Perl address is stored as .KEL.
    QString noQuery = url.section(QLatin1Char('?'), 0, 0);
    QString name = noQuery.section(QLatin1Char('/'), -1);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") ||
        name.contains(QLatin1Char('\\')) || name.contains(QLatin1Char(':'))) {
        MsgBox2(QStringLiteral("URLからファイル名が決まりません．\r\n") + url, kButtonsOk,
                QStringLiteral("Drag&Drop"));
        return QString();
    }
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (dot >= 0) {
        const QString ext = name.mid(dot + 1).toUpper();
        if (ext == QLatin1String("CGI") || ext == QLatin1String("PL"))
            name = name.left(dot) + QStringLiteral(".KEL");
    }
    if (!services_.urlFetcher) return QString();
    const FetchResult got = services_.urlFetcher->Fetch(url);
    if (!got.ok) {
        MsgBox2(QStringLiteral("[") + url + QStringLiteral("]を取得できませんでした．\r\n") +
                    got.error,
                kButtonsOk, QStringLiteral("Drag&Drop"));
        return QString();
    }
    const QString folder = definitionFolder_.isEmpty() ? QDir::tempPath() : definitionFolder_;
    const QString path = QDir(folder).filePath(name);
    const QString why = WriteWholeFile(path, got.body);
    if (!why.isEmpty()) {
        MsgBox2(QStringLiteral("[") + path + QStringLiteral("]に保存できませんでした．\r\n") + why,
                kButtonsOk, QStringLiteral("Drag&Drop"));
        return QString();
    }
    return path;
}

void Editor::DropText(const QString& text, bool shift) {
    const QString t = text.trimmed();
    const QString upper = t.left(7).toUpper();
    QString path;
    if (upper.startsWith(QLatin1String("HTTP://"))) {
        path = FetchUrlToLocal(t);
    } else if (upper.startsWith(QLatin1String("FTP://"))) {
        MsgBox2(QStringLiteral("現時点ではFTPには対応していません（http://かfile://）"), kButtonsOk,
                QStringLiteral("Drag&Drop"));
    } else if (upper.startsWith(QLatin1String("FILE://"))) {
        path = QUrl(t).toLocalFile();
        if (path.isEmpty()) path = QUrl::fromPercentEncoding(t.mid(7).toUtf8());
    }
    if (!path.isEmpty()) DropFiles({path}, shift);
}

void Editor::DropFiles(const QStringList& paths, bool shift) {
    if (paths.isEmpty()) return;
    const QString path = paths.first();
    const QString kind = DetectDropKind(path);
    // Dropping with Shift adds to the document as the menu item does: one undo step.
    const QString item = kind == QLatin1String("WPT")       ? QStringLiteral("MenuFileImportWpt")
                         : kind == QLatin1String("GPX")     ? QStringLiteral("MenuFileImportGpx")
                         : kind == QLatin1String("GEOJSON") ? QStringLiteral("MenuFileImportGeoJson")
                                                            : QStringLiteral("MenuFileAppend");
    HistoryStep step(history_, shift ? StepNameOfAction(item) : QStringLiteral("Open"));
    const QString lose = editFg_ == kEditFgModified ? QStringLiteral("現在編集中のファイルは破棄します．")
                                      : QString();
    if (kind == QLatin1String("KEL")) {
        if (!shift) {
            if (MsgBox2(lose + QStringLiteral("Drag&DropしたKelファイルを新しく開きます．よろしいですか？"),
                        kButtonsYesNo, QStringLiteral("Drag&Drop")) != kAnswerYes)
                return;
            fileName_ = path;
            AutoAnswerGuard yes(*this);
            Open();
        } else {
            if (MsgBox2(QStringLiteral("Drag&DropしたKelファイルをAppendします．よろしいですか？"),
                        kButtonsYesNo, QStringLiteral("Drag&Drop")) != kAnswerYes)
                return;
            fileName_ = path;
            AutoAnswerGuard yes(*this);
            Append();
        }
    } else if (kind == QLatin1String("WPT")) {
        if (!shift) {
            if (MsgBox2(lose + QStringLiteral(
                                   "Drag&DropしたWaypoint+(Text)ファイルを新しく開きます．よろしいですか？"),
                        kButtonsYesNo, QStringLiteral("Drag&Drop")) != kAnswerYes)
                return;
            New();
            if (waypointImportHook_) waypointImportHook_(path, false);
        } else {
            if (MsgBox2(QStringLiteral("Drag&DropしたWaypoint+(Text)ファイルをAppendします．よろしいですか？"),
                        kButtonsYesNo, QStringLiteral("Drag&Drop")) != kAnswerYes)
                return;
            if (waypointImportHook_) waypointImportHook_(path, true);
        }
    } else if (kind == QLatin1String("GPX") || kind == QLatin1String("GEOJSON")) {
        // GPX and GeoJSON files are added as their File menu items add them; without Shift
        // to a new document.
        const QString format = kind == QLatin1String("GPX") ? QStringLiteral("GPX") : QStringLiteral("GeoJSON");
        const QString question = shift ? QStringLiteral("Drag&Dropした%1ファイルをAppendします．よろしいですか？")
                                       : lose + QStringLiteral("Drag&Dropした%1ファイルを新しく開きます．よろしいですか？");
        if (MsgBox2(question.arg(format), kButtonsYesNo, QStringLiteral("Drag&Drop")) != kAnswerYes) return;
        if (!shift) New();
        if (exchangeImportHook_) exchangeImportHook_(kind, path);
    }
}

}  // namespace kel
