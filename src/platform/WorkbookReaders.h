// The readers of the two workbook formats: Office Open XML (.xlsx, .xlsm) and OpenDocument
// spreadsheets (.ods). Both fill a WorkbookContent from an opened archive; a failure gives
// false (or null) and the reason.
#pragma once

#include <QString>
#include <memory>

#include "platform/WorkbookContent.h"

namespace kel {

class WorkbookArchive;

// The most cell runs one workbook may hold (a run is one cell, or one value an OpenDocument
// file repeats over several cells): beyond it the workbook is refused, not half read.
constexpr qint64 kWorkbookMaxCellRuns = 10'000'000;

// .xlsx: the sheet list, defined names, date system and the cell formats that show dates.
// The cells of a sheet are read when it is first asked for.
bool ReadXlsxWorkbook(WorkbookArchive& archive, WorkbookContent& book, QString* error);
// .xlsx: the cells of one sheet (the shared strings are read with the first sheet).
std::shared_ptr<const SheetCells> ReadXlsxSheet(WorkbookArchive& archive, WorkbookContent& book,
                                                const SheetEntry& sheet, QString* error);

// .ods: everything at once (all sheets share one part with the names).
bool ReadOdsWorkbook(WorkbookArchive& archive, WorkbookContent& book, QString* error);

}  // namespace kel
