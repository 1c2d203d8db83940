#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// Statement texts of the change history window (the upgrade's accounts_dep.change_log).
namespace history {

// What the window shows, each a set of the history's table names.
enum class Kind { Journal, PricesAndOperations, ReferenceBooks, Months };
QStringList tablesOf(Kind kind);

// Counts (cnt) 1 when the database keeps the history, 0 when it was not upgraded.
QString availabilityCheck();

// The rows of days from..to (both included) of the given tables, newest first. Columns: id,
// changed (dd.mm.yyyy hh:mi:ss), workstation (for another program: its name and address), role,
// program, table_name, row_id, what ("table:action"), object (the row in words), changes (what
// changed, as the json {"t": table, "a": action, "o": old values, "n": new values, "r": the
// reason of a month's reopening, null elsewhere and on a database that keeps no reasons}). With a
// limit, only the newest `limit` rows (read backwards along the time index, no sort of the period).
QString periodRows(const QDate& from, const QDate& to, const QStringList& tables, int limit = 0);
// The whole history of one row, newest first; the same columns.
QString rowHistory(const QString& table, qint64 rowId);

}  // namespace history
