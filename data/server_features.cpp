#include "data/server_features.h"

#include "data/statement_runner.h"

#include <QHash>

namespace data {

namespace {
QHash<QString, bool>& known() {
    static QHash<QString, bool> answers;
    return answers;
}
}  // namespace

bool closedMonthsAvailable(const QSqlDatabase& db) {
    const auto it = known().constFind(db.connectionName());
    if (it != known().constEnd())
        return *it;
    QSqlQuery q = runStatement(
        db, QStringLiteral("select to_regclass('accounts_dep.closed_month') is not null"));
    const bool available = q.next() && q.value(0).toBool();
    known().insert(db.connectionName(), available);
    return available;
}

void forgetServerFeatures(const QString& connectionName) {
    known().remove(connectionName);
}

}  // namespace data
