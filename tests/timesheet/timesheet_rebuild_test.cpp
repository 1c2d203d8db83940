#include "../support/message_log.h"
#include "../support/per_cell_rebuild.h"
#include "timesheet_fixture.h"

#include "data/data_module.h"
#include "data/dataset_model.h"
#include "data/transaction.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <memory>
#include "../support/app_controls.h"
#include "../support/app_windows.h"

using namespace testing_support;

namespace {

using namespace timesheet_fixture;
using testdb::AppTest;

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

    // The bar while the rebuild runs: shown, over the month's days, ending at the last one.
    QList<std::tuple<bool, int, int>> bar;
    QObject::connect(rebuildProgress(), &QProgressBar::valueChanged, &timesheetWindow(),
                     [&](int value) {
                         bar << std::tuple(rebuildProgress()->isVisibleTo(&timesheetWindow()),
                                           rebuildProgress()->maximum(), value);
                     });
    MessageLog log;
    rebuildButton()->click();
    QObject::disconnect(rebuildProgress(), &QProgressBar::valueChanged, &timesheetWindow(),
                        nullptr);
    EXPECT_EQ(log.count(), 0) << log.texts().join("; ").toStdString();
    ASSERT_FALSE(bar.isEmpty());
    for (const auto& [visible, maximum, value] : bar) {
        EXPECT_TRUE(visible);
        EXPECT_EQ(maximum, 31);
    }
    EXPECT_EQ(std::get<2>(bar.last()), 31);

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

    EXPECT_FALSE(rebuildProgress()->isVisibleTo(&timesheetWindow()));
    EXPECT_EQ(rebuildProgress()->maximum(), 31);
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
    EXPECT_EQ(rebuildProgress()->maximum(), 29);
}

TEST_F(AppTest, TimesheetRebuildFailingPartWayLeavesTheMonthAsItWas) {
    const auto [a, b] = addMarchToRebuild();
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
    rebuildButton()->click();
    testdb::exec("drop trigger refuse_d20 on accounts_dep.h_tabel");
    testdb::exec("drop function accounts_dep.refuse_d20()");

    ASSERT_EQ(log.count(), 1);
    EXPECT_TRUE(log.messages()[0].text.contains("отказ записи табеля"))
        << log.texts()[0].toStdString();
    EXPECT_EQ(monthRows(3, 2022), before);
    EXPECT_FALSE(data::Transaction::active());
    EXPECT_FALSE(rebuildProgress()->isVisibleTo(&timesheetWindow()));
    EXPECT_EQ(shiftModel(0)->rowCount(), 1);
    EXPECT_EQ(shiftModel(1)->rowCount(), 1);

    // The connection is usable afterwards: the next rebuild goes through.
    rebuildButton()->click();
    EXPECT_EQ(monthRows(3, 2022),
              (QStringList{QString("1 %1: d3=8").arg(a), QString("1 %1: d20=8").arg(b)}));
}

// Every timesheet row of every month with all 31 day cells, in key order.
QStringList allRows(const QString& where = "true") {
    QString days;
    for (int d = 1; d <= 31; ++d)
        days += QString(" || ' ' || coalesce(d%1::text, '-')").arg(d);
    QStringList out;
    for (const QVariantList& r :
         testdb::rows("select smena || ' ' || w_id || ' ' || month || '.' || year || ':'" + days +
                      " from accounts_dep.h_tabel where " + where +
                      " order by year, month, smena, w_id, id"))
        out << r[0].toString();
    return out;
}

TEST_F(AppTest, TimesheetRebuildMakesTheSameRowsAsTheDayByDayWay) {
    // A generated journal over five months around a leap February: random workers, shifts, days
    // and hours (0 included), several entries of one worker on one day among them.
    QRandomGenerator random(20240229);
    const QDate from(2023, 12, 1), to(2024, 4, 30);
    QStringList entries;
    for (int i = 0; i < 1500; ++i) {
        const QDate day = from.addDays(random.bounded(from.daysTo(to) + 1));
        entries << QString("('%1', %2, %3, %4, 'no')")
                       .arg(day.toString(Qt::ISODate))
                       .arg(1 + random.bounded(4))
                       .arg(1 + random.bounded(30))
                       .arg(random.bounded(13));
    }
    entries << "('2024-02-29', 2, 31, 0, 'no')"
            << "('2024-03-31', 4, 31, 7, 'no')";
    testdb::exec("insert into accounts_dep.smena(data, smena, w_id, time, ok) values " +
                 entries.join(", "));
    // What the timesheet held before: stale rows in the months rebuilt and beside them.
    const QString stale =
        "delete from accounts_dep.h_tabel; "
        "insert into accounts_dep.h_tabel(w_id, smena, month, year, d1, d29, d31) values "
        "(1, 1, 2, 2024, 5, 5, 0), (99, 4, 2, 2024, 1, 1, 1), (1, 1, 3, 2024, 0, 0, 9), "
        "(2, 2, 11, 2023, 4, 0, 0), (3, 3, 5, 2024, 2, 0, 2), (2, 1, 1, 2025, 8, 0, 0)";

    const std::pair<int, int> months[] = {{12, 2023}, {1, 2024}, {2, 2024},
                                          {3, 2024},  {4, 2024}, {5, 2024}};  // May: no entries
    for (const auto& [month, year] : months) {
        SCOPED_TRACE(QString("%1.%2").arg(month).arg(year).toStdString());
        testdb::exec(stale);
        reference::rebuildMonthPerCell(testdb::sharedData(), month, QString::number(year));
        const QStringList expected = allRows();

        testdb::exec(stale);
        choose(&timesheetWindow(), month, year);
        timesheetWindow().rebuild();
        EXPECT_EQ(allRows(), expected);
    }
    EXPECT_EQ(allRows("month=5 and year=2024"), QStringList{});
}

// The rows of `rows` that `other` does not hold, one for one.
QStringList without(QStringList rows, const QStringList& other) {
    for (const QString& r : other)
        rows.removeOne(r);
    return rows;
}

TEST_F(AppTest, TimesheetRebuildsWhileOtherWorkstationsWriteTheMonthKeepItEqualToTheJournal) {
    // A large month: 300 workers in all four shifts every day.
    testdb::exec(
        "insert into accounts_dep.smena(data, smena, w_id, time, ok) select d, s, w, "
        "(w + s + extract(day from d)::integer) % 9, 'no' from generate_series(date "
        "'2024-03-01', date '2024-03-31', interval '1 day') d, generate_series(1, 4) s, "
        "generate_series(1, 200) w");
    choose(&timesheetWindow(), 3, 2024);
    MessageLog log;
    rebuildButton()->click();

    // Other workstations save, move and delete entries of the month while it is rebuilt.
    std::vector<std::unique_ptr<QProcess>> others;
    for (int seed = 1; seed <= 3; ++seed) {
        others.push_back(std::make_unique<QProcess>());
        others.back()->start(QStringLiteral(ENTRY_SAVE_WORKER),
                             {"churn", "2024-03", "200", "80", QString::number(seed)});
        ASSERT_TRUE(others.back()->waitForStarted());
    }
    const auto running = [&] {
        return std::any_of(others.begin(), others.end(),
                           [](const auto& p) { return p->state() != QProcess::NotRunning; });
    };
    int rebuilds = 0;
    const QDeadlineTimer deadline(300000);
    while (running() && !deadline.hasExpired()) {
        rebuildButton()->click();
        ++rebuilds;
        for (const auto& p : others)
            p->waitForFinished(10);
    }
    for (const auto& p : others) {
        ASSERT_TRUE(p->state() == QProcess::NotRunning || p->waitForFinished(30000));
        EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
    }
    EXPECT_EQ(log.count(), 0) << log.texts().join("; ").toStdString();
    EXPECT_GE(rebuilds, 3);

    const QStringList busy = allRows("month=3 and year=2024");
    rebuildButton()->click();
    const QStringList quiet = allRows("month=3 and year=2024");
    EXPECT_EQ(without(busy, quiet), QStringList{}) << "rows the quiet rebuild does not make";
    EXPECT_EQ(without(quiet, busy), QStringList{}) << "rows missing after the busy rebuilds";
}

}  // namespace
