#pragma once

#include <QSqlDatabase>
#include <QString>

namespace data {

// Who writes through this process: the change history's triggers read it from the session
// (plant.role, plant.workstation, application_name). It is kept for the life of the process and
// put on the session again whenever the connection is made anew.
struct SessionIdentity {
    QString role;         // the login's UserRole ("Administrator" ...); empty before the login
    QString workstation;  // host name and operating-system user
    QString program;      // client name, version and build stamp
};

const SessionIdentity& sessionIdentity();
// The program's name for the session, set once at start-up before connecting.
void setSessionProgram(const QString& program);
// The login's role; put on the open default connection at once. Throws DbError.
void setSessionRole(const QString& role);

// This computer and its user as the history shows them: "host/user".
QString thisWorkstation();

// The statement that puts the identity on a session; parameters role, workstation, program.
QString sessionIdentityStatement();
// Puts the kept identity on db's session. Throws DbError.
void applySessionIdentity(const QSqlDatabase& db);

}  // namespace data
