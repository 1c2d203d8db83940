#include "timesheet/month_rebuild.h"

#include "data/connection.h"
#include "data/data_module.h"
#include "data/dataset.h"
#include "data/db_error.h"
#include "data/transaction.h"
#include "timesheet/month_calendar.h"
#include "timesheet/rebuild_statements.h"

#include <QPair>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>

namespace timesheet {

namespace {

QSqlQuery prepared(const QSqlDatabase& db, const QString& sql) {
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw data::DbError(q.lastError().text());
    return q;
}

void run(QSqlQuery& q) {
    if (!q.exec())
        throw data::DbError(q.lastError().text());
}

}  // namespace

void rebuildMonth(data::SharedData& shared, int month, const QString& year, data::Dataset& dt,
                  const std::function<void(int day)>& afterRow) {
    const QDate first = firstDayOf(month, year);
    if (!first.isValid())
        throw data::DbError(QStringLiteral("'") + year + QStringLiteral("' не является годом"));

    data::Transaction transaction;
    shared.DelSmena.setSql(rebuild::deleteMonth(month, year));
    shared.DelSmena.exec();

    // Rows this rebuild has inserted: their count can only be 1 or more, so it is not asked again.
    // Rows it has not inserted are counted, as another workstation may have written one.
    QSet<QPair<qint64, qint64>> inserted;  // worker, shift
    const QSqlDatabase db = data::defaultDb();
    QSqlQuery count = prepared(db, rebuild::rowCountBound(month, year));
    const int n = first.daysInMonth();
    for (int day = 1; day <= n; ++day) {
        dt.close();
        dt.setParam(QStringLiteral("data"), first.addDays(day - 1));
        dt.open();
        if (!dt.isEmpty()) {
            QSqlQuery update = prepared(db, rebuild::updateDayBound(day, month, year));
            QSqlQuery insert = prepared(db, rebuild::insertDayBound(day, month, year));
            const int wField = dt.fieldIndex(QStringLiteral("w_id"));
            const int sField = dt.fieldIndex(QStringLiteral("smena"));
            const int tField = dt.fieldIndex(QStringLiteral("tim"));
            const int rows = dt.recordCount();
            for (int r = 0; r < rows; ++r) {
                const QVariant w = dt.valueAt(r, wField);
                const QVariant s = dt.valueAt(r, sField);
                const qint64 t = dt.valueAt(r, tField).toLongLong();  // no hours read as 0

                const QPair<qint64, qint64> key(w.toLongLong(), s.toLongLong());
                bool exists = inserted.contains(key);
                if (!exists) {
                    count.addBindValue(w);
                    count.addBindValue(s);
                    run(count);
                    exists = count.next() && count.value(0).toLongLong() != 0;
                    count.finish();
                }

                QSqlQuery& write = exists ? update : insert;
                if (exists) {
                    write.addBindValue(QString::number(t));
                    write.addBindValue(w);
                    write.addBindValue(s);
                } else {
                    write.addBindValue(s);
                    write.addBindValue(w);
                    write.addBindValue(t);
                    inserted.insert(key);
                }
                run(write);
                afterRow(day);
            }
        }
        dt.close();
        afterRow(day);
    }
    transaction.commit();
}

}  // namespace timesheet
