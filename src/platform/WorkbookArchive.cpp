#include "platform/WorkbookArchive.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <quazip.h>
#include <quazipfile.h>

namespace kel {

// Passes on what a zip entry inflates to until the budget is spent, then reports an error.
class XmlPart::CappedDevice : public QIODevice {
public:
    CappedDevice(QIODevice* source, qint64* budget) : source_(source), budget_(budget) {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }
    bool exceeded = false;
    bool failed = false;

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        if (exceeded || failed) return -1;
        // Ask for one byte more than allowed, so that reaching the cap is told apart from
        // ending exactly at it.
        const qint64 want = std::min(maxSize, *budget_ + 1);
        const qint64 n = source_->read(data, want);
        if (n < 0) {
            failed = true;
            return -1;
        }
        if (n > *budget_) {
            exceeded = true;
            return -1;
        }
        *budget_ -= n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QIODevice* source_;
    qint64* budget_;
};

WorkbookArchive::WorkbookArchive() = default;
WorkbookArchive::~WorkbookArchive() = default;

bool WorkbookArchive::Open(const QString& path, QString* error) {
    QFile probe(path);
    if (!probe.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("the file cannot be read (%1)").arg(probe.errorString());
        return false;
    }
    const QByteArray head = probe.read(8);
    probe.close();
    if (head.startsWith(QByteArray::fromHex("d0cf11e0a1b11ae1"))) {
        *error = QStringLiteral("the file is an Excel 97-2003 workbook (.xls) or a password-"
                                "protected one; only .xlsx and .ods files are read: save it "
                                "in one of those formats without a password");
        return false;
    }
    if (!head.startsWith("PK")) {
        *error = QStringLiteral("the file is not a workbook (.xlsx or .ods files are zip "
                                "containers; this one is not)");
        return false;
    }
    zip_ = std::make_unique<QuaZip>(path);
    if (!zip_->open(QuaZip::mdUnzip)) {
        *error = QStringLiteral("the zip container is damaged (zip error %1)")
                     .arg(zip_->getZipError());
        zip_.reset();
        return false;
    }
    return true;
}

bool WorkbookArchive::HasPart(const QString& name) {
    return zip_ && zip_->setCurrentFile(name, QuaZip::csInsensitive);
}

QByteArray WorkbookArchive::ReadSmallPart(const QString& name, qint64 maxBytes) {
    if (!HasPart(name)) return {};
    QuaZipFile file(zip_.get());
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.read(maxBytes);
}

XmlPart::XmlPart(WorkbookArchive& archive, const QString& name, qint64* budget) : name_(name) {
    if (!archive.HasPart(name)) return;
    found_ = true;
    file_ = std::make_unique<QuaZipFile>(&archive.Zip());
    if (!file_->open(QIODevice::ReadOnly)) {
        error_ = QStringLiteral("the part %1 cannot be unpacked (zip error %2)")
                     .arg(name)
                     .arg(file_->getZipError());
        return;
    }
    device_ = std::make_unique<CappedDevice>(file_.get(), budget);
    xml.setDevice(device_.get());
}

XmlPart::~XmlPart() {
    xml.setDevice(nullptr);
    device_.reset();
    if (file_ && file_->isOpen()) file_->close();
}

bool XmlPart::Next() {
    if (!found_ || !error_.isEmpty() || !device_) return false;
    while (true) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
        case QXmlStreamReader::EndElement:
        case QXmlStreamReader::Characters:
            return true;
        case QXmlStreamReader::DTD:
            Fail(QStringLiteral("the part %1 declares a document type (entities are not "
                                "accepted in workbooks)")
                     .arg(name_));
            return false;
        case QXmlStreamReader::EndDocument:
            file_->close();
            if (file_->getZipError() != UNZ_OK)
                error_ = QStringLiteral("the part %1 is damaged (its checksum does not match)")
                             .arg(name_);
            return false;
        case QXmlStreamReader::Invalid:
            if (device_->exceeded)
                error_ = QStringLiteral("the workbook inflates to more than %1 MiB; it is "
                                        "refused as a possible zip bomb")
                             .arg(kWorkbookMaxInflatedBytes >> 20);
            else if (device_->failed)
                error_ = QStringLiteral("the part %1 is damaged (it cannot be inflated)")
                             .arg(name_);
            else
                error_ = QStringLiteral("the part %1 is not well-formed XML (line %2: %3)")
                             .arg(name_)
                             .arg(xml.lineNumber())
                             .arg(xml.errorString());
            return false;
        default:
            continue;
        }
    }
}

QString XmlPart::Error() const { return error_; }

QStringView XmlPart::Attr(QStringView localName) const {
    for (const QXmlStreamAttribute& a : xml.attributes())
        if (a.name() == localName) return a.value();
    return {};
}

void XmlPart::Fail(const QString& reason) {
    if (error_.isEmpty()) error_ = reason;
}

}  // namespace kel
