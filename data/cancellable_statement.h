#pragma once

#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>

namespace printing {
class WorkProgress;
}

namespace data {

// The statement with its :name placeholders replaced by the values as SQL literals (dates and
// times in ISO form, texts through quotedLiteral, a missing or NULL value as null).
QString withLiterals(const QString& sql, const QHash<QString, QVariant>& params);

// Runs a statement without a result (sql holds no placeholders) on db. With progress, the server
// works while this thread goes on handling events: progress is told the server is working
// (serverWorking()) a few times a second, and once it is cancelled the server is asked to stop
// the statement at once; the call then ends with printing::WorkCancelled, the statement undone
// (no transaction is left open). Without progress, or off Qt's ODBC driver, it runs as
// runStatement does. Throws DbError as runStatement does.
void runCancellable(const QSqlDatabase& db, const QString& sql, printing::WorkProgress* progress,
                    const QString& name = {});

}  // namespace data
