#include "test_database.h"

#include "app/startup.h"
#include "app_windows.h"
#include "data/connection.h"
#include "data/data_module.h"
#include "ui/clock.h"
#include "ui/dialogs.h"
#include "ui/modal.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <memory>

namespace testdb {

namespace {
const QString kCheck = QStringLiteral("check");

QString env(const char* name, const char* fallback) {
    const QByteArray v = qgetenv(name);
    return v.isEmpty() ? QString::fromLatin1(fallback) : QString::fromLocal8Bit(v);
}

QSqlDatabase openNamed(const QString& name, const QString& database) {
    QSqlDatabase db = QSqlDatabase::contains(name) ? QSqlDatabase::database(name, false)
                                                   : QSqlDatabase::addDatabase("QODBC", name);
    if (!db.isOpen()) {
        db.setDatabaseName(data::composeConnectionString(database, host()));
        if (!db.open())
            throw std::runtime_error("cannot connect to the test database: " +
                                     db.lastError().text().toStdString());
    }
    return db;
}

QSqlQuery run(const QString& sql) {
    QSqlQuery q(openNamed(kCheck, databaseName()));
    if (!q.exec(sql))
        throw std::runtime_error(
            ("check query failed: " + sql + "\n" + q.lastError().text()).toStdString());
    return q;
}

bool appStarted = false;
data::SharedData* ownData = nullptr;  // kept to the end of the process
}  // namespace

QString host() {
    return env("PLANT_TEST_HOST", "127.0.0.42");
}

QString databaseName() {
    return env("PLANT_TEST_DB", "t_plant");
}

QStringList appArgs() {
    return {QStringLiteral("plant-client"), databaseName(), host()};
}

QString spareHost(int n) {
    return QStringLiteral("127.0.%1.%2").arg(n).arg(host().section(QLatin1Char('.'), 3, 3));
}

void makeDatabase(const QString& name, const QString& templateName) {
    {
        QSqlDatabase admin = openNamed(QStringLiteral("admin"), QStringLiteral("postgres"));
        QSqlQuery q(admin);
        q.exec(QStringLiteral("DROP DATABASE IF EXISTS ") + name + QStringLiteral(" WITH (FORCE)"));
        if (!q.exec(QStringLiteral("CREATE DATABASE ") + name + QStringLiteral(" TEMPLATE ") +
                    templateName))
            throw std::runtime_error("cannot create the test database: " +
                                     q.lastError().text().toStdString());
        admin.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("admin"));
}

QSqlDatabase openConnection(const QString& connectionName, const QString& database) {
    return openNamed(connectionName, database);
}

void ensureDatabase() {
    static bool created = false;
    if (created)
        return;
    // PLANT_TEST_TEMPLATE=plant_original: a program that tries the client on a database
    // that was never upgraded.
    makeDatabase(databaseName(), env("PLANT_TEST_TEMPLATE", "plant_template"));
    created = true;
}

void openDataModule() {
    ensureDatabase();
    if (ownData && ownData->connection.isOpen())
        return;
    if (!ownData)
        ownData = new data::SharedData();
    ownData->connection.open(data::composeConnectionString(databaseName(), host()));
}

data::SharedData& sharedData() {
    // The running client's, however it was started.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* journal = qobject_cast<journal::JournalWindow*>(w))
            return journal->sharedData();
    if (!ownData)
        throw std::runtime_error("no shared data: neither the client nor the data module is up");
    return *ownData;
}

void startApp() {
    ensureDatabase();
    if (appStarted)
        return;
    if (!startApplication(appArgs()))
        throw std::runtime_error("the client did not start on the test database");
    appStarted = true;
}

void stopApp() {
    if (!appStarted)
        return;
    shutdownApplication();
    appStarted = false;
}

void reset() {
    const bool upgraded =
        scalar(QStringLiteral("select to_regclass('accounts_dep.closed_month') is not null"))
            .toBool();
    run(QStringLiteral(
            "TRUNCATE accounts_dep.smena, accounts_dep.h_tabel, accounts_dep.oper, "
            "accounts_dep.norm, accounts_dep.vid_oper, accounts_dep.person, accounts_dep.ver, "
            "cmn_gds_and_srv.gds_and_srv, cmn_contractor.person, hrms_staffpos.staffpos, "
            "cmn_department.department, adm_role.roles") +
        (upgraded ? QStringLiteral(", accounts_dep.closed_month") : QString()) +
        QStringLiteral(" RESTART IDENTITY CASCADE"));
    run(QStringLiteral("ALTER SEQUENCE cmn_gds_and_srv.gds_and_srv_id_seq RESTART"));
    // The change history refuses deletions, not the owner's truncation; a database made without
    // the upgrade has none.
    run(
        QStringLiteral("DO $$ BEGIN IF to_regclass('accounts_dep.change_log') IS NOT NULL THEN "
                       "TRUNCATE accounts_dep.change_log RESTART IDENTITY; END IF; END $$"));
}

void exec(const QString& sql) {
    run(sql);
}

QVariant scalar(const QString& sql) {
    QSqlQuery q = run(sql);
    return q.next() ? q.value(0) : QVariant();
}

QList<QVariantList> rows(const QString& sql) {
    return rowsOf(run(sql));
}

QList<QVariantList> rowsOn(QSqlDatabase db, const QString& sql) {
    QSqlQuery q(db);
    if (!q.exec(sql))
        throw std::runtime_error(
            ("query failed: " + sql + "\n" + q.lastError().text()).toStdString());
    return rowsOf(std::move(q));
}

QList<QVariantList> rowsOf(QSqlQuery q) {
    QList<QVariantList> out;
    while (q.next()) {
        QVariantList row;
        for (int i = 0; i < q.record().count(); ++i)
            row << q.value(i);
        out << row;
    }
    return out;
}

void DbTest::SetUp() {
    openDataModule();
    reset();
}

void AppTest::SetUp() {
    startApp();
    reset();
}

void AppTest::TearDown() {
    ui::clearModalHook();
    ui::clearMessageResponder();
    ui::clearToday();
}

}  // namespace testdb
