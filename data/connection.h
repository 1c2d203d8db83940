#pragma once

#include <QSqlDatabase>
#include <QString>

namespace data {

// The database name used when the command line does not name a server.
inline constexpr const char* kBuiltInDatabase = "plantdb";
// The name of the data module's connection, which queries and commands use unless told otherwise.
inline constexpr const char* kDefaultConnection = "ADO_DB";

// The ODBC connection string for the PostgreSQL driver. Argument 2 (the server) decides:
// when it is empty both built-in values are used and argument 1 is ignored. The values are
// spliced verbatim; the string has no trailing semicolon.
QString composeConnectionString(
    const QString& arg1, const QString& arg2,
    const QString& builtInServer = QStringLiteral(PLANT_DEFAULT_SERVER));

// The one connection every query and command of the process runs on.
class Connection {
public:
    explicit Connection(const QString& name = QString::fromLatin1(kDefaultConnection));
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens the connection; throws DbError with the driver's message when it fails.
    void open(const QString& connectionString);
    void close();
    bool isOpen() const;

private:
    QString name_;
};

// The connection the data module owns; queries and commands created without an explicit
// connection use it.
QSqlDatabase defaultDb();

}  // namespace data
