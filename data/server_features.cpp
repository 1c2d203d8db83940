#include "data/server_features.h"

#include "data/statement_runner.h"

#include <QHash>

namespace data {

namespace {
// Per connection name, per check: the server's answer.
QHash<QString, QHash<QString, bool>>& known() {
    static QHash<QString, QHash<QString, bool>> answers;
    return answers;
}

bool askOnce(const QSqlDatabase& db, const QString& check) {
    QHash<QString, bool>& answers = known()[db.connectionName()];
    const auto it = answers.constFind(check);
    if (it != answers.constEnd())
        return *it;
    QSqlQuery q = runStatement(db, check);
    const bool available = q.next() && q.value(0).toBool();
    answers.insert(check, available);
    return available;
}
}  // namespace

bool closedMonthsAvailable(const QSqlDatabase& db) {
    return askOnce(db,
                   QStringLiteral("select to_regclass('accounts_dep.closed_month') is not null"));
}

bool monthFunctionsAvailable(const QSqlDatabase& db) {
    return askOnce(db, QStringLiteral("select to_regprocedure('accounts_dep.reopen_month(integer, "
                                      "integer, text)') is not null"));
}

void forgetServerFeatures(const QString& connectionName) {
    known().remove(connectionName);
}

}  // namespace data
