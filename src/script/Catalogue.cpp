#include "script/Catalogue.h"

#include "script/SlotTable.h"

namespace kel {

namespace {

unsigned Rows(std::initializer_list<int> rows) {
    unsigned mask = 0;
    for (int r : rows) mask |= 1u << r;
    return mask;
}

unsigned AllRows(int n) { return n >= 32 ? ~0u : (1u << n) - 1u; }

// Row labels are the parameter names of the slot table, in slot order; `disp` and `comment`
// have no slot table and name their rows here.
CatalogueEntry Entry(const char* word, unsigned editRows) {
    CatalogueEntry e{QString::fromLatin1(word), {}, editRows};
    if (const CommandDef* def = FindCommand(e.word)) {
        for (const ParamDef& p : def->params) e.labels.append(p.name);
    }
    return e;
}

QList<CatalogueEntry> Build() {
    QList<CatalogueEntry> c;
    c.append(Entry("point", AllRows(8)));
    c.append(Entry("line", AllRows(8)));
    c.append(Entry("circle", AllRows(11) & ~Rows({3, 4})));
    c.append(Entry("rect", AllRows(13) & ~Rows({3, 4, 5, 6})));
    c.append(Entry("area", AllRows(7)));
    c.append(Entry("group", Rows({2, 3, 4, 5, 6, 7, 8, 9, 10})));
    c.append({QStringLiteral("disp"),
              {QStringLiteral("Object"), QStringLiteral("s2"), QStringLiteral("scale")}, 0});
    c.append(Entry("theme", 0));
    c.append(Entry("message", Rows({2})));
    c.append(Entry("icon", 0));
    c.append(Entry("init", 0));
    c.append(Entry("kanji", 0));
    c.append(Entry("georef", 0));
    c.append(Entry("pick", Rows({3})));
    c.append(Entry("input", Rows({0, 4, 5})));
    c.append(Entry("addon", 0));
    c.append(Entry("mapserver", Rows({1})));
    c.append({QStringLiteral("comment"), {QStringLiteral("cmt")}, 0});
    return c;
}

}  // namespace

const QList<CatalogueEntry>& Catalogue() {
    static const QList<CatalogueEntry> catalogue = Build();
    return catalogue;
}

const CatalogueEntry* FindCatalogueEntry(const QString& word) {
    for (const CatalogueEntry& e : Catalogue())
        if (e.word == word) return &e;
    return nullptr;
}

}  // namespace kel
