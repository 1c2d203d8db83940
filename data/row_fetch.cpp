#include "data/row_fetch.h"

#include "data/column_store.h"
#include "data/db_error.h"
#include "printing/work_progress.h"

#include <sql.h>
#include <sqlext.h>
#include <QDate>
#include <QDateTime>
#include <QSqlDriver>
#include <QSqlField>
#include <QSqlRecord>
#include <QSqlResult>
#include <QTime>
#include <charconv>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

namespace data {

// A column fetched in blocks: its buffers, bound to the statement.
struct BoundColumn {
    int type = QMetaType::UnknownType;
    SQLSMALLINT cType = 0;
    SQLLEN width = 0;  // bytes per row
    std::unique_ptr<char[]> data;
    std::unique_ptr<SQLLEN[]> indicator;
};

namespace {

constexpr SQLULEN kBlockRows = 100;
// Characters a bound text buffer holds; a longer value is read on its own after the block.
constexpr SQLLEN kTextBufferChars = 512;
// Bytes of a number's text buffer, its terminating zero included; a longer number (a numeric of
// many digits) is read on its own.
constexpr SQLLEN kNumberBufferBytes = 48;

// The C type the driver converts a column of this Qt type into, as Qt's ODBC driver asks for it.
bool bindingFor(int type, SQLSMALLINT& cType, SQLLEN& width) {
    switch (type) {
        case QMetaType::Int:
            cType = SQL_C_SLONG;
            width = sizeof(SQLINTEGER);
            return true;
        case QMetaType::LongLong:
            cType = SQL_C_SBIGINT;
            width = sizeof(SQLBIGINT);
            return true;
        case QMetaType::Double:
            // As the server's text, read here: the driver's own conversion asks the C library
            // for the locale's decimal point and parses with strtod, value by value.
            cType = SQL_C_CHAR;
            width = kNumberBufferBytes;
            return true;
        case QMetaType::QDate:
            cType = SQL_C_TYPE_DATE;
            width = sizeof(SQL_DATE_STRUCT);
            return true;
        case QMetaType::QTime:
            cType = SQL_C_TYPE_TIME;
            width = sizeof(SQL_TIME_STRUCT);
            return true;
        case QMetaType::QDateTime:
            cType = SQL_C_TYPE_TIMESTAMP;
            width = sizeof(SQL_TIMESTAMP_STRUCT);
            return true;
        case QMetaType::QString:
            cType = SQL_C_WCHAR;
            width = (kTextBufferChars + 1) * static_cast<SQLLEN>(sizeof(SQLWCHAR));
            return true;
        default:
            return false;
    }
}

QString diagnostics(SQLHSTMT h) {
    const QString text = odbcStatementDiagnostics(h);
    return text.isEmpty() ? QStringLiteral("Ошибка чтения строк из базы данных") : text;
}

void check(SQLRETURN r, SQLHSTMT h) {
    if (!SQL_SUCCEEDED(r))
        throw DbError(diagnostics(h));
}

QString textOf(const char* p, SQLLEN bytes) {
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(p),
                              bytes / static_cast<SQLLEN>(sizeof(SQLWCHAR)));
}

// A value longer than its bound buffer, read whole from row `row` (0-based) of the block.
QString longText(SQLHSTMT h, SQLUSMALLINT column, SQLULEN row) {
    check(SQLSetPos(h, static_cast<SQLSETPOSIROW>(row + 1), SQL_POSITION, SQL_LOCK_NO_CHANGE), h);
    QString text;
    SQLWCHAR chunk[4096];
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN r = SQLGetData(h, column, SQL_C_WCHAR, chunk, sizeof chunk, &indicator);
        if (r == SQL_NO_DATA)
            break;
        check(r, h);
        if (indicator == SQL_NULL_DATA)
            return QString();
        const SQLLEN room = sizeof chunk - sizeof(SQLWCHAR);
        const bool partial = indicator == SQL_NO_TOTAL || indicator > room;
        text += textOf(reinterpret_cast<const char*>(chunk), partial ? room : indicator);
        if (!partial)
            break;
    }
    return text;
}

// A number the server sent as text (numeric, float8, float4, with a decimal point whatever the
// locale; "NaN", "Infinity", "-Infinity" as such).
double numberOf(const char* p, SQLLEN bytes) {
    double value = 0;
    const char* end = p + bytes;
    const auto [stop, error] = std::from_chars(p, end, value);
    if (error == std::errc() && stop == end)
        return value;
    // Anything else (out of range, another spelling) as the C library reads it.
    return QByteArray(p, bytes).toDouble();
}

// A number whose text is longer than its bound buffer, read from row `row` (0-based) of the
// block as the driver converts it.
double longNumber(SQLHSTMT h, SQLUSMALLINT column, SQLULEN row) {
    check(SQLSetPos(h, static_cast<SQLSETPOSIROW>(row + 1), SQL_POSITION, SQL_LOCK_NO_CHANGE), h);
    SQLDOUBLE value = 0;
    SQLLEN indicator = 0;
    check(SQLGetData(h, column, SQL_C_DOUBLE, &value, sizeof value, &indicator), h);
    return value;
}

// A value of a bound column of the block into its stored column.
void store(const BoundColumn& c, SQLULEN row, ColumnStore& rows, int column) {
    const char* p = c.data.get() + row * c.width;
    switch (c.type) {
        case QMetaType::Int:
            rows.appendInt(column, *reinterpret_cast<const SQLINTEGER*>(p));
            return;
        case QMetaType::LongLong:
            rows.appendInt64(column, *reinterpret_cast<const SQLBIGINT*>(p));
            return;
        case QMetaType::Double:
            rows.appendDouble(column, numberOf(p, c.indicator[row]));
            return;
        case QMetaType::QDate: {
            const auto* d = reinterpret_cast<const SQL_DATE_STRUCT*>(p);
            rows.append(column, QVariant(QDate(d->year, d->month, d->day)));
            return;
        }
        case QMetaType::QTime: {
            const auto* t = reinterpret_cast<const SQL_TIME_STRUCT*>(p);
            rows.append(column, QVariant(QTime(t->hour, t->minute, t->second)));
            return;
        }
        case QMetaType::QDateTime: {
            const auto* t = reinterpret_cast<const SQL_TIMESTAMP_STRUCT*>(p);
            rows.append(column, QVariant(QDateTime(
                                    QDate(t->year, t->month, t->day),
                                    QTime(t->hour, t->minute, t->second, t->fraction / 1000000))));
            return;
        }
        default:
            rows.appendText(column,
                            QStringView(reinterpret_cast<const char16_t*>(p),
                                        c.indicator[row] / static_cast<SQLLEN>(sizeof(SQLWCHAR))));
    }
}

// The statement handle when the query runs on Qt's ODBC driver, else null.
SQLHSTMT odbcStatement(const QSqlQuery& query) {
    const QSqlDriver* driver = query.driver();
    if (!driver || qstrcmp(driver->metaObject()->className(), "QODBCDriver") != 0)
        return nullptr;
    const QVariant handle = query.result()->handle();
    if (handle.metaType() != QMetaType::fromType<SQLHANDLE>())
        return nullptr;
    return *static_cast<const SQLHSTMT*>(handle.constData());
}

// Leaves the statement as Qt's driver set it up, whatever way the fetch ends.
void resetBindings(SQLHSTMT h) {
    SQLFreeStmt(h, SQL_UNBIND);
    SQLSetStmtAttr(h, SQL_ATTR_ROW_STATUS_PTR, nullptr, 0);
    SQLSetStmtAttr(h, SQL_ATTR_ROWS_FETCHED_PTR, nullptr, 0);
    SQLSetStmtAttr(h, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(SQLULEN{1}), 0);
}

constexpr int kRowsBetweenReports = 1000;

// Reads rows until `until` are stored; true when the result ended first.
bool fetchValueByValue(QSqlQuery& query, ColumnStore& rows, printing::WorkProgress* progress,
                       int until) {
    const int columns = rows.columnCount();
    while (rows.rowCount() < until) {
        if (!query.next())
            return true;
        for (int c = 0; c < columns; ++c)
            rows.append(c, query.value(c));
        rows.endRows();
        if (progress && rows.rowCount() % kRowsBetweenReports == 0) {
            progress->rowsRead(rows.rowCount());
            printing::stopIfCancelled(progress);
        }
    }
    return false;
}

// The columns to fetch in blocks, with their C types and widths; nothing when a column has no
// binding or the query is not a fresh forward-only one on Qt's ODBC driver.
std::optional<std::vector<BoundColumn>> bindableColumns(SQLHSTMT h, const QSqlQuery& query,
                                                        const std::vector<int>& types) {
    if (h == nullptr || !query.isForwardOnly() || query.at() != QSql::BeforeFirstRow ||
        query.numericalPrecisionPolicy() != QSql::LowPrecisionDouble)
        return std::nullopt;
    std::vector<BoundColumn> columns(types.size());
    for (size_t c = 0; c < types.size(); ++c) {
        columns[c].type = types[c];
        if (!bindingFor(columns[c].type, columns[c].cType, columns[c].width))
            return std::nullopt;
    }
    return columns;
}

// Binds the columns' buffers for blocks of kBlockRows rows; fetched and status tell each block.
void bindBlocks(SQLHSTMT h, std::vector<BoundColumn>& columns, SQLULEN& fetched,
                SQLUSMALLINT* status) {
    check(SQLSetStmtAttr(h, SQL_ATTR_ROW_BIND_TYPE, SQL_BIND_BY_COLUMN, 0), h);
    check(SQLSetStmtAttr(h, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(kBlockRows), 0),
          h);
    check(SQLSetStmtAttr(h, SQL_ATTR_ROWS_FETCHED_PTR, &fetched, 0), h);
    check(SQLSetStmtAttr(h, SQL_ATTR_ROW_STATUS_PTR, status, 0), h);
    for (size_t c = 0; c < columns.size(); ++c) {
        BoundColumn& col = columns[c];
        col.data = std::make_unique_for_overwrite<char[]>(col.width * kBlockRows);
        col.indicator = std::make_unique_for_overwrite<SQLLEN[]>(kBlockRows);
        check(SQLBindCol(h, static_cast<SQLUSMALLINT>(c + 1), col.cType, col.data.get(), col.width,
                         col.indicator.get()),
              h);
    }
}

// Stores one fetched block column by column: each stored column grows in one run.
void storeBlock(SQLHSTMT h, const std::vector<BoundColumn>& columns, SQLULEN fetched,
                ColumnStore& rows) {
    for (size_t ci = 0; ci < columns.size(); ++ci) {
        const BoundColumn& col = columns[ci];
        const int c = static_cast<int>(ci);
        for (SQLULEN row = 0; row < fetched; ++row) {
            const SQLLEN indicator = col.indicator[row];
            if (indicator == SQL_NULL_DATA && col.cType == SQL_C_WCHAR)
                rows.append(c, QVariant());  // Qt's driver gives a NULL text untyped
            else if (indicator == SQL_NULL_DATA)
                rows.appendNull(c);
            else if (col.cType == SQL_C_WCHAR &&
                     (indicator == SQL_NO_TOTAL ||
                      indicator > col.width - static_cast<SQLLEN>(sizeof(SQLWCHAR))))
                rows.appendText(c, longText(h, static_cast<SQLUSMALLINT>(c + 1), row));
            else if (col.cType == SQL_C_CHAR &&
                     (indicator == SQL_NO_TOTAL || indicator > col.width - 1))
                rows.appendDouble(c, longNumber(h, static_cast<SQLUSMALLINT>(c + 1), row));
            else
                store(col, row, rows, c);
        }
    }
    rows.endRows(static_cast<int>(fetched));
}

}  // namespace

struct RowFetch::State {
    QSqlQuery& query;
    ColumnStore& rows;
    SQLHSTMT h = nullptr;
    std::optional<std::vector<BoundColumn>> columns;  // bound in blocks; none: value by value
    SQLULEN fetched = 0;
    SQLUSMALLINT status[kBlockRows] = {};
    bool end = false;

    State(QSqlQuery& q, ColumnStore& r) : query(q), rows(r) {}
    ~State() {
        if (columns)
            resetBindings(h);
    }
    State(const State&) = delete;
    State& operator=(const State&) = delete;
};

RowFetch::RowFetch(QSqlQuery& query, ColumnStore& rows, Rows start)
    : state_(std::make_unique<State>(query, rows)) {
    State& s = *state_;
    s.h = odbcStatement(query);
    const QSqlRecord record = query.record();
    const int count = record.count();
    std::vector<int> types(count);
    for (int c = 0; c < count; ++c)
        types[c] = record.field(c).metaType().id();
    if (start == Rows::Afresh)
        rows.reset(types);
    if (count == 0) {
        s.end = true;  // a statement without a result set
        return;
    }
    s.columns = bindableColumns(s.h, query, types);
    if (s.columns)
        bindBlocks(s.h, *s.columns, s.fetched, s.status);  // unbound by the state however it ends
}

RowFetch::~RowFetch() = default;

bool RowFetch::atEnd() const {
    return state_->end;
}

bool RowFetch::fetch(int wanted, printing::WorkProgress* progress) {
    State& s = *state_;
    if (s.end)
        return true;
    const int until = s.rows.rowCount() + wanted;
    if (!s.columns) {
        s.end = fetchValueByValue(s.query, s.rows, progress, until);
        return s.end;
    }
    while (s.rows.rowCount() < until) {
        const SQLRETURN r = SQLFetchScroll(s.h, SQL_FETCH_NEXT, 0);
        if (r == SQL_NO_DATA) {
            s.end = true;
            break;
        }
        check(r, s.h);
        for (SQLULEN row = 0; row < s.fetched; ++row)
            if (s.status[row] == SQL_ROW_ERROR)
                throw DbError(diagnostics(s.h));
        storeBlock(s.h, *s.columns, s.fetched, s.rows);
        if (progress) {
            progress->rowsRead(s.rows.rowCount());
            printing::stopIfCancelled(progress);
        }
    }
    return s.end;
}

void fetchRows(QSqlQuery& query, ColumnStore& rows, printing::WorkProgress* progress) {
    RowFetch(query, rows).fetch(std::numeric_limits<int>::max() - rows.rowCount(), progress);
}

namespace {
// The PostgreSQL ODBC driver's own connection attributes: its UseDeclareFetch and Fetch options.
constexpr SQLINTEGER kUseDeclareFetch = 65539;
constexpr SQLINTEGER kFetchRows = 65541;

}  // namespace

QString odbcStatementDiagnostics(void* statement, QString* firstState) {
    QString text;
    SQLWCHAR state[SQL_SQLSTATE_SIZE + 1] = {};
    SQLWCHAR message[1024];
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    for (SQLSMALLINT i = 1;
         SQLGetDiagRecW(SQL_HANDLE_STMT, statement, i, state, &native, message,
                        static_cast<SQLSMALLINT>(std::size(message)), &length) == SQL_SUCCESS;
         ++i) {
        if (i == 1 && firstState)
            *firstState = QString::fromUtf16(reinterpret_cast<const char16_t*>(state));
        if (!text.isEmpty())
            text += QLatin1Char(' ');
        text += QString::fromUtf16(reinterpret_cast<const char16_t*>(message),
                                   qMin<qsizetype>(length, std::size(message) - 1));
    }
    return text;
}

void* odbcConnectionHandle(const QSqlDatabase& db) {
    const QSqlDriver* driver = db.driver();
    if (!driver || qstrcmp(driver->metaObject()->className(), "QODBCDriver") != 0)
        return nullptr;
    const QVariant handle = driver->handle();
    if (handle.metaType() != QMetaType::fromType<SQLHANDLE>())
        return nullptr;
    return *static_cast<const SQLHDBC*>(handle.constData());
}

namespace {

bool connectInteger(SQLHDBC h, SQLINTEGER attribute, SQLINTEGER& value) {
    return SQL_SUCCEEDED(SQLGetConnectAttr(h, attribute, &value, 0, nullptr));
}

bool setConnectInteger(SQLHDBC h, SQLINTEGER attribute, SQLINTEGER value) {
    return SQL_SUCCEEDED(SQLSetConnectAttr(
        h, attribute, reinterpret_cast<SQLPOINTER>(static_cast<SQLLEN>(value)), SQL_IS_INTEGER));
}
}  // namespace

ServerCursorScope::ServerCursorScope(const QSqlDatabase& db, int rows) {
    auto h = static_cast<SQLHDBC>(odbcConnectionHandle(db));
    SQLINTEGER fetch = 0, useCursor = 0;
    if (!h || !connectInteger(h, kFetchRows, fetch) ||
        !connectInteger(h, kUseDeclareFetch, useCursor))
        return;  // not a driver that knows these
    if (!setConnectInteger(h, kFetchRows, rows))
        return;
    if (!setConnectInteger(h, kUseDeclareFetch, 1)) {
        setConnectInteger(h, kFetchRows, fetch);
        return;
    }
    connection_ = h;
    fetch_ = fetch;
    useCursor_ = useCursor;
}

ServerCursorScope::~ServerCursorScope() {
    if (!connection_)
        return;
    setConnectInteger(connection_, kUseDeclareFetch, useCursor_);
    setConnectInteger(connection_, kFetchRows, fetch_);
}

}  // namespace data
