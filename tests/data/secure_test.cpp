#include "../support/test_database.h"
#include "app/journal_statements.h"
#include "app/secure_command.h"
#include "app/server_login.h"
#include "app/upgrade_command.h"
#include "data/connection.h"
#include "data/database_securing.h"
#include "data/scram_verifier.h"
#include "entry/entry_statements.h"
#include "refbooks/operations_statements.h"
#include "refbooks/products_statements.h"
#include "refbooks/workers_statements.h"
#include "timesheet/month_closing_statements.h"
#include "timesheet/rebuild_statements.h"
#include "timesheet/recalc_statements.h"

#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <map>

namespace {

// The test cluster's server administrator (scripts/test-db.sh).
const command_line::ServerLogin kDba{QStringLiteral("dba"), QStringLiteral("dba")};
const QString kPersonPassword = QStringLiteral("Пароль-1");

// A connection of its own as login to database (autocommit).
QSqlDatabase connectAs(const QString& connection, const QString& database,
                       const command_line::ServerLogin& login) {
    QSqlDatabase db = QSqlDatabase::contains(connection)
                          ? QSqlDatabase::database(connection, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QODBC"), connection);
    if (!db.isOpen()) {
        db.setDatabaseName(command_line::connectionStringAs(database, testdb::host(), login));
        db.open();
    }
    return db;
}

void closeConnection(const QString& connection) {
    if (!QSqlDatabase::contains(connection))
        return;
    QSqlDatabase::database(connection, false).close();
    QSqlDatabase::removeDatabase(connection);
}

// The statement's error, empty when it ran.
QString tryExec(QSqlDatabase db, const QString& sql) {
    QSqlQuery q(db);
    return q.exec(sql) ? QString() : q.lastError().text();
}

using testdb::rowsOn;

// Where two long texts part, with some context; empty when they are equal.
QString whereTheyPart(const QString& a, const QString& b) {
    qsizetype i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    if (i == a.size() && i == b.size())
        return {};
    return a.mid(std::max<qsizetype>(0, i - 150), 300) + "\n<>\n" +
           b.mid(std::max<qsizetype>(0, i - 150), 300);
}

QVariant scalarOn(QSqlDatabase db, const QString& sql) {
    const QList<QVariantList> rows = rowsOn(db, sql);
    return rows.isEmpty() ? QVariant() : rows.first().value(0);
}

// An entry of the fixture's worker, product and operation: the quantity on day, an hour's work.
entry::EntryValues entryOf(const QDate& day, const QString& quantity) {
    entry::EntryValues v;
    v.workerId = v.productId = v.operationId = 1;
    v.price = 10;
    v.quantity = quantity;
    v.defects = "0";
    v.hours = "1";
    v.date = v.inputDate = day;
    return v;
}

// Sets the server administrator (and the first administrator's password) for the commands.
struct CommandEnvironment {
    CommandEnvironment() {
        qputenv("PGUSER", "dba");
        qputenv("PGPASSWORD", "dba");
        qputenv(command_line::kAdminPasswordVariable, kPersonPassword.toUtf8());
    }
    ~CommandEnvironment() {
        qunsetenv("PGUSER");
        qunsetenv("PGPASSWORD");
        qunsetenv(command_line::kAdminPasswordVariable);
    }
};

const command_line::PasswordPrompt kNoTerminal = [](const QString&) {
    return std::optional<QString>();
};

// A plant's database with a month of work, secured (the first time by the fixture of the whole
// program, the roles being the server's), with one person per job.
class SecuredPlant : public ::testing::Test {
protected:
    static QString name() { return testdb::databaseName() + QStringLiteral("_plant"); }
    static QString login(const QString& job) { return name() + u'_' + job.left(4) + u'1'; }
    static inline const QStringList kJobs = {"foreman", "storekeeper", "reviewer", "administrator"};

    static void SetUpTestSuite() {
        QSqlDatabase admin = connectAs(QStringLiteral("dba"), QStringLiteral("postgres"), kDba);
        ASSERT_TRUE(admin.isOpen()) << admin.lastError().text().toStdString();
        tryExec(admin, "DROP DATABASE IF EXISTS " + name() + " WITH (FORCE)");
        ASSERT_EQ(
            tryExec(admin, "CREATE DATABASE " + name() + " TEMPLATE plant_template OWNER sys"),
            QString());
        QSqlDatabase sys = connectAs(
            QStringLiteral("sys"), name(),
            {QString::fromLatin1(data::kBuiltInUser), QString::fromLatin1(data::kBuiltInPassword)});
        for (const char* sql : {
                 "insert into accounts_dep.person(fio) values ('Иванов И.И.')",
                 "insert into accounts_dep.vid_oper(vid) values ('Сварка')",
                 "insert into cmn_gds_and_srv.gds_and_srv(s_caption, id_msm_bs) values ('КМ-1', 6)",
                 "insert into accounts_dep.oper(vid, naimen, i_id, cena_new) values (1, 0, 1, 10)",
                 "insert into accounts_dep.norm(o_id, price) values (1, 10)",
                 "insert into accounts_dep.smena(data, smena, w_id, i_id, o_id, kol_vo, time, ok) "
                 "values ('2026-11-12', 1, 1, 1, 1, 38, 8, 'no')",
                 "insert into accounts_dep.h_tabel(w_id, smena, month, year, d12) "
                 "values (1, 1, 11, 2026, 8)",
                 "insert into accounts_dep.ver(d, t) values (20260101, 1)",
             })
            ASSERT_EQ(tryExec(sys, sql), QString()) << sql;
        closeConnection(QStringLiteral("sys"));
        const CommandEnvironment environment;
        QString out, err;
        ASSERT_EQ(command_line::runSecure({name(), testdb::host(), login("administrator")}, out,
                                          err, kNoTerminal),
                  0)
            << err.toStdString();
        firstOutput() = out;
        QSqlDatabase plant = connectAs(QStringLiteral("plant-dba"), name(), kDba);
        for (const QString& job : kJobs) {
            if (job == QLatin1String("administrator"))
                continue;
            ASSERT_EQ(
                tryExec(plant, QStringLiteral("select accounts_dep.add_person('%1', "
                                              "'Человек %2', '%2', '%3')")
                                   .arg(login(job), job, data::scramVerifier(kPersonPassword))),
                QString());
        }
    }
    static QString& firstOutput() {
        static QString out;
        return out;
    }
    static QSqlDatabase dba() { return connectAs(QStringLiteral("plant-dba"), name(), kDba); }
    static QSqlDatabase person(const QString& job) {
        QSqlDatabase db = connectAs(job, name(), {login(job), kPersonPassword});
        if (!db.isOpen())
            throw std::runtime_error(
                ("no login as " + job + ": " + db.lastError().text()).toStdString());
        return db;
    }
    static QSqlDatabase sys() {
        return connectAs(
            QStringLiteral("sys"), name(),
            {QString::fromLatin1(data::kBuiltInUser), QString::fromLatin1(data::kBuiltInPassword)});
    }
    // Runs sql on db in a transaction that is rolled back: the error, or empty when it ran.
    // Statements apart are joined by "|".
    static QString tryAndUndo(QSqlDatabase db, const QString& sql) {
        EXPECT_TRUE(db.transaction());
        QString error;
        for (const QString& statement : sql.split(u'|'))
            if (error.isEmpty())
                error = tryExec(db, statement);
        db.rollback();
        return error;
    }
};

TEST_F(SecuredPlant, TheCommandSaysWhatItDidAndKeepsTheData) {
    const QString& out = firstOutput();
    EXPECT_TRUE(out.startsWith("Защита базы данных " + name() + " на сервере " + testdb::host() +
                               " (от имени dba)\n"));
    for (const QString& line :
         {"  - создана роль " + name() + "_owner\n", "  - создана роль " + name() + "_foreman\n",
          "  - база " + name() + " передана роли " + name() + "_owner (была у sys)\n",
          "  - создан администратор " + login("administrator") +
              "; при первом входе он сменит пароль\n",
          QStringLiteral("  04-history-who.sql: выполнено команд: ")})
        EXPECT_TRUE(out.contains(line)) << line.toStdString() << "\n" << out.toStdString();
    EXPECT_TRUE(out.endsWith("сохраняет pg_dumpall --roles-only.\n"));
    QSqlDatabase db = dba();
    EXPECT_EQ(rowsOn(db, "select kol_vo, time from accounts_dep.smena"),
              (QList<QVariantList>{{38, 8}}));
    EXPECT_EQ(scalarOn(db, "select d12 from accounts_dep.h_tabel").toInt(), 8);
    EXPECT_EQ(scalarOn(db, "select fio from accounts_dep.person").toString(), "Иванов И.И.");
    // Every object of the plant's schemas belongs to the owner role, and so does the database.
    EXPECT_EQ(scalarOn(db,
                       "select count(*) from pg_class c join pg_namespace n on n.oid = "
                       "c.relnamespace where n.nspname in ('accounts_dep', 'cmn_contractor', "
                       "'cmn_gds_and_srv', 'hrms_staffpos', 'cmn_department', 'adm_role') and "
                       "pg_get_userbyid(c.relowner) <> current_database() || '_owner'")
                  .toInt(),
              0);
    EXPECT_EQ(scalarOn(db,
                       "select pg_get_userbyid(datdba) from pg_database where datname = "
                       "current_database()")
                  .toString(),
              name() + "_owner");
    EXPECT_EQ(scalarOn(db,
                       "select string_agg(rolname || ':' || rolcanlogin, ',' order by rolname) "
                       "from pg_roles where rolname like current_database() || '\\_%' and "
                       "rolname not like current_database() || '\\_____1'")
                  .toString(),
              QStringLiteral("%1_administrator:false,%1_foreman:false,%1_owner:false,"
                             "%1_reviewer:false,%1_storekeeper:false")
                  .arg(name()));
}

// A function that runs with the owner's rights must not find another name first on a path a
// caller could put objects on.
TEST_F(SecuredPlant, EveryFunctionWithTheOwnersRightsHasItsSearchPathPinned) {
    QSqlDatabase db = dba();
    EXPECT_GT(scalarOn(db,
                       "select count(*) from pg_proc p join pg_namespace n on n.oid = "
                       "p.pronamespace where n.nspname = 'accounts_dep' and p.prosecdef")
                  .toInt(),
              10);
    EXPECT_EQ(scalarOn(db,
                       "select coalesce(string_agg(p.proname, ','), '') from pg_proc p join "
                       "pg_namespace n on n.oid = p.pronamespace where n.nspname = "
                       "'accounts_dep' and p.prosecdef and not coalesce('search_path=pg_catalog, "
                       "pg_temp' = any(p.proconfig), false)")
                  .toString(),
              QString());
}

TEST_F(SecuredPlant, EveryLoginLearnsThatTheDatabaseIsSecured) {
    for (QSqlDatabase db : {sys(), person("reviewer"), dba()})
        EXPECT_TRUE(data::securing::isSecured(db)) << db.connectionName().toStdString();
    testdb::ensureDatabase();
    QSqlDatabase plain = testdb::openConnection(QStringLiteral("check"), testdb::databaseName());
    EXPECT_FALSE(data::securing::isSecured(plain));
}

// Every write the client makes, and a few it never makes, as each job: allowed or refused.
TEST_F(SecuredPlant, EachJobWritesExactlyWhatItsRulesAllow) {
    const entry::EntryValues v = entryOf(QDate(2026, 11, 13), "5");
    const QDate day(2026, 11, 12);
    // F foreman, S storekeeper, R reviewer, A administrator: the jobs allowed.
    const struct {
        QString what;
        QString sql;
        QString allowed;
    } cases[] = {
        {"entry added", entry::insertStatement(v), "FA"},
        {"entry added already accepted", QString(entry::insertStatement(v)).replace("'no'", "'ok'"),
         "A"},
        {"entry changed", entry::updateStatement(v, 1), "A"},
        {"entry locked for a change", entry::storedPlaceStatement(1), "SA"},
        {"entry accepted", "update accounts_dep.smena set ok='ok' where id=1", "SA"},
        {"entry deleted", journal::statements::deleteEntry(1), "A"},
        {"quantity changed by hand", "update accounts_dep.smena set kol_vo=1 where id=1", "A"},
        {"timesheet cell added", timesheet::recalc::insertStatement(1, 2, day, 8), "FA"},
        {"timesheet cell updated", timesheet::recalc::updateStatement(1, 1, day, 9), "FA"},
        {"timesheet row's worker changed", "update accounts_dep.h_tabel set w_id=2", "A"},
        {"timesheet month rebuilt",
         timesheet::rebuild::noteRebuild(11, 2026) + "|" +
             timesheet::rebuild::lockMonthRows(11, "2026") + "|" +
             timesheet::rebuild::deleteMonth(11, "2026") + "|" +
             timesheet::rebuild::monthInsert(11, "2026"),
         "A"},
        {"version stamp raised", "update accounts_dep.ver set d=20270101, t=1", "FSRA"},
        {"version stamp added",
         journal::statements::insertVersion().replace(":d", "1").replace(":t", "1"), "FSRA"},
        {"version stamp's note changed", "update accounts_dep.ver set delim='x'", ""},
        {"version stamps deleted", "delete from accounts_dep.ver", ""},
        {"worker added", refbooks::workers::insertWorker("Петров П.П.", "Цех"), "A"},
        {"worker renamed", refbooks::workers::updateWorker("Иванов И.", "Цех", 1), "A"},
        {"worker deleted", refbooks::workers::deleteWorker(1), "A"},
        {"product added", refbooks::products::insertProduct("КМ-2", 1.5), "A"},
        {"product changed", refbooks::products::updateProduct(1, "КМ-3", 2), "A"},
        {"product deleted", "delete from accounts_dep.izdel where id=1", "A"},
        {"operation kind added", "insert into accounts_dep.vid_oper(vid) values ('Покраска')", "A"},
        {"operation kind deleted", "delete from accounts_dep.vid_oper where id=1", "A"},
        {"operation added", refbooks::operations::insertOperation(1, 1, 1), "A"},
        {"operation changed", refbooks::operations::updateOperation(1, 1, 1, 1), "A"},
        {"operation deleted", "delete from accounts_dep.oper where id=1", "A"},
        {"norm added",
         QString(refbooks::operations::insertFirstNorm())
             .replace(":o_id", "1")
             .replace(":price", "3"),
         "A"},
        {"norm changed", "update accounts_dep.norm set norma=5 where id=1", "A"},
        {"person register written", "update cmn_contractor.person set s_caption='X'", ""},
        {"department register written", "insert into cmn_department.department(id) values (9)", ""},
        {"month closed directly",
         timesheet::closing::closeMonth(10, "2026", "Administrator", "host"), ""},
        {"month closed", "select accounts_dep.close_month(2026, 10)", "A"},
        {"month reopened",
         "select accounts_dep.close_month(2026, 9)|select accounts_dep.reopen_month(2026, 9, "
         "'ошибка в табеле')",
         "A"},
        {"history read", "select count(*) from accounts_dep.change_log", "RA"},
        {"people read directly", "select count(*) from accounts_dep.plant_person", ""},
        {"person added",
         QStringLiteral("select accounts_dep.add_person('%1_new', 'Новый', 'reviewer', 'x')")
             .arg(name()),
         "A"},
        {"people listed", "select * from accounts_dep.list_people()", "A"},
        {"own password changed",
         QStringLiteral("select accounts_dep.change_own_password('%1')")
             .arg(data::scramVerifier(kPersonPassword)),
         "FSRA"},
        {"journal read", "select count(*) from accounts_dep.smena", "FSRA"},
        {"sequence moved on", "select setval('accounts_dep.smena_id_seq', 1000)", ""},
        {"schema object made", "create table accounts_dep.extra(x int)", ""},
        {"object made in public", "create table public.extra(x int)", ""},
    };
    const QString letters = QStringLiteral("FSRA");
    for (int j = 0; j < kJobs.size(); ++j) {
        QSqlDatabase db = person(kJobs[j]);
        for (const auto& c : cases) {
            const QString error = tryAndUndo(db, c.sql);
            EXPECT_EQ(error.isEmpty(), c.allowed.contains(letters[j]))
                << kJobs[j].toStdString() << ": " << c.what.toStdString() << "\n"
                << error.toStdString();
        }
    }
}

// Nobody, the administrator included, writes the history or the closed months directly, empties
// a table, or touches a trigger or its function.
TEST_F(SecuredPlant, NoJobTampersWithHistoryMonthsOrTriggers) {
    QStringList attempts = {
        "insert into accounts_dep.closed_month(year, month) values (2026, 10)",
        "delete from accounts_dep.closed_month",
        "insert into accounts_dep.change_log(table_name, action) values ('smena', 'insert')",
        "update accounts_dep.change_log set role = 'Foreman'",
        "delete from accounts_dep.change_log",
        "select accounts_dep.change_log_write('smena', 1, 'delete', null, null, null)",
        "alter table accounts_dep.smena disable trigger all",
        "alter table accounts_dep.smena disable trigger change_log",
        "alter table accounts_dep.change_log disable trigger change_log_append_only",
        "drop trigger change_log on accounts_dep.smena",
        "drop trigger smena_closed_month_update on accounts_dep.smena",
        "create or replace function accounts_dep.change_log_row() returns trigger language "
        "plpgsql as 'begin return null; end'",
        "create or replace function accounts_dep.refuse_closed_months(keys integer[]) returns "
        "void language sql as 'select'",
        "alter function accounts_dep.change_log_write(text, bigint, text, jsonb, jsonb, jsonb) "
        "security invoker",
        "set session_replication_role = replica",
    };
    for (const QVariantList& table :
         rowsOn(dba(),
                "select n.nspname || '.' || c.relname from pg_class c join pg_namespace n "
                "on n.oid = c.relnamespace where c.relkind = 'r' and n.nspname in "
                "('accounts_dep', 'cmn_contractor', 'cmn_gds_and_srv', 'hrms_staffpos', "
                "'cmn_department', 'adm_role')"))
        attempts << "truncate " + table.value(0).toString();
    ASSERT_GT(attempts.size(), 25);
    for (const QString& job : kJobs) {
        QSqlDatabase db = person(job);
        for (const QString& sql : attempts)
            EXPECT_FALSE(tryAndUndo(db, sql).isEmpty())
                << job.toStdString() << ": " << sql.toStdString();
    }
    // The owner's own truncation is refused too (a superuser acting as the owner here).
    EXPECT_TRUE(
        tryAndUndo(dba(), "truncate accounts_dep.change_log").contains("не очищается целиком"));
}

TEST_F(SecuredPlant, HistoryRecordsThePersonAndTheJobTheServerGives) {
    QSqlDatabase foreman = person("foreman");
    ASSERT_EQ(tryExec(foreman,
                      "select set_config('plant.role', 'Administrator', false), "
                      "set_config('plant.workstation', 'elsewhere', false)"),
              QString());
    const entry::EntryValues v = entryOf(QDate(2026, 11, 20), "7");
    ASSERT_EQ(tryExec(foreman, entry::insertStatement(v)), QString());
    ASSERT_EQ(tryExec(foreman, timesheet::recalc::insertStatement(1, 1, v.date, 1)), QString());
    const QList<QVariantList> rows =
        rowsOn(dba(),
               "select table_name, action, role, db_user, workstation from "
               "accounts_dep.change_log where id > (select max(id) - 2 from "
               "accounts_dep.change_log) order by id");
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0], (QVariantList{"smena", "insert", "Foreman", login("foreman"), "elsewhere"}));
    EXPECT_EQ(rows[1],
              (QVariantList{"h_tabel", "insert", "Foreman", login("foreman"), "elsewhere"}));
    // A server administrator's own write is another program's: no job, the login named.
    ASSERT_EQ(tryExec(dba(), "update accounts_dep.smena set kol_vo = 8 where kol_vo = 7"),
              QString());
    EXPECT_EQ(rowsOn(dba(),
                     "select coalesce(role, '-'), db_user from accounts_dep.change_log "
                     "order by id desc limit 1"),
              (QList<QVariantList>{{"-", "dba"}}));
    // Counted a member of every role, the server administrator is still no foreman: an entry
    // restored already accepted goes in.
    entry::EntryValues restored = entryOf(QDate(2026, 11, 20), "9");
    EXPECT_EQ(tryAndUndo(dba(), QString(entry::insertStatement(restored)).replace("'no'", "'ok'")),
              QString());
}

// The foreman's acceptance rule is the server's: psql, with the foreman's password over TCP,
// adds an unaccepted entry and is refused an accepted one, as the client is.
TEST_F(SecuredPlant, PsqlAsTheForemanMeetsTheAcceptanceRule) {
    const auto psqlAsForeman = [](const QString& sql, QString* error) {
        QProcess p;
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert(QStringLiteral("PGPASSWORD"), kPersonPassword);
        p.setProcessEnvironment(e);
        p.start(QStringLiteral("psql"),
                {"-X", "-q", "-v", "ON_ERROR_STOP=1", "-h", testdb::host(), "-U", login("foreman"),
                 "-d", name(), "-c", "begin; " + sql + "; rollback"});
        p.waitForFinished(-1);
        *error = QString::fromUtf8(p.readAllStandardError());
        return p.exitCode();
    };
    const QString insert = entry::insertStatement(entryOf(QDate(2026, 11, 13), "6"));
    QString error;
    EXPECT_EQ(psqlAsForeman(insert, &error), 0) << error.toStdString();
    EXPECT_NE(psqlAsForeman(QString(insert).replace("'no'", "'ok'"), &error), 0);
    EXPECT_TRUE(error.contains("Бригадир не принимает записи")) << error.toStdString();
}

TEST_F(SecuredPlant, TimesheetCellsAndWorkerNamesLeaveHistoryARebuildOneRow) {
    QSqlDatabase admin = person("administrator");
    const auto lastRows = [](int n) {
        return rowsOn(dba(),
                      QStringLiteral("select table_name, action, coalesce(old_values::text, "
                                     "'-'), coalesce(new_values::text, '-') from (select * from "
                                     "accounts_dep.change_log order by id desc limit %1) "
                                     "l order by id")
                          .arg(n));
    };
    const int before = scalarOn(dba(), "select count(*) from accounts_dep.change_log").toInt();
    // A day of 24 hours typed in by hand.
    ASSERT_EQ(
        tryExec(admin, "update accounts_dep.h_tabel set d13 = 24 where month = 11 and d12 = 8"),
        QString());
    EXPECT_EQ(lastRows(1),
              (QList<QVariantList>{{"h_tabel", "update", R"({"d13": 0})", R"({"d13": 24})"}}));
    // A rebuild in one transaction: its one row, not its cells.
    ASSERT_TRUE(admin.transaction());
    for (const QString& sql :
         {timesheet::rebuild::noteRebuild(11, 2026), timesheet::rebuild::deleteMonth(11, "2026"),
          timesheet::rebuild::insertDay(12, "1", "1", 11, "2026", "8"),
          timesheet::rebuild::updateDay(13, "2", "1", "1", 11, "2026")})
        ASSERT_EQ(tryExec(admin, sql), QString()) << sql.toStdString();
    ASSERT_TRUE(admin.commit());
    EXPECT_EQ(lastRows(1), (QList<QVariantList>{{"h_tabel", "rebuild", "-", "-"}}));
    // A worker renamed in the register by another program; renamed through the workers'
    // book, the worker's own row tells it once.
    ASSERT_EQ(tryExec(dba(),
                      "update cmn_contractor.person set s_caption = 'Иванов Иван' "
                      "where s_code = '1'"),
              QString());
    EXPECT_EQ(lastRows(1),
              (QList<QVariantList>{{"contractor", "update",
                                    R"({"s_code": "1", "s_caption": "Иванов И.И."})",
                                    R"({"s_code": "1", "s_caption": "Иванов Иван"})"}}));
    ASSERT_EQ(tryExec(admin, refbooks::workers::updateWorker("Иванов И.", "", 1)), QString());
    EXPECT_EQ(lastRows(1).value(0).value(0), "person");
    EXPECT_EQ(
        scalarOn(dba(), QStringLiteral("select count(*) from accounts_dep.change_log")).toInt(),
        before + 4);
}

TEST_F(SecuredPlant, TheBuiltInLoginWritesNothing) {
    QSqlDatabase db = sys();
    ASSERT_TRUE(db.isOpen());
    EXPECT_EQ(tryExec(db, journal::statements::readVersion()), QString());
    for (const QString& sql :
         {QStringLiteral("insert into accounts_dep.smena(data) values ('2026-11-01')"),
          QStringLiteral("update accounts_dep.smena set ok = 'ok'"),
          QStringLiteral("delete from accounts_dep.h_tabel"),
          QStringLiteral("update accounts_dep.ver set d = 20300101"),
          QStringLiteral("insert into accounts_dep.person(fio) values ('X')"),
          QStringLiteral("update cmn_contractor.person set s_caption = 'X'"),
          QStringLiteral("delete from accounts_dep.closed_month"),
          QStringLiteral("select accounts_dep.add_person('x_sys', 'X', 'administrator', 'x')"),
          QStringLiteral("select * from accounts_dep.smena"),
          QStringLiteral("create table accounts_dep.mine(x int)"),
          QStringLiteral("drop database ") + name()})
        EXPECT_FALSE(tryAndUndo(db, sql).isEmpty()) << sql.toStdString();
    EXPECT_EQ(rowsOn(db, "select * from accounts_dep.current_person()").size(), 0);
}

TEST_F(SecuredPlant, SecuringAgainChangesNothingAndTheUpgradeStillWorks) {
    const QString snapshot = QStringLiteral(
        "select (select string_agg(n.nspname || '.' || c.relname || ':' || c.relowner::regrole || "
        "':' || coalesce(c.relacl::text, ''), ',' order by n.nspname, c.relname) from pg_class c "
        "join pg_namespace n on n.oid = c.relnamespace where n.nspname not in ('pg_catalog', "
        "'information_schema') and c.relkind <> 'i' and n.nspname not like 'pg\\_t%') "
        "|| (select string_agg(p.oid::regprocedure || ':' || p.proowner::regrole || ':' || "
        "coalesce(p.proacl::text, '') || md5(p.prosrc) || coalesce(array_to_string(p.proconfig, "
        "','), '') || p.prosecdef, ',' order by p.oid::regprocedure::text) from pg_proc p join "
        "pg_namespace n on n.oid = p.pronamespace where n.nspname = 'accounts_dep') || (select "
        "string_agg(tgrelid::regclass || ':' || pg_get_triggerdef(oid), ',' order by "
        "tgrelid::regclass::text, tgname) from "
        "pg_trigger where not tgisinternal) || (select string_agg(r.rolname || r.rolsuper || "
        "r.rolcreaterole || r.rolcanlogin || coalesce((select string_agg(m.roleid::regrole::text, "
        "',' order by m.roleid::regrole::text) from pg_auth_members m where m.member = r.oid), "
        "''), ',' order by "
        "r.rolname) from pg_roles r where r.rolname like current_database() || '%' or r.rolname in "
        "('sys', 'dba')) || (select "
        "string_agg(login || job || enabled, ',' order by login) from accounts_dep.plant_person)"
        " || (select count(*) from accounts_dep.smena)");
    const QString before = scalarOn(dba(), snapshot).toString();
    const CommandEnvironment environment;
    QString out, err;
    ASSERT_EQ(command_line::runSecure({name(), testdb::host(), login("administrator")}, out, err,
                                      kNoTerminal),
              0)
        << err.toStdString();
    EXPECT_TRUE(out.contains("  - администратор " + login("administrator") +
                             " уже был, его пароль не изменён\n"))
        << out.toStdString();
    EXPECT_FALSE(out.contains("создана роль"));
    EXPECT_EQ(whereTheyPart(scalarOn(dba(), snapshot).toString(), before), QString());

    // The upgrade of a secured database, as the server administrator: as the owner, rights kept.
    // A database secured by an earlier client kept the foreman's acceptance rule in a trigger of
    // its own; the upgrade leaves the rule in the history's row pass alone.
    ASSERT_EQ(tryExec(dba(), "set role " + name() +
                                 "_owner; create function accounts_dep.refuse_foreman_acceptance() "
                                 "returns trigger language plpgsql as 'begin return new; end'; "
                                 "create trigger refuse_foreman_acceptance before insert on "
                                 "accounts_dep.smena for each row execute function "
                                 "accounts_dep.refuse_foreman_acceptance(); reset role"),
              QString());
    out.clear();
    ASSERT_EQ(command_line::runUpgrade({name(), testdb::host()}, out, err, kNoTerminal), 0)
        << err.toStdString();
    EXPECT_TRUE(out.endsWith("База данных обновлена. Клиенты на ней могут работать дальше.\n"));
    EXPECT_EQ(whereTheyPart(scalarOn(dba(), snapshot).toString(), before), QString());
    EXPECT_EQ(tryAndUndo(person("foreman"),
                         "insert into accounts_dep.smena(data, smena, w_id) "
                         "values ('2026-11-21', 1, 1)"),
              QString());
}

TEST_F(SecuredPlant, TheBuiltInLoginNeitherUpgradesNorSecures) {
    QString out, err;
    qunsetenv("PGUSER");
    EXPECT_EQ(command_line::runUpgrade({name(), testdb::host()}, out, err, kNoTerminal), 1);
    EXPECT_TRUE(err.contains("Роль sys не суперпользователь")) << err.toStdString();
    qputenv("PGUSER", "sys");
    qputenv("PGPASSWORD", data::kBuiltInPassword);
    err.clear();
    EXPECT_EQ(command_line::runSecure({name(), testdb::host(), {}}, out, err, kNoTerminal), 1);
    EXPECT_TRUE(err.startsWith("База данных не защищена, в ней ничего не изменилось:\n"));
    qunsetenv("PGUSER");
    qunsetenv("PGPASSWORD");
}

TEST_F(SecuredPlant, PeopleAreManagedByAdministratorsOnly) {
    QSqlDatabase admin = person("administrator");
    const QString newcomer = name() + QStringLiteral("_new2");
    const QString verifier = data::scramVerifier(QStringLiteral("первый"));
    // Refusals, in Russian, for everybody but the administrator.
    EXPECT_TRUE(tryExec(person("reviewer"), QStringLiteral("select accounts_dep.add_person('%1', "
                                                           "'Новый', 'reviewer', '%2')")
                                                .arg(newcomer, verifier))
                    .contains("Пользователей ведёт администратор"));
    for (const auto& [sql, refusal] : std::vector<std::pair<QString, QString>>{
             {"select accounts_dep.add_person('sys', 'Чужой', 'reviewer', 'x')", "уже занято"},
             {"select accounts_dep.add_person('a b', 'Чужой', 'reviewer', 'x')", "Имя входа"},
             {"select accounts_dep.add_person('" + newcomer + "', 'Новый', 'boss', 'x')",
              "Неизвестная должность"},
             {"select accounts_dep.add_person('" + newcomer + "', 'Новый', 'reviewer', ' ')",
              "Пароль не может быть пустым"},
             {"select accounts_dep.set_person_job('sys', 'reviewer')", "в этой базе нет"},
             {"select accounts_dep.set_person_enabled('" + login("administrator") + "', false)",
              "Свой вход отключает другой администратор"},
         })
        EXPECT_TRUE(tryExec(admin, sql).contains(refusal)) << sql.toStdString();

    ASSERT_EQ(tryExec(admin, QStringLiteral("select accounts_dep.add_person('%1', 'Новый Н.Н.', "
                                            "'reviewer', '%2')")
                                 .arg(newcomer, verifier)),
              QString());
    QSqlDatabase newcomerDb = connectAs("newcomer", name(), {newcomer, QStringLiteral("первый")});
    ASSERT_TRUE(newcomerDb.isOpen()) << newcomerDb.lastError().text().toStdString();
    EXPECT_EQ(rowsOn(newcomerDb,
                     "select login, full_name, job, must_change_password::text from "
                     "accounts_dep.current_person()"),
              (QList<QVariantList>{{newcomer, "Новый Н.Н.", "reviewer", "true"}}));
    ASSERT_EQ(tryExec(newcomerDb, "select accounts_dep.change_own_password('" +
                                      data::scramVerifier("второй") + "')"),
              QString());
    EXPECT_EQ(scalarOn(newcomerDb, "select must_change_password from accounts_dep.current_person()")
                  .toBool(),
              false);
    newcomerDb = QSqlDatabase();
    closeConnection("newcomer");
    EXPECT_FALSE(connectAs("newcomer", name(), {newcomer, QStringLiteral("первый")}).isOpen());
    closeConnection("newcomer");

    ASSERT_EQ(tryExec(admin, "select accounts_dep.set_person_job('" + newcomer + "', 'foreman')"),
              QString());
    ASSERT_EQ(tryExec(admin, "select accounts_dep.set_person_enabled('" + newcomer + "', false)"),
              QString());
    EXPECT_FALSE(connectAs("newcomer", name(), {newcomer, QStringLiteral("второй")}).isOpen());
    closeConnection("newcomer");
    ASSERT_EQ(tryExec(admin, "select accounts_dep.set_person_enabled('" + newcomer + "', true)"),
              QString());
    ASSERT_EQ(tryExec(admin, "select accounts_dep.reset_person_password('" + newcomer + "', '" +
                                 data::scramVerifier("третий") + "')"),
              QString());
    newcomerDb = connectAs("newcomer", name(), {newcomer, QStringLiteral("третий")});
    ASSERT_TRUE(newcomerDb.isOpen());
    EXPECT_EQ(rowsOn(newcomerDb,
                     "select job, must_change_password::text from "
                     "accounts_dep.current_person()"),
              (QList<QVariantList>{{"foreman", "true"}}));
    // One job at a time: the foreman's rights, not the reviewer's any more.
    EXPECT_EQ(scalarOn(dba(),
                       "select string_agg(roleid::regrole::text, ',') from pg_auth_members "
                       "where member = '" +
                           newcomer + "'::regrole")
                  .toString(),
              name() + "_foreman");
    newcomerDb = QSqlDatabase();
    closeConnection("newcomer");
    EXPECT_EQ(rowsOn(admin,
                     "select login, job, enabled::text from accounts_dep.list_people() "
                     "where login = '" +
                         newcomer + "'"),
              (QList<QVariantList>{{newcomer, "foreman", "true"}}));
}

TEST_F(SecuredPlant, TakesSuperuserAndCreateRoleFromTheBuiltInLogin) {
    QSqlDatabase admin = connectAs(QStringLiteral("dba"), QStringLiteral("postgres"), kDba);
    ASSERT_EQ(tryExec(admin, "alter role sys createrole"), QString());
    const CommandEnvironment environment;
    QString out, err;
    ASSERT_EQ(command_line::runSecure({name(), testdb::host(), {}}, out, err, kNoTerminal), 0)
        << err.toStdString();
    EXPECT_TRUE(
        out.contains("  - у встроенной учётной записи sys сняты SUPERUSER и CREATEROLE: "
                     "другие программы, которые входили под ней, теперь должны входить "
                     "под своей учётной записью\n"))
        << out.toStdString();
    EXPECT_TRUE(
        out.contains("  - встроенной учётной записи sys по-прежнему принадлежит: база "
                     "данных plant_original\n"));
    EXPECT_FALSE(
        scalarOn(admin, "select rolcreaterole from pg_roles where rolname = 'sys'").toBool());
}

TEST(SecureCommand, RefusesAnIncompleteCommandLineAndAMissingServerAdministrator) {
    const struct {
        QStringList args;
        bool environment;
        QString error;
    } cases[] = {
        {{"plant-client", "--secure-database", "db"}, true, "Укажите базу и сервер"},
        {{"plant-client", "--secure-database", "db", "srv", "--admin"},
         true,
         "Укажите базу и сервер"},
        {{"plant-client", "--secure-database", "db", "srv", "--owner", "x"},
         true,
         "Укажите базу и сервер"},
        {{"plant-client", "--secure-database", "db", "srv"}, false, "Задайте в PGUSER"},
    };
    for (const auto& c : cases) {
        const auto request = command_line::secureRequestIn(c.args);
        ASSERT_TRUE(request);
        QString out, err;
        if (c.environment)
            qputenv("PGUSER", "dba");
        EXPECT_EQ(command_line::runSecure(*request, out, err, kNoTerminal), 2)
            << c.args.join(' ').toStdString();
        EXPECT_TRUE(err.contains(c.error)) << err.toStdString();
        qunsetenv("PGUSER");
    }
    EXPECT_FALSE(command_line::secureRequestIn({"plant-client", "db", "--secure-database"}));
    const auto full = command_line::secureRequestIn(
        {"plant-client", "--secure-database", "db", "srv", "--admin", "ivanov"});
    EXPECT_EQ(full->database, "db");
    EXPECT_EQ(full->server, "srv");
    EXPECT_EQ(full->admin, "ivanov");
    EXPECT_FALSE(full->badArguments);
}

TEST(SecureCommand, AsksTheAdministratorsPasswordTwice) {
    CommandEnvironment environment;
    qunsetenv(command_line::kAdminPasswordVariable);
    QStringList answers = {"один", "два"};
    const command_line::PasswordPrompt ask = [&](const QString&) -> std::optional<QString> {
        return answers.isEmpty() ? std::nullopt : std::optional(answers.takeFirst());
    };
    QString out, err;
    EXPECT_EQ(command_line::runSecure({"db", "srv", "ivanov"}, out, err, ask), 2);
    EXPECT_EQ(err, "Пароли не совпадают; база не изменена\n");
}

TEST(ServerLogin, PasswordFileAsLibpqReadsIt) {
    const QString file = QStringLiteral(
        "# comment\n"
        "other:5432:*:dba:wrong\n"
        "db\\:host:*:plant:dba:colon\n"
        "10.0.0.1:5432:plant:dba:pa\\:ss\\\\word\n"
        "*:*:*:dba:any\n");
    EXPECT_EQ(command_line::passwordFileEntry(file, "10.0.0.1", "plant", "dba"), "pa:ss\\word");
    EXPECT_EQ(command_line::passwordFileEntry(file, "db:host", "plant", "dba"), "colon");
    EXPECT_EQ(command_line::passwordFileEntry(file, "10.0.0.2", "x", "dba"), "any");
    EXPECT_EQ(command_line::passwordFileEntry(file, "10.0.0.2", "x", "sys"), std::nullopt);
}

TEST(ServerLogin, ConnectionStringCarriesTheLoginBraced) {
    const QString s = command_line::connectionStringAs("plant", "srv", {"dba", "p;w}d"});
    EXPECT_TRUE(s.contains(";UID=dba;PWD={p;w}}d};")) << s.toStdString();
    EXPECT_FALSE(s.contains("tavirok"));
}

TEST(ScramVerifier, MatchesWhatTheServerStores) {
    // Made by PostgreSQL 15 for "Пароль1".
    EXPECT_EQ(data::scramVerifier(QStringLiteral("Пароль1"),
                                  QByteArray::fromBase64("dmTj+mw/z1tr6bWEckaVNg=="), 4096),
              "SCRAM-SHA-256$4096:dmTj+mw/z1tr6bWEckaVNg==$ljg0GyN+vslZ1wqabg90a7uPiT43sjFmZbSKjd"
              "xevMc=:+0mg/g258rch/SdjAE65YDKN6XcYmjwpMdplqpwjjkI=");
    const QString fresh = data::scramVerifier(QStringLiteral("x"));
    EXPECT_TRUE(fresh.startsWith("SCRAM-SHA-256$4096:"));
    EXPECT_NE(fresh, data::scramVerifier(QStringLiteral("x")));
}

}  // namespace
