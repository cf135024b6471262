#include "WorkbookWriter.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>

namespace kel::test {

bool WriteZip(const QString& path, const ZipParts& parts) {
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdCreate)) return false;
    for (const auto& [name, data] : parts) {
        QuaZipNewInfo info(name);
        info.dateTime = QDateTime(QDate(2026, 12, 6), QTime(12, 0));
        QuaZipFile file(&zip);
        const bool store = name == QLatin1String("mimetype");
        if (!file.open(QIODevice::WriteOnly, info, nullptr, 0, store ? 0 : Z_DEFLATED,
                       store ? 0 : 6))
            return false;
        if (file.write(data) != data.size()) return false;
        file.close();
        if (file.getZipError() != ZIP_OK) return false;
    }
    zip.close();
    return zip.getZipError() == ZIP_OK;
}

namespace {

QByteArray Escaped(const QString& text) { return text.toHtmlEscaped().toUtf8(); }

QByteArray Num(double v) { return QByteArray::number(v, 'g', 17); }

// Days since 1899-12-30, the 1900 date system's count for dates after February 1900.
double Serial(const QVariant& v) {
    static const QDate epoch(1899, 12, 30);
    if (v.typeId() == QMetaType::QDate) return double(epoch.daysTo(v.toDate()));
    const QDateTime dt = v.toDateTime();
    return double(epoch.daysTo(dt.date())) + dt.time().msecsSinceStartOfDay() / 86400000.0;
}

const QByteArray kXmlHead = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
const QByteArray kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const QByteArray kRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

QByteArray XlsxReference(const QString& sheet, const QString& area) {
    QByteArray out = "'" + Escaped(QString(sheet).replace(u'\'', QStringLiteral("''"))) + "'!";
    const QStringList ends = area.split(u':');
    for (int i = 0; i < ends.size(); ++i) {
        if (i) out += ':';
        QString e = ends[i];
        qsizetype d = 0;
        while (d < e.size() && e[d].isLetter()) ++d;
        out += "$" + e.left(d).toUtf8() + (d < e.size() ? "$" + e.mid(d).toUtf8() : QByteArray());
    }
    return out;
}

ZipParts XlsxPackage(const QList<QByteArray>& sheetXml, const QStringList& sheetNames,
                     const QByteArray& sharedStrings, const QByteArray& definedNames,
                     const QByteArray& workbookExtra) {
    ZipParts parts;
    QByteArray types = kXmlHead +
                       "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                       "content-types\">"
                       "<Default Extension=\"rels\" ContentType=\"application/"
                       "vnd.openxmlformats-package.relationships+xml\"/>"
                       "<Default Extension=\"xml\" ContentType=\"application/xml\"/></Types>";
    parts.append({QStringLiteral("[Content_Types].xml"), types});
    parts.append({QStringLiteral("_rels/.rels"),
                  kXmlHead + "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/"
                             "2006/relationships\"><Relationship Id=\"rId1\" Type=\"" +
                      kRel + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"});
    QByteArray wb = kXmlHead + "<workbook xmlns=\"" + kMain + "\" xmlns:r=\"" + kRel + "\">" +
                    workbookExtra + "<sheets>";
    QByteArray rels = kXmlHead + "<Relationships xmlns=\"http://schemas.openxmlformats.org/"
                                 "package/2006/relationships\">";
    for (int i = 0; i < sheetXml.size(); ++i) {
        const QByteArray id = "rId" + QByteArray::number(i + 1);
        wb += "<sheet name=\"" + Escaped(sheetNames[i]) + "\" sheetId=\"" +
              QByteArray::number(i + 1) + "\" r:id=\"" + id + "\"/>";
        rels += "<Relationship Id=\"" + id + "\" Type=\"" + kRel +
                "/worksheet\" Target=\"worksheets/sheet" + QByteArray::number(i + 1) +
                ".xml\"/>";
    }
    wb += "</sheets>" + definedNames + "</workbook>";
    rels += "<Relationship Id=\"rIdS\" Type=\"" + kRel +
            "/sharedStrings\" Target=\"sharedStrings.xml\"/>"
            "<Relationship Id=\"rIdT\" Type=\"" +
            kRel + "/styles\" Target=\"/xl/styles.xml\"/></Relationships>";
    parts.append({QStringLiteral("xl/workbook.xml"), wb});
    parts.append({QStringLiteral("xl/_rels/workbook.xml.rels"), rels});
    // Format 1: a built-in date; format 2: a custom date and time; format 3: a plain number
    // with decimals.
    parts.append({QStringLiteral("xl/styles.xml"),
                  kXmlHead + "<styleSheet xmlns=\"" + kMain +
                      "\"><numFmts count=\"2\"><numFmt numFmtId=\"164\" "
                      "formatCode=\"yyyy/mm/dd\\ h:mm:ss\"/><numFmt numFmtId=\"165\" "
                      "formatCode=\"0.00&quot;d&quot;\"/></numFmts>"
                      "<cellStyleXfs count=\"1\"><xf numFmtId=\"14\"/></cellStyleXfs>"
                      "<cellXfs count=\"4\"><xf numFmtId=\"0\"/><xf numFmtId=\"14\"/>"
                      "<xf numFmtId=\"164\"/><xf numFmtId=\"165\"/></cellXfs></styleSheet>"});
    parts.append({QStringLiteral("xl/sharedStrings.xml"), sharedStrings});
    for (int i = 0; i < sheetXml.size(); ++i)
        parts.append({QStringLiteral("xl/worksheets/sheet%1.xml").arg(i + 1), sheetXml[i]});
    return parts;
}

}  // namespace

ZipParts XlsxParts(const QList<SheetSpec>& sheets, const QList<NameSpec>& names) {
    QHash<QString, int> stringIndex;
    QByteArray strings;
    QList<QByteArray> sheetXml;
    QStringList sheetNames;
    for (const SheetSpec& s : sheets) {
        sheetNames << s.name;
        QByteArray xml = kXmlHead + "<worksheet xmlns=\"" + kMain + "\"><sheetData>";
        for (int r = 0; r < s.rows.size(); ++r) {
            const QByteArray row = QByteArray::number(r + 1);
            xml += "<row r=\"" + row + "\">";
            for (int c = 0; c < s.rows[r].size(); ++c) {
                const QVariant& v = s.rows[r][c];
                if (v.isNull()) continue;
                xml += "<c r=\"" + QByteArray(1, char('A' + c)) + row + "\"";
                switch (v.typeId()) {
                case QMetaType::QString: {
                    const QString text = v.toString();
                    if (!stringIndex.contains(text)) {
                        stringIndex.insert(text, int(stringIndex.size()));
                        strings += "<si><t xml:space=\"preserve\">" + Escaped(text) + "</t></si>";
                    }
                    xml += " t=\"s\"><v>" + QByteArray::number(stringIndex.value(text)) + "</v>";
                    break;
                }
                case QMetaType::Bool:
                    xml += " t=\"b\"><v>" + QByteArray(v.toBool() ? "1" : "0") + "</v>";
                    break;
                case QMetaType::QDate:
                    xml += " s=\"1\"><v>" + Num(Serial(v)) + "</v>";
                    break;
                case QMetaType::QDateTime:
                    xml += " s=\"2\"><v>" + Num(Serial(v)) + "</v>";
                    break;
                default:
                    xml += "><v>" + Num(v.toDouble()) + "</v>";
                }
                xml += "</c>";
            }
            xml += "</row>";
        }
        xml += "</sheetData></worksheet>";
        sheetXml << xml;
    }
    QByteArray defined;
    if (!names.isEmpty()) {
        defined = "<definedNames>";
        for (const NameSpec& n : names) {
            defined += "<definedName name=\"" + Escaped(n.name) + "\"";
            if (!n.scope.isEmpty())
                defined += " localSheetId=\"" + QByteArray::number(sheetNames.indexOf(n.scope)) + "\"";
            defined += ">" + XlsxReference(n.sheet, n.area) + "</definedName>";
        }
        defined += "</definedNames>";
    }
    const QByteArray sst = kXmlHead + "<sst xmlns=\"" + kMain + "\" count=\"" +
                           QByteArray::number(stringIndex.size()) + "\">" + strings + "</sst>";
    return XlsxPackage(sheetXml, sheetNames, sst, defined, {});
}

ZipParts RawXlsxParts(const QByteArray& sheetData, const QList<QByteArray>& strings,
                      const QByteArray& workbookExtra) {
    QByteArray sst = kXmlHead + "<sst xmlns=\"" + kMain + "\">";
    for (const QByteArray& s : strings) sst += "<si>" + s + "</si>";
    sst += "</sst>";
    const QByteArray sheet = kXmlHead + "<worksheet xmlns=\"" + kMain + "\"><sheetData>" +
                             sheetData + "</sheetData></worksheet>";
    return XlsxPackage({sheet}, {QStringLiteral("S1")}, sst, {}, workbookExtra);
}

namespace {

const QByteArray kOdsHead =
    kXmlHead +
    "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
    "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
    "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
    "xmlns:calcext=\"urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0\" "
    "xmlns:of=\"urn:oasis:names:tc:opendocument:xmlns:of:1.2\" office:version=\"1.3\">"
    "<office:body><office:spreadsheet>";
const QByteArray kOdsTail = "</office:spreadsheet></office:body></office:document-content>";

QByteArray OdsAddress(const QString& sheet, const QString& area) {
    const QByteArray s = "$'" + Escaped(QString(sheet).replace(u'\'', QStringLiteral("''"))) + "'";
    const QStringList ends = area.split(u':');
    QByteArray out = s + "." + ends[0].toUtf8();
    if (ends.size() > 1) out += ":." + ends[1].toUtf8();
    return out;
}

}  // namespace

ZipParts RawOdsParts(const QByteArray& spreadsheet) {
    return {{QStringLiteral("mimetype"), "application/vnd.oasis.opendocument.spreadsheet"},
            {QStringLiteral("META-INF/manifest.xml"),
             kXmlHead + "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:"
                        "xmlns:manifest:1.0\"><manifest:file-entry manifest:full-path=\"/\" "
                        "manifest:media-type=\"application/"
                        "vnd.oasis.opendocument.spreadsheet\"/><manifest:file-entry "
                        "manifest:full-path=\"content.xml\" manifest:media-type=\"text/xml\"/>"
                        "</manifest:manifest>"},
            {QStringLiteral("content.xml"), kOdsHead + spreadsheet + kOdsTail}};
}

ZipParts OdsParts(const QList<SheetSpec>& sheets, const QList<NameSpec>& names) {
    QByteArray body;
    for (const SheetSpec& s : sheets) {
        body += "<table:table table:name=\"" + Escaped(s.name) + "\">";
        for (const QVariantList& row : s.rows) {
            body += "<table:table-row>";
            for (const QVariant& v : row) {
                switch (v.typeId()) {
                case QMetaType::UnknownType:
                    body += "<table:table-cell/>";
                    break;
                case QMetaType::QString:
                    body += "<table:table-cell office:value-type=\"string\"><text:p>" +
                            Escaped(v.toString()) + "</text:p></table:table-cell>";
                    break;
                case QMetaType::Bool:
                    body += "<table:table-cell office:value-type=\"boolean\" "
                            "office:boolean-value=\"" +
                            QByteArray(v.toBool() ? "true" : "false") +
                            "\"><text:p>" + QByteArray(v.toBool() ? "TRUE" : "FALSE") +
                            "</text:p></table:table-cell>";
                    break;
                case QMetaType::QDate:
                    body += "<table:table-cell office:value-type=\"date\" office:date-value=\"" +
                            v.toDate().toString(Qt::ISODate).toUtf8() +
                            "\"><text:p>x</text:p></table:table-cell>";
                    break;
                case QMetaType::QDateTime:
                    body += "<table:table-cell office:value-type=\"date\" office:date-value=\"" +
                            v.toDateTime().toString(Qt::ISODate).toUtf8() +
                            "\"><text:p>x</text:p></table:table-cell>";
                    break;
                default:
                    body += "<table:table-cell office:value-type=\"float\" office:value=\"" +
                            Num(v.toDouble()) + "\"><text:p>" + Num(v.toDouble()) +
                            "</text:p></table:table-cell>";
                }
            }
            body += "</table:table-row>";
        }
        // The empty rest of the sheet, as applications write it.
        body += "<table:table-row table:number-rows-repeated=\"1048000\"><table:table-cell "
                "table:number-columns-repeated=\"1024\"/></table:table-row>";
        const QByteArray local = [&] {
            QByteArray out;
            for (const NameSpec& n : names)
                if (n.scope == s.name)
                    out += "<table:named-range table:name=\"" + Escaped(n.name) +
                           "\" table:base-cell-address=\"" + OdsAddress(n.sheet, QStringLiteral("A1")) +
                           "\" table:cell-range-address=\"" + OdsAddress(n.sheet, n.area) + "\"/>";
            return out;
        }();
        if (!local.isEmpty()) body += "<table:named-expressions>" + local + "</table:named-expressions>";
        body += "</table:table>";
    }
    QByteArray global;
    for (const NameSpec& n : names)
        if (n.scope.isEmpty())
            global += "<table:named-range table:name=\"" + Escaped(n.name) +
                      "\" table:base-cell-address=\"" + OdsAddress(n.sheet, QStringLiteral("A1")) +
                      "\" table:cell-range-address=\"" + OdsAddress(n.sheet, n.area) + "\"/>";
    if (!global.isEmpty()) body += "<table:named-expressions>" + global + "</table:named-expressions>";
    return RawOdsParts(body);
}

QList<SheetSpec> ExampleSheets() {
    const auto d = [](int y, int m, int day) { return QVariant(QDate(y, m, day)); };
    SheetSpec places{QStringLiteral("Places"),
                     {{QStringLiteral("oid"), QString::fromUtf8("名称"), QString::fromUtf8("登録日"),
                       QString::fromUtf8("標高"), QString::fromUtf8("世界遺産")}}};
    const struct {
        int oid;
        const char* name;
        QVariant date;
        double height;
        bool heritage;
    } rows[] = {
        {1, "浅草寺", d(1958, 2, 8), 4.5, false},
        {2, "東京駅", d(2003, 5, 30), 3.2, false},
        {3, "新宿駅", d(1925, 3, 1), 38.7, false},
        {4, "東京タワー", d(1958, 12, 23), 333, false},
        {5, "東京スカイツリー", QDateTime(QDate(2012, 5, 22), QTime(6, 0)), 634, false},
        {6, "山手線 (南側)", d(1925, 11, 1), 0.1 + 0.2, false},
        {7, "新宿御苑", d(1949, 5, 21), 35, false},
        {8, "皇居", d(1968, 10, 1), 20.25, false},
        {11, "清水寺", d(1994, 12, 15), 140, true},
        {12, "金閣寺", d(1994, 12, 15), 95, true},
        {13, "銀閣寺", d(1994, 12, 15), 110, true},
        {14, "伏見稲荷大社", d(1965, 3, 1), 233, false},
        {15, "京都駅", d(1997, 9, 11), 30, false},
        {16, "二条城", d(1994, 12, 15), 42, true},
        {17, "渡月橋", d(1934, 6, 1), 40, false},
        {18, "哲学の道", d(1972, 4, 1), 70, false},
        {19, "嵐山", d(1927, 12, 1), 381.5, false},
    };
    for (const auto& r : rows)
        places.rows.append({r.oid, QString::fromUtf8(r.name), r.date, r.height, r.heritage});
    SheetSpec lines{QString::fromUtf8("路線"),
                    {{QStringLiteral("oid"), QString::fromUtf8("路線名"), QString::fromUtf8("km")},
                     {6, QString::fromUtf8("JR山手線"), 34.5},
                     {18, QString::fromUtf8("散策路"), 1.5}}};
    return {places, lines};
}

QList<NameSpec> ExampleNames() {
    return {{QStringLiteral("Meisho"), QString(), QStringLiteral("Places"), QStringLiteral("A2:E18")},
            {QStringLiteral("Lines"), QString::fromUtf8("路線"), QString::fromUtf8("路線"),
             QStringLiteral("A2:C3")}};
}

}  // namespace kel::test
