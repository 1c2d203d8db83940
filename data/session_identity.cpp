#include "data/session_identity.h"

#include "data/connection.h"
#include "data/db_error.h"

#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QSysInfo>

namespace data {

namespace {
SessionIdentity& kept() {
    static SessionIdentity identity{QString(), thisWorkstation(), QStringLiteral("plant-client")};
    return identity;
}
}  // namespace

const SessionIdentity& sessionIdentity() {
    return kept();
}

void setSessionProgram(const QString& program) {
    kept().program = program;
}

void setSessionRole(const QString& role) {
    kept().role = role;
    const QSqlDatabase db = defaultDb();
    if (db.isOpen())
        applySessionIdentity(db);
}

QString thisWorkstation() {
    QString user;
    for (const char* name : {"USER", "LOGNAME", "USERNAME"})
        if (user.isEmpty())
            user = qEnvironmentVariable(name);
    if (user.isEmpty())  // a service started without a login: its home folder's name
        user = QDir::home().dirName();
    return QSysInfo::machineHostName() + QLatin1Char('/') + user;
}

QString sessionIdentityStatement() {
    return QStringLiteral(
        "select set_config('plant.role', ?, false), set_config('plant.workstation', ?, false), "
        "set_config('application_name', ?, false)");
}

void applySessionIdentity(const QSqlDatabase& db) {
    const SessionIdentity& identity = kept();
    QSqlQuery q(db);
    q.prepare(sessionIdentityStatement());
    // Bound as text: an empty role is '' on the server, which the triggers read as none.
    q.addBindValue(identity.role.isNull() ? QStringLiteral("") : identity.role);
    q.addBindValue(identity.workstation);
    q.addBindValue(identity.program);
    if (!q.exec())
        throw DbError(q.lastError().text());
}

}  // namespace data
