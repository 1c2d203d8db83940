// The timesheet of a large month (every worker in all four shifts every working day) against
// the plant database of PLANT_BENCH_HOST (default 127.0.0.44), database PLANT_BENCH_DB
// (plantdb), month PLANT_BENCH_MONTH (YYYY-MM; default the month with the most journal rows).
// Side by side in one run: the rebuild through the window ("Перестроить" until the three grids
// have reopened), the day-by-day cell-by-cell statements each on its own (the written-out
// algorithm), and the bare set-based statements in one transaction; each way must leave the same
// rows. Then the spreadsheet export of that month.
#include "data/data_module.h"
#include "data/dataset.h"
#include "data/db_error.h"
#include "data/transaction.h"
#include "export/spreadsheet_bridge.h"
#include "timesheet/month_export.h"
#include "timesheet/month_totals.h"
#include "timesheet/rebuild_statements.h"
#include "timesheet/timesheet_window.h"
#include "ui/error_display.h"

#include "../tests/support/app_windows.h"
#include "../tests/support/per_cell_rebuild.h"
#include "bench_support.h"

#include <benchmark/benchmark.h>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QStringList>
#include <algorithm>

namespace {

data::SharedData* shared = nullptr;

int month = 0;
QString year;
qint64 aggregateRows = 0;

using bench::env;

QVariant scalar(const QString& sql) {
    return shared->readOneRow(sql, [](const data::Dataset& q) {
        return q.isEmpty() ? QVariant() : q.value(q.fieldNames().first());
    });
}

QDate firstDay() {
    return QDate(year.toInt(), month, 1);
}

// The month's rows, in an order and form that does not depend on how they were written.
QString monthDigest() {
    QString days;
    for (int d = 1; d <= 31; ++d)
        days += QStringLiteral(",d") + QString::number(d);
    return scalar(QStringLiteral("select md5(string_agg(r, '|' order by r)) as dg from (select "
                                 "concat_ws(',',smena,w_id,month,year") +
                  days + QStringLiteral(") as r from accounts_dep.h_tabel where month=") +
                  QString::number(month) + QStringLiteral(" and year=") + year +
                  QStringLiteral(") t"))
        .toString();
}

QString expectedDigest;

void checkDigest(benchmark::State& state) {
    const QString digest = monthDigest();
    if (expectedDigest.isEmpty())
        expectedDigest = digest;
    else if (digest != expectedDigest)
        state.SkipWithError("the month's rows differ from the first way's");
    state.counters["rows"] = scalar(QStringLiteral("select count(*) as n from "
                                                   "accounts_dep.h_tabel where month=") +
                                    QString::number(month) + QStringLiteral(" and year=") + year)
                                 .toDouble();
    state.counters["cells"] = static_cast<double>(aggregateRows);
}

// The fastest repetition of each way in milliseconds, for the comparison printed at the end.
double windowMs = 0, perCellMs = 0, setBasedMs = 0;

// Runs one rebuild and keeps its time in `best` when it is the fastest so far.
template <typename Rebuild>
void timed(double& best, Rebuild rebuild) {
    QElapsedTimer t;
    t.start();
    rebuild();
    const double ms = t.nsecsElapsed() / 1e6;
    best = best == 0 ? ms : std::min(best, ms);
}

// What the user waits for: "Перестроить" clicked until the three grids show the month again.
void BM_RebuildThroughWindow(benchmark::State& state) {
    timesheet::TimesheetWindow window(*shared);
    using testing_support::control;
    control<QComboBox>(window, "ComboBox1")->setCurrentIndex(month - 1);
    auto* years = control<QComboBox>(window, "ComboBox2");
    years->setCurrentIndex(years->findText(year));
    for (auto _ : state)
        timed(windowMs, [&] { window.rebuild(); });
    checkDigest(state);
}

// The written-out algorithm: day by day, a count and an insert or update per cell, each
// statement spliced and on its own.
void BM_RebuildPerCellStatements(benchmark::State& state) {
    for (auto _ : state)
        timed(perCellMs, [] { reference::rebuildMonthPerCell(*shared, month, year); });
    checkDigest(state);
}

// What the database itself needs: the month's delete and the one insert, in one transaction.
void BM_RebuildSetBasedStatement(benchmark::State& state) {
    const QString insert = timesheet::rebuild::monthInsert(month, year);
    for (auto _ : state) {
        timed(setBasedMs, [&] {
            data::Transaction transaction;
            shared->entryDeletion.setSql(timesheet::rebuild::deleteMonth(month, year));
            shared->entryDeletion.exec();
            shared->statement.setSql(insert);
            shared->statement.exec();
            transaction.commit();
        });
    }
    checkDigest(state);
}

void BM_ExportMonth(benchmark::State& state) {
    data::Dataset totals(QStringLiteral("H_Tabel"));
    totals.setSql(timesheet::monthTotalsQuery());
    totals.setParam(QStringLiteral("mnth"), month);
    totals.setParam(QStringLiteral("yea"), year.toInt());
    SpreadsheetBridge bridge(QStringLiteral("Табель"));  // as the timesheet window owns it
    for (auto _ : state) {
        totals.close();
        totals.open();
        timesheet::exportMonthTotals(bridge, totals, QStringLiteral("Месяц ") + year,
                                     [](int, int) {});
    }
    state.counters["workers"] = totals.recordCount();
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ui::Application app(argc, argv);
    qputenv("PLANT_NO_LAUNCH", "1");
    if (qgetenv("PLANT_EXPORT_DIR").isEmpty())
        qputenv("PLANT_EXPORT_DIR", QDir::temp().filePath("plant-bench-export").toUtf8());

    shared = new data::SharedData();
    try {
        shared->connection.open(data::composeConnectionString(bench::database(), bench::host()));
        QString chosen = env("PLANT_BENCH_MONTH", "");
        if (chosen.isEmpty())
            chosen = scalar(QStringLiteral(
                                "select to_char(data, 'YYYY-MM') as m from accounts_dep.smena "
                                "group by 1 order by count(*) desc limit 1"))
                         .toString();
        if (chosen.isEmpty())
            throw data::DbError(
                QStringLiteral("the plant has no journal (run scripts/gen-plant.sh)"));
        year = chosen.left(4);
        month = chosen.mid(5, 2).toInt();
        aggregateRows =
            scalar(QStringLiteral("select count(*) as n from (select distinct data, smena, w_id "
                                  "from accounts_dep.smena where data >= date '") +
                   firstDay().toString(Qt::ISODate) + QStringLiteral("' and data < date '") +
                   firstDay().addMonths(1).toString(Qt::ISODate) + QStringLiteral("') t"))
                .toLongLong();
        std::printf("month %02d.%s: %lld day cells from the journal\n", month, qPrintable(year),
                    static_cast<long long>(aggregateRows));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }

    benchmark::RegisterBenchmark("timesheet/rebuild_through_window", BM_RebuildThroughWindow)
        ->Iterations(1)
        ->Repetitions(3)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("timesheet/rebuild_per_cell_statements",
                                 BM_RebuildPerCellStatements)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("timesheet/rebuild_set_based_statement",
                                 BM_RebuildSetBasedStatement)
        ->Iterations(1)
        ->Repetitions(3)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("timesheet/export_month", BM_ExportMonth)
        ->Iterations(1)
        ->Repetitions(2)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    // The three ways side by side, fastest repetition each.
    if (windowMs > 0 && setBasedMs > 0)
        std::printf(
            "rebuild of %02d.%s: window %.1f ms, per-cell statements %.1f ms, set-based "
            "statement %.1f ms; window / set-based %.2f\n",
            month, qPrintable(year), windowMs, perCellMs, setBasedMs, windowMs / setBasedMs);
    return 0;
}
