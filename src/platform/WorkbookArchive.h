// The zip container of a workbook file and its XML parts. Parts are read as a stream
// (QXmlStreamReader, never a whole document in memory), and what they inflate to is capped
// for the whole workbook, so that a small file that would inflate to gigabytes (a zip bomb)
// is refused instead of filling the memory. Parts that declare a document type are refused
// too: workbook formats never use one, and entity declarations are how XML expands itself.
#pragma once

#include <QString>
#include <QXmlStreamReader>
#include <memory>

class QuaZip;
class QuaZipFile;

namespace kel {

// What all the parts of one workbook may inflate to, together.
constexpr qint64 kWorkbookMaxInflatedBytes = qint64(256) << 20;

class WorkbookArchive {
public:
    WorkbookArchive();
    ~WorkbookArchive();
    WorkbookArchive(const WorkbookArchive&) = delete;
    WorkbookArchive& operator=(const WorkbookArchive&) = delete;

    // Opens the container of `path`; false with the reason (not a zip, an old binary or
    // password-protected workbook, unreadable).
    bool Open(const QString& path, QString* error);
    // Whether the container holds a part of this name (compared without regard to case,
    // as part names are).
    bool HasPart(const QString& name);
    // The first `maxBytes` bytes of a small part that is not XML (OpenDocument's
    // "mimetype"); empty when the part is missing or unreadable.
    QByteArray ReadSmallPart(const QString& name, qint64 maxBytes);
    QuaZip& Zip() { return *zip_; }

private:
    std::unique_ptr<QuaZip> zip_;
};

// One XML part of an opened archive, read token by token:
//   XmlPart part(archive, "xl/workbook.xml", &budget);
//   while (part.Next()) { ... part.xml ... }
//   if (!part.Error().isEmpty()) ...
class XmlPart {
public:
    // `budget` is the number of inflated bytes still allowed; reading lowers it.
    XmlPart(WorkbookArchive& archive, const QString& name, qint64* budget);
    ~XmlPart();
    XmlPart(const XmlPart&) = delete;
    XmlPart& operator=(const XmlPart&) = delete;

    bool Found() const { return found_; }
    // Moves to the next start element, element end or text; false at the end of the part
    // or on an error.
    bool Next();
    // Why the part could not be read to its end; empty when it was (or was not found).
    QString Error() const;
    // An attribute of the current element by its local name, whatever its namespace.
    QStringView Attr(QStringView localName) const;
    // Ends reading early with a reason.
    void Fail(const QString& reason);

    QXmlStreamReader xml;

private:
    class CappedDevice;
    QString name_;
    bool found_ = false;
    std::unique_ptr<QuaZipFile> file_;
    std::unique_ptr<CappedDevice> device_;
    QString error_;
};

}  // namespace kel
