#include "export/workbook_display.h"

#include "export/desktop_launch.h"
#include "ui/dialogs.h"

#include <QDir>

namespace exporting {

void showWorkbook(const QString& path) {
    if (path.isEmpty() || qEnvironmentVariable("PLANT_NO_LAUNCH") == QLatin1String("1"))
        return;
    if (!openInSpreadsheetApplication(path))
        ui::showMessage({QStringLiteral("Книга сохранена в файле\n%1\nОткройте её в программе "
                                        "для работы с таблицами.")
                             .arg(QDir::toNativeSeparators(path)),
                         QStringLiteral("Excel"), ui::Icon::Information, ui::Buttons::Ok});
}

}  // namespace exporting
