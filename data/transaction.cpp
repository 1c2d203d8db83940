#include "data/transaction.h"

#include "data/connection.h"
#include "data/db_error.h"
#include "data/statement_runner.h"

#include <QSqlError>

namespace data {

namespace {
int depth = 0;
bool rollbackOnly = false;

QSqlDatabase dbFor(const QString& name) {
    return name.isEmpty() ? defaultDb() : QSqlDatabase::database(name, false);
}
}  // namespace

Transaction::Transaction(const QString& connectionName) : connectionName_(connectionName) {
    if (depth == 0) {
        QSqlDatabase db = dbFor(connectionName_);
        if (!db.transaction())
            throw DbError(db.lastError().text());
        rollbackOnly = false;
    }
    ++depth;
}

Transaction::~Transaction() {
    if (done_)
        return;
    --depth;
    if (depth == 0)
        dbFor(connectionName_).rollback();
    else
        rollbackOnly = true;
}

void Transaction::commit() {
    if (done_)
        return;
    done_ = true;
    --depth;
    if (depth > 0)
        return;
    QSqlDatabase db = dbFor(connectionName_);
    if (rollbackOnly) {
        db.rollback();
        throw DbError(QStringLiteral("Транзакция отменена"));
    }
    if (!db.commit()) {
        const QString message = db.lastError().text();
        db.rollback();
        throw DbError(message);
    }
}

bool Transaction::active() {
    return depth > 0;
}

void lockForTransaction(const QString& key) {
    runStatement(defaultDb(), QStringLiteral("select pg_advisory_xact_lock(hashtext(:key))"),
                 {{QStringLiteral("key"), key}});
}

}  // namespace data
