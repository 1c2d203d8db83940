#include "../support/test_database.h"
#include "app/upgrade_command.h"
#include "data/connection.h"
#include "data/db_error.h"
#include "data/schema_upgrade.h"
#include "data/server_features.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

QVariant scalarOn(QSqlDatabase db, const QString& sql) {
    QSqlQuery q(db);
    if (!q.exec(sql))
        throw std::runtime_error(q.lastError().text().toStdString());
    return q.next() ? q.value(0) : QVariant();
}

TEST(UpgradeScript, SplitsAtSemicolonsOutsideQuotesAndComments) {
    const struct {
        QString script;
        QStringList statements;
    } cases[] = {
        {"select 1; select 2;", {"select 1", "select 2"}},
        {"select ';' ; select \"a;b\" from t", {"select ';'", "select \"a;b\" from t"}},
        {"-- one; two\nselect 1; /* three; */ select 2", {"select 1", "select 2"}},
        {"create function f() returns int as $$ begin return 1; end $$ language plpgsql; "
         "select $x$;$x$",
         {"create function f() returns int as $$ begin return 1; end $$ language plpgsql",
          "select $x$;$x$"}},
        {"select $1::int; ;\n", {"select $1::int"}},  // a parameter is no dollar quote
    };
    for (const auto& c : cases)
        EXPECT_EQ(data::upgrade::statementsOf(c.script), c.statements) << c.script.toStdString();
}

// A plant's database as the original schema made it, with a month of work in it.
class OriginalDatabase : public ::testing::Test {
protected:
    void SetUp() override {
        name_ = testdb::databaseName() + QStringLiteral("_original");
        testdb::makeDatabase(name_, QStringLiteral("plant_original"));
        db_ = testdb::openConnection(QStringLiteral("original"), name_);
        QSqlQuery q(db_);
        ASSERT_TRUE(
            q.exec("insert into accounts_dep.smena(data, smena, w_id, kol_vo, time) "
                   "values ('12.11.2026', 1, 7, 38, 8)"));
        ASSERT_TRUE(
            q.exec("insert into accounts_dep.h_tabel(w_id, smena, month, year, d12) "
                   "values (7, 1, 11, 2026, 8)"));
    }
    void TearDown() override {
        db_.close();
        QSqlDatabase::removeDatabase(QStringLiteral("original"));
    }
    int upgrade(QString& out, QString& err) {
        return command_line::runUpgrade({name_, testdb::host()}, out, err);
    }

    QString name_;
    QSqlDatabase db_;
};

TEST_F(OriginalDatabase, UpgradeTwiceKeepsTheDataAndMakesEachObjectOnce) {
    for (int run = 0; run < 2; ++run) {
        QString out, err;
        ASSERT_EQ(upgrade(out, err), 0) << err.toStdString();
        EXPECT_TRUE(err.isEmpty());
        EXPECT_TRUE(out.startsWith("Обновление базы данных " + name_ + " на сервере "));
        EXPECT_TRUE(out.contains("  01-closed-months.sql: выполнено команд: "));
        EXPECT_TRUE(out.endsWith("База данных обновлена. Клиенты на ней могут работать дальше.\n"));
    }
    EXPECT_EQ(scalarOn(db_, "select count(*) from accounts_dep.smena where kol_vo=38").toInt(), 1);
    EXPECT_EQ(scalarOn(db_, "select d12 from accounts_dep.h_tabel").toInt(), 8);
    EXPECT_EQ(scalarOn(db_,
                       "select count(*) from pg_trigger where tgname like '%closed_month%' and "
                       "not tgisinternal")
                  .toInt(),
              6);
    // The upgraded database closes months, the data of before included.
    QSqlQuery q(db_);
    ASSERT_TRUE(q.exec("insert into accounts_dep.closed_month(year, month) values (2026, 11)"));
    EXPECT_FALSE(q.exec("update accounts_dep.smena set kol_vo=40"));
    EXPECT_FALSE(q.exec("delete from accounts_dep.h_tabel"));
}

TEST_F(OriginalDatabase, FailedScriptLeavesNothingOfTheUpgrade) {
    const QList<data::upgrade::Script> scripts = {
        {"01-good.sql", "create table accounts_dep.upgrade_probe(id integer);"},
        {"02-bad.sql", "select 1; select no_such_column from accounts_dep.smena;"},
    };
    try {
        data::upgrade::run(db_, scripts);
        FAIL() << "the upgrade did not fail";
    } catch (const data::DbError& e) {
        EXPECT_TRUE(e.message().startsWith("02-bad.sql: ")) << e.what();
    }
    EXPECT_TRUE(scalarOn(db_, "select to_regclass('accounts_dep.upgrade_probe') is null").toBool());
}

TEST_F(OriginalDatabase, RefusesWithoutServerAndReportsAFailedConnection) {
    QString out, err;
    EXPECT_EQ(command_line::runUpgrade({name_, QString()}, out, err), 2);
    EXPECT_EQ(err, "Укажите базу и сервер: plant-client --upgrade-database БАЗА СЕРВЕР\n");
    EXPECT_EQ(command_line::runUpgrade({"no_such_database", testdb::host()}, out, err), 1);
    EXPECT_TRUE(err.startsWith("База данных не обновлена, в ней ничего не изменилось:\n"));
}

// Run again after a client update while another session reads the journal in an open transaction:
// the session holds the table whose triggers the upgrade replaces, so the upgrade stops after the
// lock wait, changes nothing and says, in Russian, to run it again; once the reader is done it
// goes through.
TEST_F(OriginalDatabase, UpgradeWhileAnotherSessionReadsTheJournalSaysTheDatabaseIsBusy) {
    QString out, err;
    ASSERT_EQ(upgrade(out, err), 0) << err.toStdString();
    const QString triggers =
        "select count(*) from pg_trigger where tgname like '%closed_month%' and not tgisinternal";
    ASSERT_TRUE(db_.transaction());
    EXPECT_EQ(scalarOn(db_, "select count(*) from accounts_dep.smena").toInt(), 1);
    out.clear();
    EXPECT_EQ(upgrade(out, err), 1);
    EXPECT_EQ(err, QString("База данных не обновлена, в ней ничего не изменилось:\n") +
                       command_line::kBusyDatabaseMessage + "\n");
    EXPECT_EQ(scalarOn(db_, triggers).toInt(), 6);
    ASSERT_TRUE(db_.rollback());
    err.clear();
    EXPECT_EQ(upgrade(out, err), 0) << err.toStdString();
}

TEST_F(OriginalDatabase, ClosedMonthsAreSeenAfterTheUpgradeOnANewConnection) {
    data::Connection client(QStringLiteral("client"));
    client.open(data::composeConnectionString(name_, testdb::host()));
    const QSqlDatabase clientDb = QSqlDatabase::database(QStringLiteral("client"), false);
    EXPECT_FALSE(data::closedMonthsAvailable(clientDb));
    QString out, err;
    ASSERT_EQ(upgrade(out, err), 0) << err.toStdString();
    EXPECT_FALSE(data::closedMonthsAvailable(clientDb));  // asked once per connection
    client.open(data::composeConnectionString(name_, testdb::host()));
    EXPECT_TRUE(data::closedMonthsAvailable(clientDb));
}

TEST(CommandLine, UpgradeRequestOnlyAsTheFirstArgument) {
    const auto request = command_line::upgradeRequestIn(
        {"plant-client", "--upgrade-database", "plantdb", "10.1.2.3"});
    ASSERT_TRUE(request);
    EXPECT_EQ(request->database, "plantdb");
    EXPECT_EQ(request->server, "10.1.2.3");
    EXPECT_FALSE(command_line::upgradeRequestIn({"plant-client", "plantdb", "10.1.2.3"}));
}

}  // namespace
