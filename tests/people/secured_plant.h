#pragma once

#include <QList>
#include <QString>
#include <QVariant>

// The test database secured as a plant secures it, with people of every job: made once per
// test program, by the cluster's server administrator (dba).
namespace securedplant {

struct Person {
    QString login;
    QString fullName;
    QString job;
    QString password;
};

// Secures the test database and adds one person per job (their first passwords already
// changed); the first administrator is the securing command's.
void secure();
// The person of a job ("foreman", ...), as secure() made them.
const Person& personOf(const QString& job);
// A further person of this program's own (a login no other program of the cluster uses), who
// must change the password at the first login unless told otherwise.
Person addPerson(const QString& who, const QString& job, bool mustChangePassword = true);
// The login name of this program for who.
QString loginOf(const QString& who);

// Statements as the server administrator, on a connection of their own.
void exec(const QString& sql);
QVariant scalar(const QString& sql);
QList<QVariantList> rows(const QString& sql);

// The server's log so far.
QString serverLog();

}  // namespace securedplant
