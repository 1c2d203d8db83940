#include "timesheet/day_recalc.h"
#include "../support/journal_entries.h"
#include "../support/test_database.h"
#include "data/data_module.h"
#include "data/db_error.h"

namespace {

using namespace timesheet;
using testdb::DbTest;

const QDate kNov5(2022, 11, 5);

TEST(RecalcStatements, TextsOfWorkedExample) {
    EXPECT_EQ(recalc::countStatement(17, 2, kNov5),
              "select count(w_id) as cnt from accounts_dep.h_tabel where w_id=17 and smena=2 "
              "and month=11 and year=2022");
    EXPECT_EQ(recalc::daySumStatement(17, 2, kNov5),
              "select sum(time) as tim from accounts_dep.smena where w_id=17 and smena=2 and "
              "data=to_date('05.11.2022', 'DD.MM.YYYY') group by w_id, smena, data");
    EXPECT_EQ(recalc::insertStatement(17, 2, kNov5, 11),
              "insert into accounts_dep.h_tabel(smena, w_id, month, year, d5) "
              "values(2, 17, 11, 2022, 11)");
    EXPECT_EQ(recalc::updateStatement(17, 2, kNov5, 12),
              "update accounts_dep.h_tabel set d5=12 where w_id=17 and smena=2 and month=11 "
              "and year=2022");
}

TEST(RecalcStatements, FirstAndLastDayOfMonthNameTheirColumns) {
    EXPECT_EQ(recalc::updateStatement(3, 4, QDate(2023, 3, 1), 0),
              "update accounts_dep.h_tabel set d1=0 where w_id=3 and smena=4 and month=3 and "
              "year=2023");
    EXPECT_EQ(recalc::insertStatement(3, 1, QDate(2023, 1, 31), 7),
              "insert into accounts_dep.h_tabel(smena, w_id, month, year, d31) "
              "values(1, 3, 1, 2023, 7)");
}

void addEntry(int w, int s, const QDate& day, int hours) {
    testdb::addJournalEntry({.date = day, .shift = s, .worker = w, .hours = hours, .ok = "no"});
}

// The day cells of a worker's row: d<day> for each asked day, per row found.
QList<QVariantList> cells(int w, int s, const QString& columns) {
    return testdb::rows(QStringLiteral("select %1 from accounts_dep.h_tabel where w_id=%2 and "
                                       "smena=%3 and month=11 and year=2022 order by id")
                            .arg(columns)
                            .arg(w)
                            .arg(s));
}

using Recalc = DbTest;

TEST_F(Recalc, FirstEntryCreatesTheRowAndLaterEntriesUpdateIt) {
    addEntry(17, 2, kNov5, 8);
    addEntry(17, 2, kNov5, 3);
    recalcDay(testdb::sharedData(), 17, 2, kNov5);
    EXPECT_EQ(cells(17, 2, "d4, d5, d6"), (QList<QVariantList>{{0, 11, 0}}));

    addEntry(17, 2, kNov5, 1);
    recalcDay(testdb::sharedData(), 17, 2, kNov5);
    EXPECT_EQ(cells(17, 2, "d5"), (QList<QVariantList>{{12}}));
    EXPECT_FALSE(testdb::sharedData().scratch->isOpen());
}

TEST_F(Recalc, EdgeDaysZeroHoursAndOvertimeKeptApart) {
    addEntry(5, 1, QDate(2022, 11, 1), 6);
    addEntry(5, 4, QDate(2022, 11, 1), 2);
    addEntry(5, 1, QDate(2022, 11, 30), 0);
    recalcDay(testdb::sharedData(), 5, 1, QDate(2022, 11, 1));
    recalcDay(testdb::sharedData(), 5, 4, QDate(2022, 11, 1));
    recalcDay(testdb::sharedData(), 5, 1, QDate(2022, 11, 30));
    // A day without any entry writes 0 as well; December's 31st goes to its own row.
    recalcDay(testdb::sharedData(), 5, 1, QDate(2022, 11, 29));
    EXPECT_EQ(cells(5, 1, "d1, d29, d30"), (QList<QVariantList>{{6, 0, 0}}));
    EXPECT_EQ(cells(5, 4, "d1"), (QList<QVariantList>{{2}}));

    addEntry(5, 1, QDate(2022, 12, 31), 9);
    recalcDay(testdb::sharedData(), 5, 1, QDate(2022, 12, 31));
    EXPECT_EQ(testdb::scalar("select d31 from accounts_dep.h_tabel where w_id=5 and smena=1 "
                             "and month=12 and year=2022")
                  .toInt(),
              9);
}

TEST_F(Recalc, DeletionFormUpdatesOnlyExistingRowsAndWritesZero) {
    testdb::exec(
        "insert into accounts_dep.h_tabel(w_id, smena, month, year, d4, d5) "
        "values (17, 2, 11, 2022, 7, 11)");
    addEntry(17, 2, kNov5, 3);
    recalcDayAfterDeletion(testdb::sharedData(), 17, 2, kNov5);
    EXPECT_EQ(cells(17, 2, "d4, d5"), (QList<QVariantList>{{7, 3}}));

    testdb::exec("delete from accounts_dep.smena");
    recalcDayAfterDeletion(testdb::sharedData(), 17, 2, kNov5);
    EXPECT_EQ(cells(17, 2, "d4, d5"), (QList<QVariantList>{{7, 0}}));

    // No row for that worker: nothing is created while no hours are left ...
    recalcDayAfterDeletion(testdb::sharedData(), 18, 2, kNov5);
    EXPECT_EQ(testdb::scalar("select count(*) from accounts_dep.h_tabel").toInt(), 1);
    // ... but hours that remain reach the cell.
    addEntry(18, 2, kNov5, 4);
    recalcDayAfterDeletion(testdb::sharedData(), 18, 2, kNov5);
    EXPECT_EQ(cells(18, 2, "d4, d5"), (QList<QVariantList>{{0, 4}}));
}

TEST_F(Recalc, RefusedStatementReachesTheCaller) {
    testdb::exec("alter table accounts_dep.h_tabel rename column d5 to d5_gone");
    addEntry(17, 2, kNov5, 3);
    EXPECT_THROW(recalcDay(testdb::sharedData(), 17, 2, kNov5), data::DbError);
    testdb::exec("alter table accounts_dep.h_tabel rename column d5_gone to d5");
    EXPECT_EQ(testdb::scalar("select count(*) from accounts_dep.h_tabel").toInt(), 0);
}

}  // namespace
