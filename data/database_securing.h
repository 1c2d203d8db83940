#pragma once

#include "data/schema_upgrade.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// A secured plant database: personal logins in job roles, objects owned by a NOLOGIN owner role
// (db/secure). Securing is the upgrade run in three parts, in one transaction: the roles and the
// owner first (secure scripts 0*), the upgrade's scripts as the owner role, then the rights,
// the people and the built-in login (secure scripts 1*).
namespace data::securing {

// The owner role and the job roles of a database: "<database>_owner", "<database>_foreman" ...
QString ownerRole(const QString& database);

// Whether db's plant schema is owned by its owner role; any login may ask.
QString securedStatement();
bool isSecured(QSqlDatabase db);

// The scripts that secure database (or upgrade it once secured), in the order they run.
QList<upgrade::Script> securingScripts(const QString& database);

// The scripts set to run as the owner of the plant's schema when another login (a superuser)
// runs them, so what they create belongs with the rest.
QList<upgrade::Script> asSchemaOwner(QSqlDatabase db, QList<upgrade::Script> scripts);

// What the securing scripts did, in their order (read in the securing transaction).
QStringList reportOf(QSqlDatabase db);

// Makes login a person with the administrator job unless it is one already (then nothing
// changes and false is returned). passwordVerifier is a SCRAM verifier. Throws DbError.
bool addAdministrator(QSqlDatabase db, const QString& login, const QString& fullName,
                      const QString& passwordVerifier);

}  // namespace data::securing
