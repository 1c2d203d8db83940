#include "data/transaction.h"

#include "data/busy.h"
#include "data/change.h"
#include "data/connection.h"
#include "data/db_error.h"
#include "data/sql_text.h"
#include "data/statement_runner.h"

#include <QSqlError>
#include <algorithm>
#include <utility>

namespace data {

namespace {
int depth = 0;
bool rollbackOnly = false;
std::vector<Change> held;  // announced inside the open transaction, in order, each once

// After the outermost commit: the held changes are told, and none twice should a window's
// answer start a transaction of its own.
void tellHeld() {
    const std::vector<Change> told = std::exchange(held, {});
    for (const Change& change : told)
        emit changes().changed(change);
}
}  // namespace

Transaction::Transaction() {
    if (depth == 0) {
        QSqlDatabase db = defaultDb();
        ensureConnected(db);
        if (!db.transaction())
            throw failureOn(db, db.lastError());
        rollbackOnly = false;
        held.clear();
    }
    ++depth;
}

Transaction::~Transaction() {
    if (done_)
        return;
    --depth;
    if (depth == 0) {
        held.clear();
        QSqlDatabase db = defaultDb();
        if (db.isOpen())  // a lost connection took the transaction with it
            db.rollback();
    } else
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
    const BusyScope busy;
    if (rollbackOnly) {
        held.clear();
        db.rollback();
        throw DbError(QStringLiteral("Транзакция отменена"));
    }
    if (!db.commit()) {
        held.clear();
        const QSqlError error = db.lastError();
        const DbError failure = failureOn(db, error);
        if (!db.isOpen())
            throw DbError(
                QStringLiteral("Соединение с сервером базы данных потеряно при завершении записи: "
                               "сохранена ли она, неизвестно. Проверьте её, когда сервер снова "
                               "будет доступен.\n") +
                error.text());
        db.rollback();
        throw failure;
    }
    tellHeld();
}

bool Transaction::active() {
    return depth > 0;
}

void Transaction::holdUntilCommit(const Change& change) {
    if (std::find(held.begin(), held.end(), change) == held.end())
        held.push_back(change);
}

void lockForTransaction(const QString& key, LockMode mode) {
    runStatement(defaultDb(),
                 mode == LockMode::Shared
                     ? QStringLiteral("select pg_advisory_xact_lock_shared(hashtext(:key))")
                     : QStringLiteral("select pg_advisory_xact_lock(hashtext(:key))"),
                 {{QStringLiteral("key"), key}});
}

void lockAllForTransaction(const std::vector<LockRequest>& locks) {
    if (locks.empty())
        return;
    if (locks.size() == 1) {
        lockForTransaction(locks.front().key, locks.front().mode);
        return;
    }
    // The lock functions run after the ordering, so the locks are taken in the order given.
    QString rows;
    for (std::size_t i = 0; i < locks.size(); ++i) {
        rows += (i ? QStringLiteral(", (") : QStringLiteral("(")) + QString::number(i) +
                QStringLiteral(", ") + quotedLiteral(locks[i].key) +
                (locks[i].mode == LockMode::Shared ? QStringLiteral(", true)")
                                                   : QStringLiteral(", false)"));
    }
    runStatement(
        defaultDb(),
        QStringLiteral("select case when shared then pg_advisory_xact_lock_shared(hashtext(k)) "
                       "else pg_advisory_xact_lock(hashtext(k)) end from (values ") +
            rows + QStringLiteral(") as l(n, k, shared) order by n"),
        {});
}

}  // namespace data
