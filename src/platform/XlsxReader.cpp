// Office Open XML workbooks: the package relationships lead to the workbook part, whose
// relationships lead to the sheets, the shared strings and the styles.
#include <QDir>
#include <QHash>

#include "platform/WorkbookArchive.h"
#include "platform/WorkbookReaders.h"
#include "platform/WorkbookValues.h"

namespace kel {

namespace {

struct Relationship {
    QString type;    // the last segment of its type URI ("worksheet", "styles", ...)
    QString target;  // the part it leads to, as a name inside the archive
};

// The folder of a part ("xl/" for "xl/workbook.xml").
QString PartFolder(const QString& part) {
    const qsizetype slash = part.lastIndexOf(u'/');
    return slash < 0 ? QString() : part.left(slash + 1);
}

QString ResolveTarget(const QString& folder, const QString& target) {
    if (target.startsWith(u'/')) return QDir::cleanPath(target.mid(1));
    return QDir::cleanPath(folder + target);
}

// The relationships of `part`, by id; empty when the part has none.
QHash<QString, Relationship> ReadRelationships(WorkbookArchive& archive, const QString& part,
                                               qint64* budget, QString* error) {
    QHash<QString, Relationship> out;
    const QString folder = PartFolder(part);
    const QString relsPart = folder + QStringLiteral("_rels/") + part.mid(folder.size()) +
                             QStringLiteral(".rels");
    XmlPart rels(archive, relsPart, budget);
    while (rels.Next()) {
        if (!rels.xml.isStartElement() || rels.xml.name() != u"Relationship") continue;
        if (rels.Attr(u"TargetMode") == u"External") continue;
        const QString type = rels.Attr(u"Type").toString();
        out.insert(rels.Attr(u"Id").toString(),
                   {type.mid(type.lastIndexOf(u'/') + 1),
                    ResolveTarget(folder, rels.Attr(u"Target").toString())});
    }
    *error = rels.Error();
    return out;
}

QString FirstTarget(const QHash<QString, Relationship>& rels, QStringView type) {
    for (const Relationship& r : rels)
        if (r.type == type) return r.target;
    return QString();
}

bool ReadStyles(WorkbookArchive& archive, WorkbookContent& book, const QString& part,
                QString* error) {
    QHash<int, bool> customDate;  // number format id -> shows dates
    XmlPart styles(archive, part, &book.inflateBudget);
    bool inCellXfs = false;
    while (styles.Next()) {
        const QXmlStreamReader& x = styles.xml;
        if (x.isStartElement() && x.name() == u"numFmt") {
            customDate.insert(styles.Attr(u"numFmtId").toInt(),
                              IsDateFormatCode(styles.Attr(u"formatCode")));
        } else if (x.name() == u"cellXfs") {
            inCellXfs = x.isStartElement();
        } else if (inCellXfs && x.isStartElement() && x.name() == u"xf") {
            const int id = styles.Attr(u"numFmtId").toInt();
            book.dateStyles.push_back(customDate.contains(id) ? customDate.value(id)
                                                              : IsBuiltinDateFormat(id));
        }
    }
    *error = styles.Error();
    return error->isEmpty();
}

bool ReadSharedStrings(WorkbookArchive& archive, WorkbookContent& book, QString* error) {
    book.sharedStringsRead = true;
    if (book.sharedStringsPart.isEmpty()) return true;
    XmlPart sst(archive, book.sharedStringsPart, &book.inflateBudget);
    QString text;
    while (sst.Next()) {
        QXmlStreamReader& x = sst.xml;
        if (x.isStartElement()) {
            if (x.name() == u"si") text.clear();
            // Phonetic guides (furigana) are not part of the text.
            else if (x.name() == u"rPh") x.skipCurrentElement();
            else if (x.name() == u"t") text += x.readElementText();
        } else if (x.isEndElement() && x.name() == u"si") {
            book.sharedStrings.push_back(DecodeXmlEscapes(text));
        }
    }
    *error = sst.Error();
    if (!error->isEmpty()) book.sharedStrings.clear();
    return error->isEmpty();
}

// The column of a cell reference ("AB12" -> 28); 0 when it has none.
int ReferenceColumn(QStringView ref) {
    int column = 0;
    for (QChar c : ref) {
        if (c < u'A' || c > u'Z') break;
        column = column * 26 + (c.unicode() - u'A' + 1);
        if (column > kSheetMaxColumns) return 0;
    }
    return column;
}

}  // namespace

bool ReadXlsxWorkbook(WorkbookArchive& archive, WorkbookContent& book, QString* error) {
    QString workbookPart = QStringLiteral("xl/workbook.xml");
    const auto root = ReadRelationships(archive, QString(), &book.inflateBudget, error);
    if (!error->isEmpty()) return false;
    const QString office = FirstTarget(root, u"officeDocument");
    if (!office.isEmpty()) workbookPart = office;
    if (!archive.HasPart(workbookPart)) {
        *error = QStringLiteral("the zip container holds no workbook part (%1)").arg(workbookPart);
        return false;
    }
    const auto rels = ReadRelationships(archive, workbookPart, &book.inflateBudget, error);
    if (!error->isEmpty()) return false;

    XmlPart wb(archive, workbookPart, &book.inflateBudget);
    // Names by the index of the sheet they belong to (-1: the workbook), resolved once all
    // sheets are known.
    std::vector<std::pair<int, DefinedName>> names;
    while (wb.Next()) {
        QXmlStreamReader& x = wb.xml;
        if (!x.isStartElement()) continue;
        if (x.name() == u"workbookPr") {
            const QStringView d = wb.Attr(u"date1904");
            book.date1904 = d == u"1" || d == u"true";
        } else if (x.name() == u"sheet") {
            SheetEntry sheet;
            sheet.name = wb.Attr(u"name").toString();
            const Relationship rel = rels.value(wb.Attr(u"id").toString());
            if (rel.type == u"worksheet")
                sheet.part = rel.target;
            else
                sheet.error = QStringLiteral("\"%1\" is not a worksheet (%2)")
                                  .arg(sheet.name, rel.type.isEmpty() ? QStringLiteral("no part")
                                                                      : rel.type);
            book.sheets.push_back(std::move(sheet));
        } else if (x.name() == u"definedName") {
            DefinedName name;
            name.name = wb.Attr(u"name").toString();
            const QStringView local = wb.Attr(u"localSheetId");
            bool ok = false;
            const int index = local.isEmpty() ? -1 : local.toInt(&ok);
            if (!local.isEmpty() && (!ok || index < 0)) continue;
            name.reference = x.readElementText().trimmed();
            names.emplace_back(index, std::move(name));
        }
    }
    *error = wb.Error();
    if (!error->isEmpty()) return false;
    for (auto& [index, name] : names) {
        if (index >= 0) {
            if (size_t(index) >= book.sheets.size()) continue;  // a sheet that is not there
            name.scope = book.sheets[size_t(index)].name;
        }
        book.names.push_back(std::move(name));
    }
    if (!wb.Found()) {
        *error = QStringLiteral("the workbook part %1 is missing").arg(workbookPart);
        return false;
    }
    book.sharedStringsPart = FirstTarget(rels, u"sharedStrings");
    const QString styles = FirstTarget(rels, u"styles");
    return styles.isEmpty() || ReadStyles(archive, book, styles, error);
}

std::shared_ptr<const SheetCells> ReadXlsxSheet(WorkbookArchive& archive, WorkbookContent& book,
                                                const SheetEntry& sheet, QString* error) {
    if (!book.sharedStringsRead && !ReadSharedStrings(archive, book, error)) return nullptr;
    auto cells = std::make_shared<SheetCells>();
    XmlPart part(archive, sheet.part, &book.inflateBudget);
    int row = 0;
    std::vector<CellRun> rowCells;
    // The cell being read.
    int column = 0;
    QString type, value, inlineText;
    bool dateStyle = false;
    while (part.Next()) {
        QXmlStreamReader& x = part.xml;
        const QStringView name = x.name();
        if (x.isStartElement()) {
            if (name == u"row") {
                bool ok = false;
                const int r = part.Attr(u"r").toInt(&ok);
                row = ok ? r : row + 1;
                rowCells.clear();
                column = 0;
            } else if (name == u"c") {
                const int c = ReferenceColumn(part.Attr(u"r"));
                column = c > 0 ? c : column + 1;
                type = part.Attr(u"t").toString();
                const int style = part.Attr(u"s").toInt();
                dateStyle = style >= 0 && size_t(style) < book.dateStyles.size() &&
                            book.dateStyles[size_t(style)];
                value.clear();
                inlineText.clear();
            } else if (name == u"v") {
                value = x.readElementText();
            } else if (name == u"rPh") {
                x.skipCurrentElement();
            } else if (name == u"t") {
                inlineText += x.readElementText();
            }
        } else if (x.isEndElement()) {
            if (name == u"c") {
                QString text;
                if (type == u"s") {
                    bool ok = false;
                    const int i = value.toInt(&ok);
                    if (ok && i >= 0 && size_t(i) < book.sharedStrings.size())
                        text = book.sharedStrings[size_t(i)];
                } else if (type == u"inlineStr") {
                    text = DecodeXmlEscapes(inlineText);
                } else if (type == u"str") {
                    text = DecodeXmlEscapes(value);
                } else if (type == u"b") {
                    if (!value.isEmpty())
                        text = value.trimmed() == u"0" ? QStringLiteral("FALSE")
                                                       : QStringLiteral("TRUE");
                } else if (type == u"e") {
                    text = value;
                } else if (type == u"d") {
                    text = IsoDateText(value);
                } else if (!value.isEmpty()) {
                    bool ok = false;
                    const double v = value.toDouble(&ok);
                    text = ok && dateStyle ? SerialDateText(v, book.date1904)
                                           : NumberCellText(value);
                }
                if (!text.isEmpty() && column <= kSheetMaxColumns)
                    rowCells.push_back({column, 1, std::move(text)});
            } else if (name == u"row") {
                if (row >= 1 && row <= kSheetMaxRows)
                    cells->AddRows(row, 1, std::move(rowCells));
                rowCells.clear();
                if (cells->RunCount() > kWorkbookMaxCellRuns) {
                    part.Fail(QStringLiteral("the sheet \"%1\" holds more than %2 cells")
                                  .arg(sheet.name)
                                  .arg(kWorkbookMaxCellRuns));
                    break;
                }
            }
        }
    }
    *error = part.Error();
    if (error->isEmpty() && !part.Found())
        *error = QStringLiteral("the cells of sheet \"%1\" (%2) are missing from the file")
                     .arg(sheet.name, sheet.part);
    if (!error->isEmpty()) return nullptr;
    return cells;
}

}  // namespace kel
