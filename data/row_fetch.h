#pragma once

#include <QSqlQuery>

namespace data {

class ColumnStore;

// Fills rows (reset to the result's columns) with every remaining row of an executed
// forward-only query, each value typed exactly as QSqlQuery::value() gives it. On the ODBC driver
// the rows are fetched in blocks into bound column buffers: asking the driver for every value on
// its own costs several times the query's own time on a large result. Other drivers, and results
// with column types the block fetch does not convert, take the per-value path. Throws DbError with
// the driver's message when the driver fails mid-fetch.
void fetchRows(QSqlQuery& query, ColumnStore& rows);

}  // namespace data
