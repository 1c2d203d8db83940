#pragma once

#include <QString>

namespace exporting {

// What reading a written .xlsx back found.
enum class WorkbookCheck {
    Whole,
    // No zip directory, or a part that does not inflate to its checksum: the file itself was cut
    // (the export folder's disk).
    FileCut,
    // The zip is whole but an XML part in it ends early: libxlsxwriter wrote the part through a
    // temporary file that could not take all of it (the temporary folder's disk).
    PartCut,
};

// Reads every part of the workbook at path and checks that each XML part is whole.
WorkbookCheck checkWrittenWorkbook(const QString& path);

}  // namespace exporting
