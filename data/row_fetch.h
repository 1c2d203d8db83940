#pragma once

#include <QSqlQuery>
#include <QVariant>
#include <vector>

namespace data {

// Appends every remaining row of an executed forward-only query to cells, row after row, each
// value typed exactly as QSqlQuery::value() gives it. On the ODBC driver the rows are fetched in
// blocks into bound column buffers: asking the driver for every value on its own costs several
// times the query's own time on a large result. Other drivers, and results with column types the
// block fetch does not convert, take the per-value path. Throws DbError with the driver's message
// when the driver fails mid-fetch.
void fetchRows(QSqlQuery& query, std::vector<QVariant>& cells);

}  // namespace data
