#include "data/connection.h"

#include "data/busy.h"
#include "data/db_error.h"
#include "data/server_features.h"
#include "data/session_identity.h"
#include "data/transaction.h"

#include <sql.h>
#include <sqlext.h>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlResult>

namespace data {

QString composeConnectionString(const QString& arg1, const QString& arg2,
                                const QString& builtInServer) {
    const bool given = !arg2.isEmpty();
    const QString database = given ? arg1 : QString::fromLatin1(kBuiltInDatabase);
    const QString server = given ? arg2 : builtInServer;
    return QStringLiteral("DRIVER={PostgreSQL UNICODE};DATABASE=") + database +
           QStringLiteral(";SERVER=") + server +
           QStringLiteral(";PORT=5432;UID=sys;PWD=tavirok;SSLmode=allow;") +
           QStringLiteral(
               "ReadOnly=0;Protocol=7.4;FakeOidIndex=0;ShowOidColumn=0;RowVersioning=0;"
               "ShowSystemTables=0;Fetch=100;UnknownSizes=0;MaxVarcharSize=255;"
               "MaxLongVarcharSize=8190;") +
           QStringLiteral(
               "Debug=0;CommLog=0;UseDeclareFetch=0;TextAsLongVarchar=1;"
               "UnknownsAsLongVarchar=0;BoolsAsChar=1;Parse=0;ExtraSysTablePrefixes=;"
               "LFConversion=1;UpdatableCursors=1;") +
           QStringLiteral(
               "TrueIsMinus1=0;BI=0;ByteaAsLongVarBinary=1;UseServerSidePrepare=1;"
               "LowerCaseIdentifier=0;D6=-101;OptionalErrors=0;XaOpt=1");
}

namespace {

// Names of the connections found dead and not yet made again.
QSet<QString>& lostConnections() {
    static QSet<QString> names;
    return names;
}

const QString kAgainLater =
    QStringLiteral("Повторите действие, когда сервер снова будет доступен.");

QString lostMessage() {
    return QStringLiteral("Соединение с сервером базы данных потеряно. ") + kAgainLater;
}

QString lostInTransactionMessage() {
    return QStringLiteral(
               "Соединение с сервером базы данных потеряно. Начатая запись отменена: в базе "
               "ничего не изменилось. ") +
           kAgainLater;
}

int& lockWait() {
    static int milliseconds = kLockWaitMilliseconds;
    return milliseconds;
}

void runSetting(const QSqlDatabase& db, const QString& sql) {
    QSqlQuery q(db);
    if (!q.exec(sql))
        throw DbError(q.lastError().text());
}

QString lockWaitSetting() {
    return QStringLiteral("select set_config('lock_timeout', '%1', false)").arg(lockWait());
}

// Statements every session runs first: user text in literals is read as typed, backslashes
// included, whatever the server's default; locks are waited for a bounded time; the server ends
// the session of a client that hangs in a transaction or has gone (the check of a gone client
// exists from PostgreSQL 14 on).
void configureSession(const QSqlDatabase& db) {
    runSetting(db, QStringLiteral("SET standard_conforming_strings = on"));
    runSetting(db, lockWaitSetting());
    runSetting(db, QStringLiteral("select set_config('idle_in_transaction_session_timeout', "
                                  "'%1', false), case when "
                                  "current_setting('server_version_num')::integer >= 140000 then "
                                  "set_config('client_connection_check_interval', '%2', false) end")
                       .arg(kIdleInTransactionMilliseconds)
                       .arg(kClientCheckMilliseconds));
}

// The SQLSTATE of a lock not granted: lock_timeout ran out, or NOWAIT met a held lock.
constexpr const char* kLockNotAvailable = "55P03";

// Asks the ODBC driver whether the connection is dead (the server closed it or went away).
bool isDead(const QSqlDatabase& db) {
    if (!db.isOpen() || !db.driver())
        return false;
    const QVariant handle = db.driver()->handle();
    if (handle.metaType() != QMetaType::fromType<SQLHANDLE>())
        return false;
    SQLUINTEGER dead = SQL_CD_FALSE;
    const SQLRETURN r = SQLGetConnectAttr(*static_cast<const SQLHDBC*>(handle.constData()),
                                          SQL_ATTR_CONNECTION_DEAD, &dead, 0, nullptr);
    return SQL_SUCCEEDED(r) && dead == SQL_CD_TRUE;
}

// The SQLSTATE and text of the first diagnostic the driver keeps for a failed statement.
struct Diagnostic {
    QString state;
    QString text;
};

Diagnostic diagnosticOf(const QSqlQuery& q) {
    if (!q.result())
        return {};
    const QVariant handle = q.result()->handle();
    if (handle.metaType() != QMetaType::fromType<SQLHANDLE>())
        return {};
    SQLWCHAR state[SQL_SQLSTATE_SIZE + 1] = {};
    SQLWCHAR text[1024] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    const SQLRETURN r =
        SQLGetDiagRecW(SQL_HANDLE_STMT, *static_cast<const SQLHSTMT*>(handle.constData()), 1, state,
                       &native, text, SQLSMALLINT(std::size(text)), &length);
    if (!SQL_SUCCEEDED(r))
        return {};
    static_assert(sizeof(SQLWCHAR) == sizeof(char16_t));
    return {QString::fromUtf16(reinterpret_cast<const char16_t*>(state)),
            QString::fromUtf16(reinterpret_cast<const char16_t*>(text))};
}

bool inTransaction(const QSqlDatabase& db) {
    return db.connectionName() == QLatin1String(kDefaultConnection) && Transaction::active();
}

}  // namespace

Connection::Connection(const QString& name) : name_(name) {}

Connection::~Connection() {
    close();
}

void Connection::open(const QString& connectionString) {
    close();
    QSqlDatabase db = QSqlDatabase::contains(name_) ? QSqlDatabase::database(name_, false)
                                                    : QSqlDatabase::addDatabase("QODBC", name_);
    if (!db.isValid())
        throw DbError(QStringLiteral("Драйвер ODBC недоступен"));
    // User and password travel inside the string, which reaches the driver unchanged; the
    // keepalive options follow it.
    db.setDatabaseName(connectionString + QLatin1String(kKeepaliveOptions));
    db.setConnectOptions(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1").arg(kLoginTimeoutSeconds));
    lostConnections().remove(name_);
    forgetServerFeatures(name_);
    {
        const BusyScope busy;
        if (!db.open())
            throw DbError(db.lastError().text());
    }
    try {
        configureSession(db);
        applySessionIdentity(db);
    } catch (...) {
        db.close();
        throw;
    }
}

void Connection::close() {
    lostConnections().remove(name_);
    forgetServerFeatures(name_);
    if (QSqlDatabase::contains(name_)) {
        QSqlDatabase db = QSqlDatabase::database(name_, false);
        if (db.isOpen())
            db.close();
    }
}

bool Connection::isOpen() const {
    return QSqlDatabase::contains(name_) && QSqlDatabase::database(name_, false).isOpen();
}

QSqlDatabase defaultDb() {
    return QSqlDatabase::database(QString::fromLatin1(kDefaultConnection), false);
}

bool connectionLost(const QString& name) {
    return lostConnections().contains(name);
}

void ensureConnected(QSqlDatabase db) {
    if (db.isOpen())
        return;
    if (!lostConnections().contains(db.connectionName()))
        throw DbError(QStringLiteral("Нет подключения к базе данных"));
    // The work of the open transaction died with the old session: nothing may go on
    // without it, in autocommit, on a new one.
    if (inTransaction(db))
        throw DbError(lostInTransactionMessage());
    {
        const BusyScope busy;
        if (!db.open())
            throw DbError(QStringLiteral("Нет соединения с сервером базы данных. ") + kAgainLater +
                          QLatin1Char('\n') + db.lastError().text());
    }
    try {
        configureSession(db);
        applySessionIdentity(db);
    } catch (...) {
        db.close();
        throw;
    }
    lostConnections().remove(db.connectionName());
    forgetServerFeatures(db.connectionName());
}

void setLockWaitLimit(int milliseconds) {
    lockWait() = milliseconds;
    const QSqlDatabase db = defaultDb();
    if (db.isOpen())
        runSetting(db, lockWaitSetting());
}

DbError failureOn(QSqlDatabase db, const QSqlError& error, const QString& sqlState) {
    if (sqlState == QLatin1String(kLockNotAvailable))
        return DbError(QString::fromUtf8(kBusyMessage), DbErrorKind::Busy);
    if (!isDead(db))
        return DbError(error.text());
    const QString message = inTransaction(db) ? lostInTransactionMessage() : lostMessage();
    db.close();
    lostConnections().insert(db.connectionName());
    return DbError(message + QLatin1Char('\n') + error.text());
}

}  // namespace data

namespace data {

DbError failureOn(QSqlDatabase db, const QSqlQuery& q) {
    const Diagnostic diagnostic = diagnosticOf(q);
    if (diagnostic.state == QLatin1String(kClosedMonthState)) {
        // The state tells what happened; the month comes from the server's text
        // "Месяц MM.YYYY закрыт".
        static const QRegularExpression monthYear(QStringLiteral("(\\d{2})\\.(\\d{4})"));
        const QRegularExpressionMatch m = monthYear.match(diagnostic.text);
        if (m.hasMatch())
            return closedMonthError(m.captured(1).toInt(), m.captured(2).toInt());
    }
    return failureOn(db, q.lastError(), diagnostic.state);
}

}  // namespace data
