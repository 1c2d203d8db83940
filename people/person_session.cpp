#include "people/person_session.h"

#include "data/change.h"
#include "data/db_error.h"
#include "data/scram_verifier.h"
#include "data/statement_runner.h"
#include "people/people_statements.h"
#include "people/person_rules.h"

#include <QSqlQuery>

namespace people {

namespace {

// Runs one of the people functions, each a write of a person's login (told by login, not id).
void run(const QString& name, const QString& sql, const QHash<QString, QVariant>& params) {
    data::runStatement(data::defaultDb(), sql, params, true, name);
    data::announce(data::Change::row(data::Subject::Person, 0));
}

}  // namespace

bool databaseSecured(const QSqlDatabase& db) {
    QSqlQuery q =
        data::runStatement(db, statements::secured(), {}, true, QStringLiteral("Secured"));
    return q.next() && isEnabled(q.value(0));
}

std::optional<Person> currentPerson(const QSqlDatabase& db) {
    QSqlQuery q = data::runStatement(db, statements::currentPerson(), {}, true,
                                     QStringLiteral("CurrentPerson"));
    if (!q.next())
        return std::nullopt;
    return Person{q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                  isEnabled(q.value(3))};
}

std::optional<Person> logInAs(data::Connection& connection, const QString& builtIn,
                              const QString& login, const QString& password) {
    if (!isLoginName(login) || password.isEmpty())
        return std::nullopt;
    std::optional<Person> person;
    try {
        connection.open(withLogin(builtIn, login, password));
        person = currentPerson();
    } catch (const data::DbError&) {
        // A wrong name or password, a disabled login: the server's refusal. Whether the server
        // is there at all shows when the built-in login connects again below.
        person.reset();
    }
    if (!person)
        connection.open(builtIn);
    return person;
}

void changeOwnPassword(const QString& password) {
    run(QStringLiteral("ChangeOwnPassword"), statements::changeOwnPassword(),
        {{QStringLiteral("password"), data::scramVerifier(password)}});
    QSqlDatabase db = data::defaultDb();
    db.setDatabaseName(withPassword(db.databaseName(), password));
}

void addPerson(const QString& login, const QString& fullName, const QString& job,
               const QString& password) {
    run(QStringLiteral("AddPerson"), statements::addPerson(),
        {{QStringLiteral("login"), login},
         {QStringLiteral("full_name"), fullName},
         {QStringLiteral("job"), job},
         {QStringLiteral("password"), data::scramVerifier(password)}});
}

void setPersonJob(const QString& login, const QString& job) {
    run(QStringLiteral("SetPersonJob"), statements::setPersonJob(),
        {{QStringLiteral("login"), login}, {QStringLiteral("job"), job}});
}

void resetPersonPassword(const QString& login, const QString& password) {
    run(QStringLiteral("ResetPersonPassword"), statements::resetPersonPassword(),
        {{QStringLiteral("login"), login},
         {QStringLiteral("password"), data::scramVerifier(password)}});
}

void setPersonEnabled(const QString& login, bool enabled) {
    run(QStringLiteral("SetPersonEnabled"), statements::setPersonEnabled(enabled),
        {{QStringLiteral("login"), login}});
}

}  // namespace people
