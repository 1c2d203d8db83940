#include "../support/journal_entries.h"
#include "../support/message_log.h"
#include "../support/test_database.h"
#include "history_plant.h"

#include "app/journal_statements.h"
#include "data/command.h"
#include "data/data_module.h"
#include "data/db_error.h"
#include "data/session_identity.h"
#include "data/sql_text.h"
#include "entry/entry_save.h"
#include "history/history_statements.h"
#include "refbooks/operations_statements.h"
#include "refbooks/products_statements.h"
#include "refbooks/workers_statements.h"
#include "timesheet/month_closing.h"
#include "timesheet/month_rebuild.h"

#include <QProcess>
#include <functional>

namespace {

using testdb::DbTest;

using history_plant::Plant;
using history_plant::psql;

// The plant with one journal entry of 05.11.2026 (38 pieces, 8 hours), written before the
// history starts; returns the entry's id.
int addEntry(const Plant& p) {
    const int id = testdb::addJournalEntry({.date = QDate(2026, 11, 5),
                                            .shift = 1,
                                            .worker = p.worker,
                                            .product = p.product,
                                            .operation = p.operation,
                                            .quantity = 38,
                                            .defects = 0,
                                            .price = 1.5,
                                            .colour = 0,
                                            .hours = 8});
    testdb::exec("TRUNCATE accounts_dep.change_log RESTART IDENTITY");
    return id;
}

entry::EntryValues valuesOf(const Plant& p, const QString& quantity, const QDate& date) {
    return {
        p.worker, p.product, p.operation, 1.5, quantity, QStringLiteral("0"), QStringLiteral("8"),
        date,     1,         0,           date};
}

// The history's rows after `after`: table, row id, action, role, workstation, program, and the
// old and new value of one column.
QList<QVariantList> loggedSince(qint64 after, const QString& column) {
    return testdb::rows(
        QStringLiteral("select table_name, row_id, action, coalesce(role, '-'), workstation, "
                       "program, old_values->>'%1', new_values->>'%1' "
                       "from accounts_dep.change_log where id > %2 order by id")
            .arg(column)
            .arg(after));
}

qint64 lastLogged() {
    return testdb::scalar("select coalesce(max(id), 0) from accounts_dep.change_log").toLongLong();
}

void runOnClient(const QString& sql) {
    data::Command c;
    c.setSql(sql);
    c.exec();
}

using History = DbTest;

TEST_F(History, EachRoleActionLeavesOneRowWithItsRoleAndWorkstation) {
    testing_support::MessageLog log;
    const Plant p = history_plant::makePlant();
    const int entryId = addEntry(p);
    data::SharedData& db = testdb::sharedData();

    struct Action {
        const char* role;
        const char* what;
        std::function<void()> run;
        QString table;
        qint64 rowId;
        const char* action;
        const char* column;
        QVariant before, after;
    };
    int addedEntry = 0;
    const QDate nov6(2026, 11, 6);
    const std::vector<Action> actions = {
        {"Foreman",
         "adds an entry",
         [&] {
             ASSERT_EQ(entry::saveEntry(db, valuesOf(p, "12", nov6)), data::Verdict::Kind::Saved);
             addedEntry = testdb::scalar("select max(id) from accounts_dep.smena").toInt();
         },
         "smena",
         entryId + 1,
         "insert",
         "kol_vo",
         {},
         "12"},
        {"Administrator", "changes an entry",
         [&] {
             ASSERT_EQ(entry::saveEntry(db, valuesOf(p, "40", QDate(2026, 11, 5)), entryId),
                       data::Verdict::Kind::Saved);
         },
         "smena", entryId, "update", "kol_vo", "38", "40"},
        {"Storekeeper", "accepts an entry",
         [&] {
             data::Command mark;
             mark.setSql(journal::statements::updateMark());
             mark.setParam("ok", "ok");
             mark.setParam("id", entryId);
             mark.execOnRow();
         },
         "smena", entryId, "update", "ok", "no", "ok"},
        {"Administrator",
         "deletes an entry",
         [&] {
             data::Command del;
             del.setSql(journal::statements::deleteEntry(addedEntry));
             ASSERT_EQ(entry::deleteEntry(db, del, addedEntry), data::Verdict::Kind::Saved);
         },
         "smena",
         entryId + 1,
         "delete",
         "kol_vo",
         "12",
         {}},
        {"Administrator", "renames a worker",
         [&] { runOnClient(refbooks::workers::updateWorker("Иванов И.П.", "Цех", p.worker)); },
         "person", p.worker, "update", "fio", "Иванов И.И.", "Иванов И.П."},
        {"Administrator", "changes a product",
         [&] { runOnClient(refbooks::products::updateProduct(p.product, "ЯП-2", 1)); }, "izdel",
         p.product, "update", "s_caption", "ЯП-1", "ЯП-2"},
        {"Administrator", "changes an operation",
         [&] {
             runOnClient(refbooks::operations::updateOperation(p.kind, 1, p.product, p.operation));
         },
         "oper", p.operation, "update", "naimen", "0", "1"},
        {"Administrator", "changes a price",
         [&] {
             runOnClient(
                 QStringLiteral("update accounts_dep.norm set price=2.5 where id=%1").arg(p.norm));
         },
         "norm", p.norm, "update", "price", "1.5", "2.5"},
        {"Administrator",
         "adds an operation kind",
         [&] { runOnClient("insert into accounts_dep.vid_oper(vid) values ('Гибка')"); },
         "vid_oper",
         p.kind + 1,
         "insert",
         "vid",
         {},
         "Гибка"},
        {"Administrator",
         "rebuilds the month",
         [&] { timesheet::rebuildMonth(db, 11, "2026", [](int, int) {}); },
         "h_tabel",
         202611,
         "rebuild",
         "month",
         {},
         {}},
    };
    for (const Action& a : actions) {
        SCOPED_TRACE(std::string(a.role) + " " + a.what);
        data::setSessionRole(QString::fromLatin1(a.role));
        const qint64 before = lastLogged();
        a.run();
        const QList<QVariantList> logged = loggedSince(before, QString::fromLatin1(a.column));
        ASSERT_EQ(logged.size(), 1);
        const QVariantList& row = logged[0];
        EXPECT_EQ(row[0].toString(), a.table);
        EXPECT_EQ(row[1].toLongLong(), a.rowId);
        EXPECT_EQ(row[2].toString(), a.action);
        EXPECT_EQ(row[3].toString(), a.role);
        EXPECT_EQ(row[4].toString(), data::thisWorkstation());
        EXPECT_EQ(row[5].toString(), data::sessionIdentity().program);
        EXPECT_EQ(row[6].toString(), a.before.toString());
        EXPECT_EQ(row[7].toString(), a.after.toString());
    }
    EXPECT_EQ(log.count(), 0) << log.texts().join('|').toStdString();
}

TEST_F(History, TheRoleIsRecordedAgainAfterTheConnectionIsMadeAnew) {
    testing_support::MessageLog log;
    const Plant p = history_plant::makePlant();
    data::setSessionRole("Foreman");
    // The server ends the client's session (only this program's: the test programs running
    // beside it share the cluster); the next statement fails, the one after reconnects.
    testdb::exec(QStringLiteral("select pg_terminate_backend(pid) from pg_stat_activity where "
                                "application_name = %1 and datname = current_database() and "
                                "pid <> pg_backend_pid()")
                     .arg(data::quotedLiteral(data::sessionIdentity().program)));
    EXPECT_THROW(testdb::sharedData().countOf("select 1 as cnt"), data::DbError);
    ASSERT_EQ(entry::saveEntry(testdb::sharedData(), valuesOf(p, "12", QDate(2026, 11, 6))),
              data::Verdict::Kind::Saved);
    const QList<QVariantList> logged = loggedSince(0, "kol_vo");
    ASSERT_EQ(logged.size(), 1);
    EXPECT_EQ(logged[0][3].toString(), "Foreman");
    EXPECT_EQ(logged[0][4].toString(), data::thisWorkstation());
}

TEST_F(History, AWriteFromAnotherProgramIsRecordedWithoutRoleButWithItsNameAndAddress) {
    const Plant p = history_plant::makePlant();
    const int entryId = addEntry(p);
    data::setSessionRole("Administrator");  // this client's session has no say over psql's
    psql({"-c",
          QStringLiteral("update accounts_dep.smena set kol_vo = 40 where id = %1").arg(entryId)});
    const QList<QVariantList> logged = testdb::rows(
        "select action, role is null, workstation is null, program, host(client_addr), "
        "old_values::text, new_values::text from accounts_dep.change_log");
    ASSERT_EQ(logged.size(), 1);
    EXPECT_EQ(logged[0][0].toString(), "update");
    EXPECT_TRUE(logged[0][1].toBool());
    EXPECT_TRUE(logged[0][2].toBool());
    EXPECT_EQ(logged[0][3].toString(), "psql");
    EXPECT_FALSE(logged[0][4].toString().isEmpty());  // the address psql connected from
    // Only the column that changed.
    EXPECT_EQ(logged[0][5].toString(), R"({"kol_vo": 38})");
    EXPECT_EQ(logged[0][6].toString(), R"({"kol_vo": 40})");
}

TEST_F(History, AMonthRebuildIsOneEventWhateverItsCellsAndWhoeverRebuilds) {
    addEntry(history_plant::makePlant());
    data::setSessionRole("Administrator");
    // November has journal entries and timesheet rows; December has neither.
    timesheet::rebuildMonth(testdb::sharedData(), 11, "2026", [](int, int) {});
    ASSERT_GT(testdb::scalar("select count(*) from accounts_dep.h_tabel").toInt(), 0);
    timesheet::rebuildMonth(testdb::sharedData(), 11, "2026", [](int, int) {});
    timesheet::rebuildMonth(testdb::sharedData(), 12, "2026", [](int, int) {});
    // Another program empties November's timesheet: one event too, without a role.
    psql({"-c", "delete from accounts_dep.h_tabel where month = 11 and year = 2026"});
    const QList<QVariantList> logged = testdb::rows(
        "select table_name, row_id, action, coalesce(role, '-') "
        "from accounts_dep.change_log order by id");
    const QList<QVariantList> expected = {{"h_tabel", 202611, "rebuild", "Administrator"},
                                          {"h_tabel", 202611, "rebuild", "Administrator"},
                                          {"h_tabel", 202612, "rebuild", "Administrator"},
                                          {"h_tabel", 202611, "rebuild", "-"}};
    ASSERT_EQ(logged.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(logged[i][c].toString(), expected[i][c].toString()) << i << " " << c;
}

TEST_F(History, ClosingAndReopeningAMonthAreOneEventEach) {
    addEntry(history_plant::makePlant());
    data::setSessionRole("Administrator");
    data::SharedData& db = testdb::sharedData();
    // Rebuilt first, as the administrator answers Yes to the rebuild, then closed: two events.
    const timesheet::CloseVerdict closed =
        timesheet::closeMonth(db, 11, "2026", "Administrator", data::thisWorkstation(), true);
    ASSERT_EQ(closed.kind, timesheet::CloseVerdict::Kind::Closed);
    ASSERT_TRUE(timesheet::reopenMonth(db, 11, "2026", "Ошибка в часах"));
    const QList<QVariantList> logged = testdb::rows(
        "select table_name, row_id, action, role, workstation, coalesce(reason, '-') "
        "from accounts_dep.change_log order by id");
    const QString here = data::thisWorkstation();
    const QList<QVariantList> expected = {
        {"h_tabel", 202611, "rebuild", "Administrator", here, "-"},
        {"closed_month", 202611, "insert", "Administrator", here, "-"},
        {"closed_month", 202611, "delete", "Administrator", here, "Ошибка в часах"}};
    ASSERT_EQ(logged.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        for (int c = 0; c < 6; ++c)
            EXPECT_EQ(logged[i][c].toString(), expected[i][c].toString()) << i << " " << c;
}

TEST_F(History, HistoryRowsCannotBeChangedOrRemoved) {
    const Plant p = history_plant::makePlant();
    const int entryId = addEntry(p);
    psql({"-c", QStringLiteral("delete from accounts_dep.smena where id = %1").arg(entryId)});
    for (const char* sql : {"update accounts_dep.change_log set role = 'Administrator'",
                            "delete from accounts_dep.change_log"}) {
        try {
            runOnClient(sql);
            ADD_FAILURE() << sql << " was not refused";
        } catch (const data::DbError& e) {
            EXPECT_TRUE(QString::fromUtf8(e.what()).contains(
                "История изменений не изменяется и не удаляется"))
                << e.what();
        }
    }
    EXPECT_EQ(
        testdb::scalar("select count(*) from accounts_dep.change_log where role is null").toInt(),
        1);
}

}  // namespace

namespace {

TEST_F(History, TheNewKindsAreNamedInWordsWithTheirPerson) {
    const Plant p = history_plant::makePlant();
    testdb::exec("TRUNCATE accounts_dep.change_log RESTART IDENTITY");
    const QString w = QString::number(p.worker);
    testdb::exec(
        "insert into accounts_dep.change_log(changed_at, table_name, row_id, action, row_key, "
        "db_user) values "
        "('2026-11-05 10:00', 'h_tabel', 7, 'update', '{\"w_id\": " +
        w +
        ", \"smena\": 2, \"month\": 11, \"year\": 2026}', 'petrov'),"
        "('2026-11-05 10:01', 'h_tabel', 8, 'insert', '{\"w_id\": " +
        w +
        ", \"smena\": 4, \"month\": 3, \"year\": 2026}', 'petrov'),"
        "('2026-11-05 10:02', 'h_tabel', 202611, 'rebuild', '{\"month\": 11, \"year\": 2026}', "
        "'sys'),"
        "('2026-11-05 10:03', 'contractor', 9, 'update', '{\"s_code\": \"17\", \"s_caption\": "
        "\"Иванова И.И.\"}', 'psql_user'),"
        "('2026-11-05 10:04', 'plant_person', 10, 'update', '{\"login\": \"petrov\"}', 'sys')");
    const QList<QVariantList> shown =
        testdb::rows(history::periodRows(QDate(2026, 11, 5), QDate(2026, 11, 5),
                                         history::tablesOf(history::Kind::Months) +
                                             history::tablesOf(history::Kind::ReferenceBooks)));
    const QStringList expected = {
        "Пользователь petrov | sys",
        "Рабочий Иванова И.И. (код 17) | psql_user",
        "Табель 11.2026 | sys",
        "Табель 03.2026, Иванов И.И., Переработка | petrov",
        "Табель 11.2026, Иванов И.И., смена 2 | petrov",
    };
    QStringList got;
    for (const QVariantList& r : shown)
        got << r[9].toString() + " | " + r[5].toString();
    EXPECT_EQ(got, expected);
}

}  // namespace
