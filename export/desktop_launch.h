#pragma once

#include <QString>

namespace exporting {

// Opens a saved workbook in the desktop's spreadsheet application. False when the desktop has
// no application for it (or none could be started).
bool openInSpreadsheetApplication(const QString& path);

}  // namespace exporting
