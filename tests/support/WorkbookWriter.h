// Writes small workbook files for tests, the examples and the benchmarks: zip containers
// through QuaZip with fixed time stamps (the same input gives the same bytes), either from
// raw parts or from rows of typed values.
#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

namespace kel::test {

// Part name and content, in container order.
using ZipParts = QList<QPair<QString, QByteArray>>;

// Writes the parts into a zip file at `path` (deflated; "mimetype" is stored, as
// OpenDocument wants it). False when the file cannot be written.
bool WriteZip(const QString& path, const ZipParts& parts);

// A sheet of typed values: QString is a text, int and double are numbers, bool a boolean,
// QDate a date and QDateTime a date with its time; a null QVariant is a blank cell.
struct SheetSpec {
    QString name;
    QList<QVariantList> rows;
};

// A defined name for `area` ("A2:E20") on sheet `sheet`; `scope` is the sheet it belongs
// to, empty for the whole workbook.
struct NameSpec {
    QString name;
    QString scope;
    QString sheet;
    QString area;
};

// The parts of an .xlsx workbook (texts as shared strings, dates with a date format) and
// of an .ods spreadsheet holding the same values.
ZipParts XlsxParts(const QList<SheetSpec>& sheets, const QList<NameSpec>& names = {});
ZipParts OdsParts(const QList<SheetSpec>& sheets, const QList<NameSpec>& names = {});

// The parts of an .xlsx workbook with one sheet whose <sheetData> content is given as it
// stands, with the shared strings `strings` (each a whole <si> element's content) and a
// cell format 1 that shows dates.
ZipParts RawXlsxParts(const QByteArray& sheetData, const QList<QByteArray>& strings = {},
                      const QByteArray& workbookExtra = {});
// The parts of an .ods spreadsheet whose <office:spreadsheet> content is given as it stands.
ZipParts RawOdsParts(const QByteArray& spreadsheet);

// The place table of the examples: the figures of examples/sample.kel by oid, with their
// names, a date, a number and a flag, on sheet "Places" (named range "Meisho" over its rows
// below the header) and a second sheet "路線".
QList<SheetSpec> ExampleSheets();
QList<NameSpec> ExampleNames();

}  // namespace kel::test
