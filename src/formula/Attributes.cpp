// The export of formula values per command ("Save Attribute") and the area and length
// reports ("Calc. Area/Length": "Current Object", "Selected Objects").
#include <QDir>
#include <QFileInfo>
#include <vector>

#include "list/ListDocument.h"
#include "common/FileLength.h"
#include "common/TextFile.h"
#include "formula/BulkOps.h"
#include "formula/FormulaEngine.h"
#include "formula/ListWalk.h"
#include "geo/EditorMeasure.h"
#include "geo/Geometry.h"
#include "platform/Prompts.h"

namespace kel {

namespace {

const QString kAttributeTitle = QStringLiteral("Save Attributes");
const QString kAttributeFilter =
    QStringLiteral("Text Files (*.txt)|*.txt|CSV Files (*.csv)|*.csv|All Files (*.*)|*.*|");

// The export file offered first: beside the script, named after it.
QString DefaultAttributePath(const QString& kelFileName) {
    if (kelFileName.isEmpty()) return QStringLiteral("attribute.txt");
    const QFileInfo info(kelFileName);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral("_attribute.txt"));
}

}  // namespace

bool BulkOps::SaveAttributes(const QString& attributeList) {
    KelList& list = editor_.List();
    if (list.Count() == 0) return false;
    const PromptedText p = PromptStep(
        editor_, attributeList, lastAttributes_, false,
        QStringLiteral("各コマンドの保存する属性値の条件式をカンマ区切りで入力してください"),
        kAttributeTitle, 1);
    if (p.text.isEmpty()) return false;
    lastAttributes_ = p.text;

    Prompts* prompts = editor_.Services().prompts;
    if (!prompts) return false;
    const QString path = prompts->SaveFileName(
        {kAttributeTitle, kAttributeFilter, 1, DefaultAttributePath(editor_.KelFileName())});
    if (path.isEmpty()) return false;
    if (FileLength(path) > 0 &&
        editor_.MsgBox2(QStringLiteral("[") + path + QStringLiteral("]は存在します．上書きしますか？"),
                        kAskOverwrite, QStringLiteral("上書き保存")) != kAnswerYes)
        return false;
    if (!editor_.ApplyPendingEdits()) return false;

    ListClickGuard quiet(editor_);
    CancellableWalk cancel(editor_, engine_);
    std::vector<int> lines = list.SelectedIndexes();
    if (lines.empty()) {
        lines.resize(size_t(list.Count()));
        for (int i = 0; i < list.Count(); ++i) lines[size_t(i)] = i;
    }
    const SplitTable pieces = SplitArguments(p.text);
    WalkProgress progress(editor_);
    QStringList out;
    out.reserve(qsizetype(lines.size()));
    for (int i : lines) {
        if (cancel.Cancelled()) break;
        progress.Show(i);
        const FormulaContext context = engine_.LineContext(i);
        QString joined;
        for (int k = 1; k <= pieces.Pieces(); ++k) {
            if (k > 1) joined += QLatin1Char(',');
            joined += engine_.EvaluateFormula(context, pieces.Piece(k));
        }
        out << engine_.EvaluateFormula(context, joined);
    }
    progress.Off();
    if (cancel.Cancelled()) return false;  // nothing written

    const TextWriteResult w = WriteTextFile(path, out);
    if (!w.ok) {
        QString why = w.error;
        if (w.badLine > 0)
            why = QStringLiteral("%1行目の%2文字目「%3」はShift-JISで保存できません．")
                      .arg(w.badLine)
                      .arg(w.badColumn)
                      .arg(w.badChar);
        editor_.MsgBox2(QStringLiteral("[") + path + QStringLiteral("]に保存できませんでした．\r\n") +
                            why,
                        kButtonsOk, kAttributeTitle);
        return false;
    }
    return true;
}

void BulkOps::CalculateCurrent() { engine_.SetCalcResult(CalculateCurrentObject(editor_)); }

void BulkOps::CalcSelectedAreaLength() {
    ListClickGuard quiet(editor_);
    double area_km2 = 0, length_km = 0;
    for (int i : editor_.List().SelectedIndexes()) {
        // Each figure with its own sizes (r, width, height), never the loaded command's.
        const AreaLength m = CalculateAreaLength(editor_.CommandTextAt(i));
        area_km2 += m.area_km2;
        length_km += m.length_km;
    }
    engine_.SetCalcResult(FormatAreaLength(area_km2, length_km));
}

}  // namespace kel
