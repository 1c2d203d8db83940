#pragma once

#include <QString>

namespace exporting {

// Opens a saved workbook in the desktop's spreadsheet application for the user; when the desktop
// has none, a box tells where the workbook was saved. PLANT_NO_LAUNCH=1 opens nothing; an empty
// path (nothing was saved) does nothing.
void showWorkbook(const QString& path);

}  // namespace exporting
