#pragma once

#include <QDateTime>
#include <QString>

namespace exporting {

// The folder workbooks are saved in: PLANT_EXPORT_DIR when set, else "Таблицы" in the user's
// documents folder (or home), else the temporary folder. Created when missing where possible.
QString exportFolder();

// A readable file name that does not exist yet in folder: stem, date and time, and a counter
// when two workbooks are saved within one second ("Отчет 2026-12-10 14-05-33 (2).xlsx").
QString workbookPath(const QString& folder, const QString& stem, const QDateTime& when);

}  // namespace exporting
