#include "data/database_securing.h"

#include "data/connection.h"
#include "data/db_error.h"

#include <QSqlError>
#include <QSqlQuery>

namespace data::securing {

namespace {

QSqlQuery run(QSqlDatabase db, const QString& sql, const QVariantList& values = {}) {
    QSqlQuery q(db);
    if (!q.prepare(sql))
        throw failureOn(db, q.lastError());
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!q.exec())
        throw failureOn(db, q);
    return q;
}

}  // namespace

QString ownerRole(const QString& database) {
    return database + QStringLiteral("_owner");
}

QString securedStatement() {
    return QStringLiteral(
        "select exists(select 1 from pg_namespace n join pg_roles r on r.oid = n.nspowner where "
        "n.nspname = 'accounts_dep' and r.rolname = current_database() || '_owner') as secured");
}

bool isSecured(QSqlDatabase db) {
    QSqlQuery q = run(db, securedStatement());
    return q.next() && q.value(0).toBool();
}

QList<upgrade::Script> securingScripts(const QString& database) {
    QList<upgrade::Script> before, after;
    for (const upgrade::Script& s : upgrade::builtInScripts(QStringLiteral("secure")))
        (s.name.startsWith(u'0') ? before : after).push_back(s);
    QList<upgrade::Script> all = before;
    for (upgrade::Script s : upgrade::builtInScripts()) {
        s.role = ownerRole(database);
        all.push_back(s);
    }
    return all + after;
}

QList<upgrade::Script> asSchemaOwner(QSqlDatabase db, QList<upgrade::Script> scripts) {
    QSqlQuery q = run(db, QStringLiteral("select pg_get_userbyid(nspowner), current_user "
                                         "from pg_namespace where nspname = 'accounts_dep'"));
    if (q.next() && q.value(0).toString() != q.value(1).toString())
        for (upgrade::Script& s : scripts)
            s.role = q.value(0).toString();
    return scripts;
}

QStringList reportOf(QSqlDatabase db) {
    QSqlQuery q = run(db, QStringLiteral("select line from pg_temp.secure_report order by n"));
    QStringList lines;
    while (q.next())
        lines << q.value(0).toString();
    return lines;
}

bool addAdministrator(QSqlDatabase db, const QString& login, const QString& fullName,
                      const QString& passwordVerifier) {
    QSqlQuery known = run(
        db, QStringLiteral("select job from accounts_dep.plant_person where login = ?"), {login});
    if (known.next()) {
        if (known.value(0).toString() != QLatin1String("administrator"))
            throw DbError(QStringLiteral("Пользователь %1 уже есть в базе с другой должностью (%2)")
                              .arg(login, known.value(0).toString()));
        return false;
    }
    run(db, QStringLiteral("select accounts_dep.add_person(?, ?, 'administrator', ?)"),
        {login, fullName, passwordVerifier});
    return true;
}

}  // namespace data::securing
