#pragma once

#include "data/connection.h"

#include <QSqlDatabase>
#include <QString>
#include <optional>

// Personal logins on a secured database, seen from the client: learning that the database is
// secured, logging in as a person, and the server functions that change people. A password
// typed by a user reaches the server only as a SCRAM verifier computed here.
namespace people {

struct Person {
    QString login;
    QString fullName;
    QString job;  // "foreman", "storekeeper", "reviewer", "administrator"
    bool mustChangePassword = false;
};

// Whether the connected database is secured (people log in with logins of their own). Throws
// DbError.
bool databaseSecured(const QSqlDatabase& db = data::defaultDb());
// The person the session belongs to; nothing for a login that is not a person of the database
// (or a disabled one). Throws DbError.
std::optional<Person> currentPerson(const QSqlDatabase& db = data::defaultDb());

// Connects as the person (builtIn: the client's connection string with the built-in login). A
// login the server refuses, or one that is no person of this database, gives nothing and the
// connection is made again with the built-in login. Throws DbError when the server cannot be
// reached at all.
std::optional<Person> logInAs(data::Connection& connection, const QString& builtIn,
                              const QString& login, const QString& password);

// The session's own new password; a later reconnect uses it.
void changeOwnPassword(const QString& password);

// The administrator's work on people; each throws DbError with the server's refusal.
void addPerson(const QString& login, const QString& fullName, const QString& job,
               const QString& password);
void setPersonJob(const QString& login, const QString& job);
void resetPersonPassword(const QString& login, const QString& password);
void setPersonEnabled(const QString& login, bool enabled);

}  // namespace people
