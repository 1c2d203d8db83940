#include "export/desktop_launch.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace exporting {

namespace {

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
// xdg-open starts even where nothing handles the file and fails later, unseen; asking the
// desktop's registry first lets the user be told where the file is instead.
bool desktopHasSpreadsheetApplication() {
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return false;
    QProcess query;
    query.start(
        xdgMime,
        {QStringLiteral("query"), QStringLiteral("default"),
         QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sheet")});
    if (!query.waitForFinished(5000) || query.exitCode() != 0)
        return false;
    return !query.readAllStandardOutput().trimmed().isEmpty();
}
#else
bool desktopHasSpreadsheetApplication() {
    return true;
}
#endif

}  // namespace

bool openInSpreadsheetApplication(const QString& path) {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    if (!desktopHasSpreadsheetApplication())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace exporting
