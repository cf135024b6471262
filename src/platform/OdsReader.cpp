// OpenDocument spreadsheets: every sheet and the named ranges are in content.xml. Rows and
// cells may be repeated ("number-rows-repeated"), which the sheet keeps as runs.
#include <QRegularExpression>
#include <algorithm>

#include "platform/WorkbookArchive.h"
#include "platform/WorkbookReaders.h"
#include "platform/WorkbookValues.h"

namespace kel {

namespace {

// A repeat count of an attribute, at least 1.
int RepeatCount(QStringView text) {
    bool ok = false;
    const qint64 n = text.toLongLong(&ok);
    return ok && n > 1 ? int(std::min<qint64>(n, kSheetMaxRows)) : 1;
}

// The text of a paragraph (the reader stands on its start element), with its spaces, tabs
// and line breaks; notes and annotations inside it are left out.
QString ReadParagraph(XmlPart& part) {
    QString out;
    int depth = 0;
    while (part.Next()) {
        QXmlStreamReader& x = part.xml;
        if (x.isCharacters()) {
            out += x.text();
        } else if (x.isStartElement()) {
            const QStringView name = x.name();
            if (name == u"s") {
                out += QString(std::clamp(part.Attr(u"c").toInt(), 1, 1024), u' ');
                x.skipCurrentElement();
            } else if (name == u"tab") {
                out += u'\t';
                x.skipCurrentElement();
            } else if (name == u"line-break") {
                out += u'\n';
                x.skipCurrentElement();
            } else if (name == u"note" || name == u"annotation") {
                x.skipCurrentElement();
            } else {
                ++depth;
            }
        } else if (x.isEndElement()) {
            if (depth == 0) break;
            --depth;
        }
    }
    return out;
}

// Splits at `sep` outside single quotes.
QStringList SplitOutsideQuotes(const QString& text, QChar sep) {
    QStringList out;
    QString piece;
    bool quoted = false;
    for (QChar c : text) {
        if (c == u'\'') quoted = !quoted;
        if (c == sep && !quoted) {
            out << piece;
            piece.clear();
        } else {
            piece += c;
        }
    }
    out << piece;
    return out;
}

// An OpenDocument cell range address ("$Sheet1.$A$1:.$B$3", "$'My Sheet'.A1") in the form
// ParseAreaReference reads ("'Sheet1'!A1:B3"); the address itself when it is not one range.
QString ExcelReference(const QString& address) {
    QString sheet, corners;
    const QStringList ends = SplitOutsideQuotes(address.trimmed(), u':');
    if (ends.size() > 2) return address;
    for (const QString& end : ends) {
        const QStringList parts = SplitOutsideQuotes(end, u'.');
        static const QRegularExpression corner(QStringLiteral("^\\$?[A-Za-z]{0,3}\\$?[0-9]*$"));
        if (parts.size() > 2 || !corner.match(parts.last()).hasMatch()) return address;
        if (parts.size() == 2 && !parts[0].isEmpty()) {
            QString s = parts[0];
            if (s.startsWith(u'$')) s = s.mid(1);
            if (s.size() >= 2 && s.startsWith(u'\'') && s.endsWith(u'\''))
                s = s.mid(1, s.size() - 2).replace(QStringLiteral("''"), QStringLiteral("'"));
            if (sheet.isEmpty()) sheet = s;
        }
        if (!corners.isEmpty()) corners += u':';
        corners += parts.last();
    }
    if (sheet.isEmpty()) return corners;
    return u'\'' + QString(sheet).replace(u'\'', QStringLiteral("''")) + QStringLiteral("'!") +
           corners;
}

// A named range or expression (the reader stands on it); `scope` is the sheet it is
// declared in, empty for the whole workbook.
DefinedName ReadName(XmlPart& part, const QString& scope) {
    const bool range = part.xml.name() == u"named-range";
    QString text = (range ? part.Attr(u"cell-range-address") : part.Attr(u"expression")).toString();
    if (text.startsWith(QStringLiteral("of:="))) text = text.mid(4);
    if (text.startsWith(u'[') && text.endsWith(u']')) text = text.mid(1, text.size() - 2);
    return {part.Attr(u"name").toString(), scope, ExcelReference(text)};
}

}  // namespace

bool ReadOdsWorkbook(WorkbookArchive& archive, WorkbookContent& book, QString* error) {
    XmlPart part(archive, QStringLiteral("content.xml"), &book.inflateBudget);
    std::shared_ptr<SheetCells> cells;
    QString sheetName;
    int row = 1, rowRepeat = 1, column = 1;
    std::vector<CellRun> rowCells;
    bool inCell = false;
    QString cellType, cellValue, cellText;
    int columnRepeat = 1, paragraphs = 0;
    int nestedTables = 0;  // tables inside a cell
    while (part.Next()) {
        QXmlStreamReader& x = part.xml;
        const QStringView name = x.name();
        if (x.isStartElement()) {
            if (name == u"named-range" || name == u"named-expression") {
                book.names.push_back(ReadName(part, sheetName));
            } else if (name == u"table") {
                if (cells) {
                    ++nestedTables;
                } else {
                    sheetName = part.Attr(u"name").toString();
                    cells = std::make_shared<SheetCells>();
                    row = 1;
                }
            } else if (!cells || nestedTables > 0) {
                continue;
            } else if (name == u"table-row") {
                rowRepeat = RepeatCount(part.Attr(u"number-rows-repeated"));
                rowCells.clear();
                column = 1;
            } else if (name == u"table-cell" || name == u"covered-table-cell") {
                inCell = true;
                columnRepeat = RepeatCount(part.Attr(u"number-columns-repeated"));
                cellType.clear();
                for (const QXmlStreamAttribute& a : x.attributes())
                    if (a.name() == u"value-type" && cellType != u"error")
                        cellType = a.value().toString();
                cellValue = cellType == u"date"      ? part.Attr(u"date-value").toString()
                            : cellType == u"time"    ? part.Attr(u"time-value").toString()
                            : cellType == u"boolean" ? part.Attr(u"boolean-value").toString()
                            : cellType == u"string"  ? part.Attr(u"string-value").toString()
                                                     : part.Attr(u"value").toString();
                cellText.clear();
                paragraphs = 0;
            } else if (inCell && name == u"p") {
                if (paragraphs++ > 0) cellText += u'\n';
                cellText += ReadParagraph(part);
            } else if (inCell && name == u"annotation") {
                x.skipCurrentElement();
            }
        } else if (x.isEndElement() && cells) {
            if (nestedTables > 0) {
                if (name == u"table") --nestedTables;
            } else if (name == u"table-cell" || name == u"covered-table-cell") {
                inCell = false;
                QString text;
                if (cellType == u"float" || cellType == u"percentage" || cellType == u"currency")
                    text = NumberCellText(cellValue);
                else if (cellType == u"date")
                    text = IsoDateText(cellValue);
                else if (cellType == u"time")
                    text = DurationText(cellValue);
                else if (cellType == u"boolean")
                    text = cellValue == u"true" ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
                else if (cellType == u"string" && !cellValue.isEmpty())
                    text = cellValue;
                else
                    text = cellText;
                const int count = std::min(columnRepeat, kSheetMaxColumns - column + 1);
                if (!text.isEmpty() && count > 0) rowCells.push_back({column, count, text});
                column = std::min(column + columnRepeat, kSheetMaxColumns + 1);
            } else if (name == u"table-row") {
                const int count = std::min(rowRepeat, kSheetMaxRows - row + 1);
                if (count > 0) cells->AddRows(row, count, std::move(rowCells));
                rowCells.clear();
                row = std::min(row + rowRepeat, kSheetMaxRows + 1);
                if (cells->RunCount() > kWorkbookMaxCellRuns) {
                    part.Fail(QStringLiteral("the sheet \"%1\" holds more than %2 cells")
                                  .arg(sheetName)
                                  .arg(kWorkbookMaxCellRuns));
                    break;
                }
            } else if (name == u"table") {
                SheetEntry sheet;
                sheet.name = sheetName;
                sheet.cells = std::move(cells);
                book.sheets.push_back(std::move(sheet));
                cells.reset();
                sheetName.clear();
            }
        }
    }
    *error = part.Error();
    if (error->isEmpty() && !part.Found())
        *error = QStringLiteral("the file holds no content.xml part");
    return error->isEmpty();
}

}  // namespace kel
