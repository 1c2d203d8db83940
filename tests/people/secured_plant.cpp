#include "secured_plant.h"

#include "../support/test_database.h"
#include "app/secure_command.h"
#include "data/connection.h"
#include "data/scram_verifier.h"
#include "people/person_rules.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <map>
#include <stdexcept>

namespace securedplant {

namespace {

const QString kDba = QStringLiteral("dba");

QSqlQuery run(const QString& sql) {
    QSqlDatabase db = QSqlDatabase::contains(kDba) ? QSqlDatabase::database(kDba, false)
                                                   : QSqlDatabase::addDatabase("QODBC", kDba);
    if (!db.isOpen()) {
        db.setDatabaseName(people::withLogin(
            data::composeConnectionString(testdb::databaseName(), testdb::host()), kDba, kDba));
        if (!db.open())
            throw std::runtime_error("cannot connect as dba: " +
                                     db.lastError().text().toStdString());
    }
    QSqlQuery q(db);
    if (!q.exec(sql))
        throw std::runtime_error(
            ("dba statement failed: " + sql + "\n" + q.lastError().text()).toStdString());
    return q;
}

QString literal(const QString& text) {
    QString t = text;
    t.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + t + QLatin1Char('\'');
}

std::map<QString, Person>& people() {
    static std::map<QString, Person> made;
    return made;
}

// The database secured by the securing command, as the server administrator, with its first
// administrator.
void secureDatabase(const Person& admin) {
    // Roles belong to the cluster: those a former run of this program left go first (its database
    // was made afresh, so they hold nothing in it).
    exec(QStringLiteral(
        "DO $$ DECLARE r text; BEGIN FOR r IN SELECT rolname FROM pg_roles WHERE rolname LIKE "
        "current_database() || '\\_%' ORDER BY rolcanlogin DESC LOOP "
        "EXECUTE format('DROP ROLE %I', r); END LOOP; END $$"));
    qputenv("PGUSER", "dba");
    qputenv("PGPASSWORD", "dba");
    qputenv(command_line::kAdminPasswordVariable, admin.password.toUtf8());
    QString out, err;
    const int rc =
        command_line::runSecure({testdb::databaseName(), testdb::host(), admin.login}, out, err,
                                [](const QString&) { return std::optional<QString>(); });
    qunsetenv(command_line::kAdminPasswordVariable);
    qunsetenv("PGUSER");
    qunsetenv("PGPASSWORD");
    if (rc != 0)
        throw std::runtime_error("securing failed: " + err.toStdString() + out.toStdString());
}

}  // namespace

QString loginOf(const QString& who) {
    return testdb::databaseName() + QStringLiteral("_p_") + who;
}

void secure() {
    if (!people().empty())
        return;
    testdb::ensureDatabase();
    const Person admin{loginOf("admin"), QStringLiteral("Главный Глеб Глебович"),
                       QStringLiteral("administrator"), QStringLiteral("Админ пароль 1")};
    secureDatabase(admin);
    // The securing command names the first administrator by the login.
    exec(QStringLiteral("update accounts_dep.plant_person set full_name = %1, "
                        "must_change_password = false where login = %2")
             .arg(literal(admin.fullName), literal(admin.login)));
    people()[admin.job] = admin;
    const Person others[] = {
        {QString(), QStringLiteral("Смотрова Светлана Ивановна"), QStringLiteral("reviewer"),
         QStringLiteral("смотрю-2")},
        {QString(), QStringLiteral("Бригадов Борис Петрович"), QStringLiteral("foreman"),
         QStringLiteral("бри}га;до=3")},
        {QString(), QStringLiteral("Складова Анна Олеговна"), QStringLiteral("storekeeper"),
         QStringLiteral("склад 4 ")},
    };
    for (Person p : others) {
        const Person made = addPerson(p.job, p.job, false);
        p.login = made.login;
        exec(QStringLiteral("select accounts_dep.reset_person_password(%1, %2); "
                            "update accounts_dep.plant_person set full_name = %3, "
                            "must_change_password = false where login = %1")
                 .arg(literal(p.login), literal(data::scramVerifier(p.password)),
                      literal(p.fullName)));
        people()[p.job] = p;
    }
}

const Person& personOf(const QString& job) {
    secure();
    return people().at(job);
}

Person addPerson(const QString& who, const QString& job, bool mustChangePassword) {
    const Person p{loginOf(who), QStringLiteral("Новиков %1").arg(who), job,
                   QStringLiteral("first-") + who};
    exec(QStringLiteral("select accounts_dep.add_person(%1, %2, %3, %4)")
             .arg(literal(p.login), literal(p.fullName), literal(job),
                  literal(data::scramVerifier(p.password))));
    if (!mustChangePassword)
        exec(QStringLiteral("update accounts_dep.plant_person set must_change_password = false "
                            "where login = %1")
                 .arg(literal(p.login)));
    return p;
}

void exec(const QString& sql) {
    run(sql);
}

QVariant scalar(const QString& sql) {
    QSqlQuery q = run(sql);
    return q.next() ? q.value(0) : QVariant();
}

QList<QVariantList> rows(const QString& sql) {
    return testdb::rowsOf(run(sql));
}

QString serverLog() {
    const QByteArray dir = qgetenv("PLANT_DB_DIR");
    const QString folder = dir.isEmpty() ? QStringLiteral("/tmp/plant-pg-") + testdb::host()
                                         : QString::fromLocal8Bit(dir);
    QFile f(folder + QStringLiteral("/server.log"));
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read the server's log " + f.fileName().toStdString());
    return QString::fromUtf8(f.readAll());
}

}  // namespace securedplant
