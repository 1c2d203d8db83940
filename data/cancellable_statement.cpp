#include "data/cancellable_statement.h"

#include "data/busy.h"
#include "data/connection.h"
#include "data/row_fetch.h"
#include "data/sql_log.h"
#include "data/sql_text.h"
#include "data/statement_runner.h"
#include "printing/work_progress.h"

#include <sql.h>
#include <sqlext.h>
#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QElapsedTimer>
#include <QSqlDriver>
#include <QSqlError>
#include <QTime>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace data {

namespace {

QString literalOf(const QVariant& v) {
    if (!v.isValid() || v.isNull())
        return QStringLiteral("null");
    switch (v.typeId()) {
        case QMetaType::QDate:
            return quotedLiteral(v.toDate().toString(Qt::ISODate));
        case QMetaType::QDateTime:
            return quotedLiteral(
                v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")));
        case QMetaType::QTime:
            return quotedLiteral(v.toTime().toString(QStringLiteral("HH:mm:ss.zzz")));
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            return v.toString();
        case QMetaType::Double:
            return QString::number(v.toDouble(), 'g', 17);
        case QMetaType::Bool:
            return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
        default:
            return quotedLiteral(v.toString());
    }
}

// A cancel sent before the statement reached the server is lost: it is sent again this often
// until the statement ends.
constexpr auto kCancelAgainEvery = std::chrono::milliseconds(200);
// How often the waiting thread looks at the statement, the progress and its events.
constexpr auto kLookEvery = std::chrono::milliseconds(20);

}  // namespace

QString withLiterals(const QString& sql, const QHash<QString, QVariant>& params) {
    QString out;
    out.reserve(sql.size());
    qsizetype from = 0;
    for (const PlaceholderSpan& span : placeholderSpans(sql)) {
        out += QStringView(sql).mid(from, span.start - from);
        out += literalOf(params.value(span.name));
        from = span.start + span.length;
    }
    out += QStringView(sql).mid(from);
    return out;
}

void runCancellable(const QSqlDatabase& db, const QString& sql, printing::WorkProgress* progress,
                    const QString& name) {
    ensureConnected(db);
    const auto connection = static_cast<SQLHDBC>(odbcConnectionHandle(db));
    if (!progress || !connection) {
        runStatement(db, sql, {}, true, name);
        return;
    }
    printing::stopIfCancelled(progress);
    SQLHSTMT h = nullptr;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, connection, &h)))
        throw failureOn(db, QSqlError(QStringLiteral("SQLAllocHandle")));
    const struct FreeStatement {
        SQLHSTMT h;
        ~FreeStatement() { SQLFreeHandle(SQL_HANDLE_STMT, h); }
    } freeStatement{h};

    std::mutex m;
    std::condition_variable ended;
    bool done = false;
    SQLRETURN result = SQL_ERROR;
    std::u16string statement = sql.toStdU16String();
    // The driver serves the connection to one thread at a time; this thread only waits, and
    // SQLCancel is the one call the driver takes from another thread while a statement runs.
    std::thread worker([&] {
        const SQLRETURN r =
            SQLExecDirectW(h, reinterpret_cast<SQLWCHAR*>(statement.data()), SQL_NTS);
        const std::lock_guard lock(m);
        result = r;
        done = true;
        ended.notify_all();
    });

    const BusyScope busy;
    bool cancelling = false;
    std::chrono::steady_clock::time_point cancelSent;
    for (;;) {
        {
            std::unique_lock lock(m);
            if (ended.wait_for(lock, kLookEvery, [&] { return done; }))
                break;
        }
        progress->serverWorking();
        if (progress->cancelled() &&
            (!cancelling || std::chrono::steady_clock::now() - cancelSent >= kCancelAgainEvery)) {
            cancelling = true;
            cancelSent = std::chrono::steady_clock::now();
            SQLCancel(h);
        }
    }
    worker.join();
    if (SQL_SUCCEEDED(result) || result == SQL_NO_DATA)
        return;
    QString state;
    const QString text = odbcStatementDiagnostics(h, &state);
    // 57014: the statement was cancelled on the server, as asked.
    if (progress->cancelled() || state == QLatin1String("57014"))
        throw printing::WorkCancelled();
    const DbError error =
        failureOn(db, QSqlError(text, QString(), QSqlError::StatementError), state);
    logFailedStatement(name, error.message());
    throw error;
}

}  // namespace data
