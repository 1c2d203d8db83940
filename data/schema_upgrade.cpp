#include "data/schema_upgrade.h"

#include "data/busy.h"
#include "data/connection.h"
#include "data/db_error.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>

namespace data::upgrade {

namespace {

// Where CMake puts the scripts of db/upgrade among the program's resources.
const QString kResourceDir = QStringLiteral(":/db/upgrade");

// The dollar-quote tag starting at i ("$$" or "$name$"), or empty when none starts there.
QString dollarTagAt(const QString& sql, qsizetype i) {
    qsizetype j = i + 1;
    while (j < sql.size() && (sql.at(j).isLetterOrNumber() || sql.at(j) == u'_'))
        ++j;
    if (j < sql.size() && sql.at(j) == u'$' && (j == i + 1 || !sql.at(i + 1).isDigit()))
        return sql.mid(i, j - i + 1);
    return {};
}

void exec(QSqlDatabase db, const QString& sql) {
    QSqlQuery q(db);
    if (!q.exec(sql))
        throw failureOn(db, q);  // with the server's state: a lock not granted is Busy
}

}  // namespace

QList<Script> builtInScripts() {
    QList<Script> scripts;
    const QDir dir(kResourceDir);
    for (const QString& name : dir.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            throw DbError(QStringLiteral("Не прочитан сценарий обновления ") + name);
        scripts.push_back({name, QString::fromUtf8(file.readAll())});
    }
    return scripts;
}

QStringList statementsOf(const QString& script) {
    QStringList statements;
    QString current;
    const qsizetype n = script.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = script.at(i);
        if (ch == u'-' && i + 1 < n && script.at(i + 1) == u'-') {
            const qsizetype end = script.indexOf(u'\n', i);
            i = end < 0 ? n : end;
            current += u'\n';
            continue;
        }
        if (ch == u'/' && i + 1 < n && script.at(i + 1) == u'*') {
            const qsizetype end = script.indexOf(QStringLiteral("*/"), i + 2);
            i = end < 0 ? n : end + 1;
            current += u' ';
            continue;
        }
        if (ch == u'\'' || ch == u'"') {
            const qsizetype end = script.indexOf(ch, i + 1);
            const qsizetype stop = end < 0 ? n : end + 1;
            current += script.mid(i, stop - i);
            i = stop - 1;
            continue;
        }
        if (ch == u'$') {
            const QString tag = dollarTagAt(script, i);
            if (!tag.isEmpty()) {
                const qsizetype end = script.indexOf(tag, i + tag.size());
                const qsizetype stop = end < 0 ? n : end + tag.size();
                current += script.mid(i, stop - i);
                i = stop - 1;
                continue;
            }
        }
        if (ch == u';') {
            if (!current.trimmed().isEmpty())
                statements << current.trimmed();
            current.clear();
            continue;
        }
        current += ch;
    }
    if (!current.trimmed().isEmpty())
        statements << current.trimmed();
    return statements;
}

QList<Applied> run(QSqlDatabase db, const QList<Script>& scripts) {
    const BusyScope busy;
    if (!db.transaction())
        throw failureOn(db, db.lastError());
    QList<Applied> applied;
    try {
        // Two upgrades at once follow each other; the second finds everything in place.
        exec(db,
             QStringLiteral("select pg_advisory_xact_lock(hashtext('plant:upgrade-database'))"));
        exec(db, QStringLiteral("set local client_min_messages = warning"));
        for (const Script& script : scripts) {
            const QStringList statements = statementsOf(script.text);
            try {
                for (const QString& statement : statements)
                    exec(db, statement);
            } catch (const DbError& e) {
                throw DbError(script.name + QStringLiteral(": ") + e.message(), e.kind());
            }
            applied.push_back({script.name, int(statements.size())});
        }
        if (!db.commit())
            throw failureOn(db, db.lastError());
    } catch (...) {
        if (db.isOpen())
            db.rollback();
        throw;
    }
    return applied;
}

}  // namespace data::upgrade
