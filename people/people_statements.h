#pragma once

#include <QString>

// Statement texts of personal logins: learning whether the database is secured, who the session
// is, and the administrator's work on people. Every change goes through the server's functions of
// accounts_dep, which check the caller's job themselves; passwords travel only as SCRAM verifiers.
namespace people::statements {

// One row, column secured: whether the plant's schema belongs to the database's owner role.
// Answers with any login, the built-in one included.
QString secured();
// The session's person: login, full_name, job, must_change_password; no row for a login that is
// not a person of this database.
QString currentPerson();
// :password, a verifier.
QString changeOwnPassword();
// login, full_name, job, enabled of every person (administrator job).
QString listPeople();
// :login, :full_name, :job, :password (a verifier).
QString addPerson();
// :login, :job.
QString setPersonJob();
// :login, :password (a verifier).
QString resetPersonPassword();
// :login; enabling or disabling is part of the text.
QString setPersonEnabled(bool enabled);

}  // namespace people::statements
