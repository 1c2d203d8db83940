#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <functional>

// The database upgrade: the server objects the client's later features need (tables, functions,
// triggers), kept in db/upgrade/NN-name.sql and built into the program. Every script is
// idempotent, so the upgrade can run on any database, upgraded or not, as often as needed.
namespace data::upgrade {

// One script of the upgrade: its file name and text, and the role it runs as (empty: the login
// that connected; on a secured database the upgrade runs as its owner role).
struct Script {
    QString name;
    QString text;
    QString role = {};
};

// The scripts built into the program, in name order: the upgrade's (db/upgrade) or, with
// folder "secure", the securing ones (db/secure).
QList<Script> builtInScripts(const QString& folder = QStringLiteral("upgrade"));

// The statements of a script, split at semicolons outside quotes, dollar quotes and comments;
// blank statements are dropped.
QStringList statementsOf(const QString& script);

// What one script did: its name and how many statements it ran.
struct Applied {
    QString name;
    int statements = 0;
};

// Runs scripts on db in one transaction, serialised against another upgrade by an advisory lock:
// either all of them take effect or none; beforeCommit, when given, runs last in the same
// transaction. Throws DbError with the driver's text and the failing script's name; of kind Busy
// when a lock it needs (another session reading or writing a table it changes) was not granted
// within the wait limit.
QList<Applied> run(QSqlDatabase db, const QList<Script>& scripts,
                   const std::function<void(QSqlDatabase)>& beforeCommit = {});

}  // namespace data::upgrade
