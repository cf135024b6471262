#include "formula/FormulaActions.h"

#include <QPointer>

#include "list/ListDocument.h"
#include "formula/FormulaEngine.h"

namespace kel {

FormulaOperations::FormulaOperations(ListDocument& editor, FormulaEngine& engine, QObject* parent)
    : QObject(parent), conditions(editor, engine), bulk(editor, engine) {}

FormulaOperations& InstallFormulaActions(ListDocument& editor, FormulaEngine& engine) {
    if (auto* existing = engine.findChild<FormulaOperations*>(QString(), Qt::FindDirectChildrenOnly))
        return *existing;
    auto* ops = new FormulaOperations(editor, engine, &engine);
    // The actions and hooks outlive nothing: once the operations are gone they do nothing.
    const QPointer<FormulaOperations> p(ops);
    const auto add = [&editor, p](const char* name, auto fn) {
        editor.RegisterAction(QString::fromLatin1(name), [p, fn] {
            if (p) fn(*p);
        });
    };
    using Ops = FormulaOperations;
    add("MenuEditConditionalSelect", [](Ops& o) { o.conditions.SelectByCondition(QString()); });
    add("MenuEditSelectFigure", [](Ops& o) { o.conditions.SelectByCondition(kFigureCondition); });
    add("MenuEditSearch", [](Ops& o) { o.conditions.SearchByCondition(QString()); });
    add("MenuEditSearchNext", [](Ops& o) { o.conditions.SearchNext(); });
    add("KelListOid", [](Ops& o) { o.conditions.SearchByCondition(QStringLiteral("oid=")); });
    add("KelListGid", [](Ops& o) { o.conditions.SearchByCondition(QStringLiteral("gid=")); });
    add("KelListCmd", [](Ops& o) { o.conditions.SearchByCondition(QStringLiteral("Cmd=")); });
    add("MenuExecLumpInput", [](Ops& o) { o.bulk.RunLumpInput(QString(), -1); });
    add("MenuEditListSortUp", [](Ops& o) { o.bulk.SortByFormula(QString(), 1, false); });
    add("MenuEditListSortDown", [](Ops& o) { o.bulk.SortByFormula(QString(), -1, false); });
    add("MenuEditListSortUpFigure", [](Ops& o) { o.bulk.SortByFormula(QString(), 1, true); });
    add("MenuEditListSortDownFigure", [](Ops& o) { o.bulk.SortByFormula(QString(), -1, true); });
    add("MenuExecSetGroup", [](Ops& o) { o.bulk.SetGidByGroup(); });
    add("MenuExecSetAllGroup", [](Ops& o) { o.bulk.SetGidByAllGroups(); });
    add("MenuFileSaveAttribute", [](Ops& o) { o.bulk.SaveAttributes(QString()); });
    add("MenuExecCalculate", [](Ops& o) { o.bulk.CalculateCurrent(); });
    add("MenuExecCalculateCurrent", [](Ops& o) { o.bulk.CalculateCurrent(); });
    add("MenuExecCalculateSelected", [](Ops& o) { o.bulk.CalcSelectedAreaLength(); });

    FormulaHooks hooks = engine.Hooks();
    hooks.conditionalSelect = [p](const QString& condition) {
        if (p) p->conditions.SelectWithCondition(condition);
    };
    hooks.lumpInput = [p](const QString& equation) {
        if (p) p->bulk.LumpInputWithoutPrompt(equation);
    };
    engine.SetHooks(std::move(hooks));
    editor.SetSearchHook([p](const QString& condition) {
        if (p) p->conditions.SearchNextWith(condition);
    });
    return *ops;
}

}  // namespace kel
