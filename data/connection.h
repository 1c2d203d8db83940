#pragma once

#include "data/db_error.h"

#include <QSqlDatabase>
#include <QString>

class QSqlError;
class QSqlQuery;

namespace data {

// The database name used when the command line does not name a server.
inline constexpr const char* kBuiltInDatabase = "plantdb";
// The login built into every copy of the client (on a secured database it may only read the
// version stamp; people log in with their own).
inline constexpr const char* kBuiltInUser = "sys";
inline constexpr const char* kBuiltInPassword = "tavirok";
// The name of the data module's connection, which queries and commands use unless told otherwise.
inline constexpr const char* kDefaultConnection = "ADO_DB";

// The ODBC connection string for the PostgreSQL driver. Argument 2 (the server) decides:
// when it is empty both built-in values are used and argument 1 is ignored. The values are
// spliced verbatim; the string has no trailing semicolon.
QString composeConnectionString(
    const QString& arg1, const QString& arg2,
    const QString& builtInServer = QStringLiteral(PLANT_DEFAULT_SERVER));

// Seconds the driver waits for a server to answer the login: a server that accepts and never
// answers fails the connect after this instead of holding start-up for minutes.
inline constexpr int kLoginTimeoutSeconds = 5;
// Driver options added behind the connection string: TCP keepalive, and a limit on data the
// server leaves unacknowledged, so a server that went away is noticed within about a minute.
inline constexpr const char* kKeepaliveOptions =
    ";pqopt={keepalives_idle=20 keepalives_interval=5 keepalives_count=4 tcp_user_timeout=60000}";

// How long a statement of this client waits for a lock another session holds before it is
// refused (DbErrorKind::Busy): a workstation never freezes behind another one's open transaction.
inline constexpr int kLockWaitMilliseconds = 5000;
// A session of this client that sits in an open transaction this long is ended by the server,
// and one whose client has gone is noticed while it runs a statement after at most this interval
// (PostgreSQL 14 and later): a killed or hung workstation never holds locks for long.
inline constexpr int kIdleInTransactionMilliseconds = 30000;
inline constexpr int kClientCheckMilliseconds = 2000;

// Changes the lock wait of the data module's connection, now and after every reconnect (tests
// shorten it).
void setLockWaitLimit(int milliseconds);

// The one connection every query and command of the process runs on.
class Connection {
public:
    explicit Connection(const QString& name = QString::fromLatin1(kDefaultConnection));
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens the connection: the string with the keepalive options behind it, the login timeout,
    // and standard_conforming_strings on for the session. Throws DbError with the driver's
    // message when it fails.
    void open(const QString& connectionString);
    void close();
    bool isOpen() const;

private:
    QString name_;
};

// The connection the data module owns; queries and commands created without an explicit
// connection use it.
QSqlDatabase defaultDb();

// A lost connection. When a statement fails because the server went away, the connection is
// closed and remembered as lost, and the error says so in Russian, the driver's text after it.
// The next statement on it connects again (never inside a transaction, whose work the server
// has rolled back), so the next action works once the server is back.
bool connectionLost(const QString& name = QString::fromLatin1(kDefaultConnection));
// Makes db ready for a statement: a lost connection is made again first. Throws DbError.
void ensureConnected(QSqlDatabase db);
// The error for a failed call on db: the lost-connection message when the connection is dead,
// the busy message for a lock not granted in time (SQLSTATE 55P03), else the driver's text.
DbError failureOn(QSqlDatabase db, const QSqlError& error, const QString& sqlState = {});
// The error for a statement q that failed on db: as above, and the server's refusal of a write
// into a closed month (its SQLSTATE) becomes the client's closed-month error.
DbError failureOn(QSqlDatabase db, const QSqlQuery& q);

}  // namespace data
