#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// The database upgrade: the server objects the client's later features need (tables, functions,
// triggers), kept in db/upgrade/NN-name.sql and built into the program. Every script is
// idempotent, so the upgrade can run on any database, upgraded or not, as often as needed.
namespace data::upgrade {

// One script of the upgrade: its file name and text.
struct Script {
    QString name;
    QString text;
};

// The scripts built into the program, in name order.
QList<Script> builtInScripts();

// The statements of a script, split at semicolons outside quotes, dollar quotes and comments;
// blank statements are dropped.
QStringList statementsOf(const QString& script);

// What one script did: its name and how many statements it ran.
struct Applied {
    QString name;
    int statements = 0;
};

// Runs scripts on db in one transaction, serialised against another upgrade by an advisory lock:
// either all of them take effect or none. Throws DbError with the driver's text and the failing
// script's name; of kind Busy when a lock it needs (another session reading or writing a table
// it changes) was not granted within the wait limit.
QList<Applied> run(QSqlDatabase db, const QList<Script>& scripts);

}  // namespace data::upgrade
