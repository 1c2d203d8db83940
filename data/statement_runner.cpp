#include "data/statement_runner.h"

#include "data/busy.h"
#include "data/connection.h"
#include "data/db_error.h"
#include "data/sql_log.h"

#include <QSqlError>

namespace data {

std::vector<PlaceholderSpan> placeholderSpans(const QString& sql) {
    std::vector<PlaceholderSpan> spans;
    QChar quote;
    const qsizetype n = sql.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = sql.at(i);
        if (!quote.isNull()) {
            if (ch == quote)
                quote = QChar();
            continue;
        }
        if (ch == u'\'' || ch == u'"') {
            quote = ch;
            continue;
        }
        if (ch != u':' || (i > 0 && sql.at(i - 1) == u':') || i + 1 >= n)
            continue;
        if (!(sql.at(i + 1).isLetterOrNumber() || sql.at(i + 1) == u'_'))
            continue;
        qsizetype j = i + 1;
        while (j < n && (sql.at(j).isLetterOrNumber() || sql.at(j) == u'_'))
            ++j;
        spans.push_back({i, j - i, sql.mid(i + 1, j - i - 1)});
        i = j - 1;
    }
    return spans;
}

QStringList placeholdersIn(const QString& sql) {
    QStringList names;
    for (const PlaceholderSpan& span : placeholderSpans(sql))
        if (!names.contains(span.name))
            names << span.name;
    return names;
}

namespace {
[[noreturn]] void refused(const QString& name, const DbError& error) {
    logFailedStatement(name, error.message());
    throw error;
}
}  // namespace

QSqlQuery runStatement(const QSqlDatabase& db, const QString& sql,
                       const QHash<QString, QVariant>& params, bool forwardOnly,
                       const QString& name) {
    ensureConnected(db);
    const BusyScope busy;
    QSqlQuery q(db);
    q.setForwardOnly(forwardOnly);
    const QStringList names = placeholdersIn(sql);
    bool ok;
    if (names.isEmpty()) {
        ok = q.exec(sql);
    } else {
        if (!q.prepare(sql))
            refused(name, failureOn(db, q));
        for (const QString& name : names)
            q.bindValue(QLatin1Char(':') + name, params.value(name));
        ok = q.exec();
    }
    if (!ok)
        refused(name, failureOn(db, q));
    return q;
}

}  // namespace data
