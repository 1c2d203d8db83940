#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <memory>

namespace printing {
class WorkProgress;
}

namespace data {

class ColumnStore;

// Fills rows (reset to the result's columns) with every remaining row of an executed
// forward-only query, each value typed exactly as QSqlQuery::value() gives it. On the ODBC driver
// the rows are fetched in blocks into bound column buffers: asking the driver for every value on
// its own costs several times the query's own time on a large result. Other drivers, and results
// with column types the block fetch does not convert, take the per-value path. Throws DbError with
// the driver's message when the driver fails mid-fetch. With progress, tells it the rows read
// after each block and stops there (printing::WorkCancelled) once it is cancelled.
void fetchRows(QSqlQuery& query, ColumnStore& rows, printing::WorkProgress* progress = nullptr);

// The same read a part at a time: made on an executed forward-only query (rows reset to its
// columns, or kept as they are to go on after the rows of an earlier query with the same
// columns), each fetch() adds the next rows until the result ends. The query stays as it is
// between the parts and must outlive the fetch.
class RowFetch {
public:
    enum class Rows { Afresh, Appended };
    RowFetch(QSqlQuery& query, ColumnStore& rows, Rows start = Rows::Afresh);
    ~RowFetch();
    RowFetch(const RowFetch&) = delete;
    RowFetch& operator=(const RowFetch&) = delete;

    // Adds at least `rows` rows (whole blocks) or the rest; true once the result has ended.
    // Throws and stops as fetchRows does.
    bool fetch(int rows, printing::WorkProgress* progress = nullptr);
    bool atEnd() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

// The ODBC connection handle (SQLHDBC) of db when it runs on Qt's ODBC driver, else null.
void* odbcConnectionHandle(const QSqlDatabase& db);

// The driver's messages about an ODBC statement handle (SQLHSTMT), joined; firstState, when
// given, gets the first one's SQLSTATE.
QString odbcStatementDiagnostics(void* statement, QString* firstState = nullptr);

// While it lives, a statement executed on the connection is read by the ODBC driver from a server
// cursor, a part of `rows` rows at a time, instead of whole into the driver's own memory first
// (a long period's report would hold its result twice). Connections of other drivers are left
// as they are.
class ServerCursorScope {
public:
    ServerCursorScope(const QSqlDatabase& db, int rows);
    ~ServerCursorScope();
    ServerCursorScope(const ServerCursorScope&) = delete;
    ServerCursorScope& operator=(const ServerCursorScope&) = delete;

private:
    void* connection_ = nullptr;  // the driver's connection handle while the setting is changed
    int fetch_ = 0;
    int useCursor_ = 0;
};

}  // namespace data
