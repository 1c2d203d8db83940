#include "data/transaction.h"

#include "data/connection.h"
#include "data/db_error.h"
#include "data/statement_runner.h"

#include <QSqlError>

namespace data {

namespace {
int depth = 0;
bool rollbackOnly = false;
}  // namespace

Transaction::Transaction() {
    if (depth == 0) {
        QSqlDatabase db = defaultDb();
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
        defaultDb().rollback();
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
    QSqlDatabase db = defaultDb();
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

void lockForTransaction(const QString& key, LockMode mode) {
    runStatement(defaultDb(),
                 mode == LockMode::Shared
                     ? QStringLiteral("select pg_advisory_xact_lock_shared(hashtext(:key))")
                     : QStringLiteral("select pg_advisory_xact_lock(hashtext(:key))"),
                 {{QStringLiteral("key"), key}});
}

}  // namespace data
