#include "data/connection.h"

#include "data/db_error.h"

#include <QSqlError>

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
    // User and password travel inside the string, which reaches the driver unchanged.
    db.setDatabaseName(connectionString);
    if (!db.open())
        throw DbError(db.lastError().text());
}

void Connection::close() {
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

}  // namespace data
