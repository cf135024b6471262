// The spreadsheet service of this platform: workbook files (.xlsx, .xlsm, .ods) read
// directly, with no spreadsheet application. A workbook is read once when it is opened
// (its sheet list and names) and each sheet when it is first asked for; the objects keep
// what was read, so lookups never read the file again. Nothing is ever written: a
// workbook that does not exist is not created (CreateWorkbook declines).
#pragma once

#include "platform/Spreadsheet.h"

namespace kel {

class WorkbookFiles : public Spreadsheet {
public:
    WorkbookFiles();
    std::unique_ptr<SpreadsheetWorkbook> OpenWorkbook(const QString& path) override;
    std::unique_ptr<SpreadsheetWorkbook> CreateWorkbook(const QString& path) override;
    void Quit() override {}
    QString LastError() const override { return *lastError_; }
    // What the parts of one workbook may inflate to (kWorkbookMaxInflatedBytes unless set).
    void SetInflateLimit(qint64 bytes) { inflateLimit_ = bytes; }

private:
    // Shared with the objects handed out, which report their failures here.
    std::shared_ptr<QString> lastError_;
    qint64 inflateLimit_;
};

}  // namespace kel
