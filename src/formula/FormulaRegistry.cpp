// The function table assembled from the groups' parts, its lookup by name and the usage
// summaries built from it.
#include <QHash>
#include <QStringList>
#include <vector>

#include "formula/FormulaFunction.h"
#include "formula/UsageSummary.h"

namespace kel {

namespace {

struct Registry {
    std::vector<FormulaFunctionDef> all;
    QHash<QString, const FormulaFunctionDef*> byName;

    Registry() {
        for (auto part : {ListFormulaFunctions(), MathFormulaFunctions(), TextFormulaFunctions(),
                          SelectFormulaFunctions(), ConditionFormulaFunctions(),
                          SpatialFormulaFunctions(), LookupFormulaFunctions()})
            all.insert(all.end(), part.begin(), part.end());
        byName.reserve(qsizetype(all.size()));
        for (const FormulaFunctionDef& d : all) byName.insert(QString::fromUtf8(d.name), &d);
    }
};

const Registry& TheRegistry() {
    static const Registry registry;
    return registry;
}

// The arithmetic operators share one line of the summary.
bool IsOperator(const FormulaFunctionDef& d) {
    static const QStringList ops = {"+", "-", "*", "/", "Mod", "And", "Or", "Xor",
                                    "Round", "RoundUp", "Int"};
    return ops.contains(QString::fromUtf8(d.name));
}

const char* GroupHeading(FormulaGroup g) {
    switch (g) {
    case FormulaGroup::General: return "(－)";
    case FormulaGroup::List: return "(List関連)";
    case FormulaGroup::Calc: return "(計算関連)";
    case FormulaGroup::Command: return "(実行Command関連)";
    case FormulaGroup::Index: return "(IndexNo,IndexList関連)";
    case FormulaGroup::Arith: return "(算術関連)";
    case FormulaGroup::Spatial: return "(空間計算関連)";
    case FormulaGroup::Condition: return "(条件判断関連)";
    case FormulaGroup::External: return "(外部参照)";
    }
    return "";
}

const QString kCaseNote = QStringLiteral("注意：大文字，小文字の区別あり");

QString FormulaHelp() {
    QStringList lines;
    lines << QStringLiteral("[入力]") + QString(58, QLatin1Char('-'))
          << QStringLiteral("(左辺)=(右辺)を入力してください")
          << QStringLiteral("(左辺) セットしたいPar名（()付きでPar内値を指定可能）")
          << QStringLiteral("(右辺) セットする式（下記関数をカンマ区切りで）")
          << QString(64, QLatin1Char('-')) << kCaseNote;
    const auto& all = TheRegistry().all;
    for (int g = int(FormulaGroup::General); g <= int(FormulaGroup::External); ++g) {
        const FormulaGroup group = FormulaGroup(g);
        lines << QString::fromUtf8(GroupHeading(group));
        if (group == FormulaGroup::Arith) {
            lines << QStringLiteral("  Stat(Par1,Par2) : Par1,Par2の演算子Stat")
                  << QStringLiteral("    Stat {+,-,*,/,Mod,And,Or,Xor,Round,RoundUp,Int}");
        }
        for (const FormulaFunctionDef& d : all) {
            if (d.group != group || IsOperator(d)) continue;
            lines << QStringLiteral("  ") + FormulaCallForm(d) + QStringLiteral(" : ") +
                         QString::fromUtf8(d.usage);
            if (d.valueNote) lines << QStringLiteral("    ") + QString::fromUtf8(d.valueNote);
        }
    }
    return lines.join(QStringLiteral("\r\n"));
}

QString ConditionHelp() {
    const QStringList lines = {
        QStringLiteral("[検索条件式]") + QString(53, QLatin1Char('-')),
        QStringLiteral("　①@(左辺)=(右辺)　②@(左辺):(右辺)　形式"),
        QStringLiteral("　　(左辺) パラメータ名"),
        QStringLiteral("　　(右辺) 検索条件"),
        QStringLiteral("　　　@を指定しない場合は新規指定"),
        QStringLiteral("　　　@に接頭語（&）で選択状態とAND"),
        QStringLiteral("　　　@に接頭語（|）で選択状態とOR"),
        QStringLiteral("　①形式 (,)区切で複数指定可能（各Or検索）"),
        QStringLiteral("　　　例えば，"),
        QStringLiteral("　　　　Par=10,20,30 ならば　「Par値が１０か２０か３０」"),
        QStringLiteral("　　　　Par=line,area ならば　「Par値がlineかarea」"),
        QStringLiteral("　②形式 (,)区切で２つの数値指定（基本は以上，未満）"),
        QStringLiteral("　　　それぞれに * 指定で以下，以上／ + 指定で未満，より大"),
        QStringLiteral("　　　　Par:10,20 ならば　「Par値が10以上２０未満」"),
        QStringLiteral("　　　　Par:*,20 ならば　「Par値が２０以下」"),
        QStringLiteral("　　　　Par:+,20 ならば　「Par値が２０未満」"),
        QStringLiteral("　　　　Par:10,* ならば　「Par値が１０以上」"),
        QStringLiteral("　　　　Par:10,+ ならば　「Par値が１０より大」"),
        kCaseNote,
    };
    return lines.join(QStringLiteral("\r\n"));
}

}  // namespace

std::span<const FormulaFunctionDef> FormulaFunctions() { return TheRegistry().all; }

const FormulaFunctionDef* FindFormulaFunction(const QString& name) {
    return TheRegistry().byName.value(name, nullptr);
}

QString FormulaCallForm(const FormulaFunctionDef& def) {
    QString form = QString::fromUtf8(def.name);
    if (def.argNames && *def.argNames)
        form += QLatin1Char('(') + QString::fromUtf8(def.argNames) + QLatin1Char(')');
    return form;
}

QString UsageSummary(int kind) {
    if (kind == 1) {
        static const QString help = FormulaHelp();
        return help;
    }
    if (kind == 2) {
        static const QString help = ConditionHelp();
        return help;
    }
    return QString();
}

}  // namespace kel
