#include "../support/message_log.h"
#include "timesheet_fixture.h"

#include "data/data_module.h"
#include "data/dataset_model.h"
#include "data/transaction.h"

#include <QProgressBar>
#include <QPushButton>
#include "../support/app_windows.h"

using namespace testing_support;

namespace {

using namespace timesheet_fixture;
using testdb::AppTest;
using testing_support::MessageLog;

TEST_F(AppTest, TimesheetRebuildWritesTheMonthFromTheJournal) {
    const int a = addWorker("Андреев А.А.");
    const int b = addWorker("Борисов Б.Б.");
    addEntry(QDate(2022, 3, 3), 1, a, 8);
    addEntry(QDate(2022, 3, 10), 1, a, 4);
    addEntry(QDate(2022, 3, 10), 1, a, 5);
    addEntry(QDate(2022, 3, 3), 4, a, 2);   // overtime
    addEntry(QDate(2022, 3, 31), 2, b, 0);  // a 0-hour day
    addEntry(QDate(2022, 4, 1), 1, b, 6);   // next month: not rebuilt
    addRow(b, 1, 3, 2022, {{3, 11}});       // stale, no entries left
    addRow(a, 1, 4, 2022, {{1, 7}});
    addRow(a, 1, 3, 2021, {{3, 5}});
    choose(&timesheetWindow(), 3, 2022);

    MessageLog log;
    control<QPushButton>(timesheetWindow(), "Button1")->click();
    EXPECT_EQ(log.count(), 0) << log.texts().join("; ").toStdString();

    EXPECT_EQ(monthRows(3, 2022),
              (QStringList{QString("1 %1: d3=8 d10=9").arg(a), QString("2 %1:").arg(b),
                           QString("4 %1: d3=2").arg(a)}));
    EXPECT_EQ(testdb::scalar(QString("select count(*) from accounts_dep.h_tabel where w_id=%1 "
                                     "and smena=2 and month=3 and year=2022 and d31=0")
                                 .arg(b))
                  .toInt(),
              1);
    EXPECT_EQ(monthRows(4, 2022), QStringList{QString("1 %1: d1=7").arg(a)});
    EXPECT_EQ(monthRows(3, 2021), QStringList{QString("1 %1: d3=5").arg(a)});

    EXPECT_FALSE(control<QProgressBar>(timesheetWindow(), "PB")->isVisible());
    EXPECT_EQ(control<QProgressBar>(timesheetWindow(), "PB")->maximum(), 31);
    EXPECT_FALSE(data::Transaction::active());
    EXPECT_EQ(shiftModel(0)->rowCount(), 1);
    EXPECT_EQ(shiftModel(1)->rowCount(), 1);
}

TEST_F(AppTest, TimesheetRebuildOfAMonthWithoutEntriesEmptiesIt) {
    const int a = addWorker("Андреев А.А.");
    addRow(a, 1, 2, 2024, {{29, 8}});
    addRow(a, 4, 2, 2024, {{2, 1}});
    choose(&timesheetWindow(), 2, 2024);
    ASSERT_EQ(shiftModel(0)->rowCount(), 1);

    timesheetWindow().rebuild();
    EXPECT_TRUE(monthRows(2, 2024).isEmpty());
    EXPECT_EQ(shiftModel(0)->rowCount(), 0);
    EXPECT_EQ(control<QProgressBar>(timesheetWindow(), "PB")->maximum(), 29);
}

TEST_F(AppTest, TimesheetRebuildFailingPartWayLeavesTheMonthAsItWas) {
    const int a = addWorker("Андреев А.А.");
    const int b = addWorker("Борисов Б.Б.");
    addEntry(QDate(2022, 3, 3), 1, a, 8);
    addEntry(QDate(2022, 3, 20), 1, b, 8);
    addRow(a, 1, 3, 2022, {{3, 4}, {4, 6}});
    addRow(b, 2, 3, 2022, {{1, 8}});
    // The database refuses the cell of the 20th, after the 3rd has been written.
    testdb::exec(
        "create function accounts_dep.refuse_d20() returns trigger language plpgsql as $$ begin "
        "if new.d20 <> 0 then raise exception 'отказ записи табеля'; end if; return new; end $$");
    testdb::exec(
        "create trigger refuse_d20 before insert or update on accounts_dep.h_tabel for each row "
        "execute function accounts_dep.refuse_d20()");
    const QStringList before = monthRows(3, 2022);
    choose(&timesheetWindow(), 3, 2022);

    MessageLog log;
    control<QPushButton>(timesheetWindow(), "Button1")->click();
    testdb::exec("drop trigger refuse_d20 on accounts_dep.h_tabel");
    testdb::exec("drop function accounts_dep.refuse_d20()");

    ASSERT_EQ(log.count(), 1);
    EXPECT_TRUE(log.messages()[0].text.contains("отказ записи табеля"))
        << log.texts()[0].toStdString();
    EXPECT_EQ(monthRows(3, 2022), before);
    EXPECT_FALSE(data::Transaction::active());
    EXPECT_FALSE(timesheetWindow().dayAggregate().isOpen());
    EXPECT_FALSE(control<QProgressBar>(timesheetWindow(), "PB")->isVisible());
    EXPECT_EQ(shiftModel(0)->rowCount(), 1);
    EXPECT_EQ(shiftModel(1)->rowCount(), 1);

    // The connection is usable afterwards: the next rebuild goes through.
    control<QPushButton>(timesheetWindow(), "Button1")->click();
    EXPECT_EQ(monthRows(3, 2022),
              (QStringList{QString("1 %1: d3=8").arg(a), QString("1 %1: d20=8").arg(b)}));
}

}  // namespace
