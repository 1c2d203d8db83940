#include "export/export_location.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace exporting {

namespace {

bool usable(const QString& folder) {
    return QDir().mkpath(folder) && QFileInfo(folder).isWritable();
}

}  // namespace

QString exportFolder() {
    const QString configured = qEnvironmentVariable("PLANT_EXPORT_DIR");
    if (!configured.isEmpty())
        return QDir(configured).absolutePath();  // a folder that cannot be made fails the save

    QString base = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (base.isEmpty())
        base = QDir::homePath();
    const QString own = QDir(base).filePath(QStringLiteral("Таблицы"));
    if (usable(own))
        return own;
    return QDir::tempPath();
}

QString workbookPath(const QString& folder, const QString& stem, const QDateTime& when) {
    const QString base = stem + ' ' + when.toString(QStringLiteral("yyyy-MM-dd HH-mm-ss"));
    const QDir dir(folder);
    QString path = dir.filePath(base + QStringLiteral(".xlsx"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = dir.filePath(base + QStringLiteral(" (%1).xlsx").arg(n));
    return path;
}

}  // namespace exporting
