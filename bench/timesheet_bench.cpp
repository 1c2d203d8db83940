// The timesheet of a large month (every worker in all four shifts every working day) against
// the plant database of PLANT_BENCH_HOST (default 127.0.0.44), database PLANT_BENCH_DB
// (plantdb), month PLANT_BENCH_MONTH (YYYY-MM; default the month with the most journal rows).
// Side by side: the rebuild as the window runs it (one transaction, prepared statements), the
// same statements spliced and each in its own autocommit, and one set-based statement giving
// the same rows; then the spreadsheet export of that month.
#include "data/data_module.h"
#include "data/dataset.h"
#include "data/db_error.h"
#include "data/transaction.h"
#include "export/spreadsheet_bridge.h"
#include "timesheet/month_export.h"
#include "timesheet/month_rebuild.h"
#include "timesheet/month_totals.h"
#include "timesheet/rebuild_statements.h"

#include "bench_support.h"

#include <benchmark/benchmark.h>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QStringList>

namespace {

data::SharedData* shared = nullptr;

int month = 0;
QString year;
qint64 aggregateRows = 0;

using bench::env;

QVariant scalar(const QString& sql) {
    return shared->readControl(sql, [](const data::Dataset& q) {
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

void BM_RebuildAsBuilt(benchmark::State& state) {
    data::Dataset dt(QStringLiteral("dt"));
    dt.setSql(timesheet::rebuild::dayAggregate());
    for (auto _ : state)
        timesheet::rebuildMonth(*shared, month, year, dt, [](int) {});
    checkDigest(state);
}

// The statements spliced, every one on its own (autocommit), as other workstations run them.
void BM_RebuildAutocommit(benchmark::State& state) {
    namespace rb = timesheet::rebuild;
    data::Dataset dt(QStringLiteral("dt"));
    dt.setSql(rb::dayAggregate());
    for (auto _ : state) {
        shared->DelSmena.setSql(rb::deleteMonth(month, year));
        shared->DelSmena.exec();
        const int n = firstDay().daysInMonth();
        for (int day = 1; day <= n; ++day) {
            dt.close();
            dt.setParam(QStringLiteral("data"), firstDay().addDays(day - 1));
            dt.open();
            for (dt.first(); !dt.eof(); dt.next()) {
                const QString w = dt.text(QStringLiteral("w_id"));
                const QString s = dt.text(QStringLiteral("smena"));
                const QString t = dt.text(QStringLiteral("tim"));
                const qint64 cnt = shared->controlCount(rb::rowCount(w, s, month, year));
                shared->H_Tabel_ins.setSql(cnt != 0 ? rb::updateDay(day, t, w, s, month, year)
                                                    : rb::insertDay(day, s, w, month, year, t));
                shared->H_Tabel_ins.exec();
            }
            dt.close();
        }
    }
    checkDigest(state);
}

// One statement for the whole month: what the database itself needs to write it.
void BM_RebuildSetBased(benchmark::State& state) {
    QString columns, sums;
    for (int d = 1; d <= 31; ++d) {
        columns += QStringLiteral(", d") + QString::number(d);
        sums += QStringLiteral(", coalesce(sum(time) filter (where data = date '") +
                firstDay().addDays(d - 1).toString(Qt::ISODate) + QStringLiteral("'), 0)");
        if (d == firstDay().daysInMonth())
            break;
    }
    const QString insert =
        QStringLiteral("insert into accounts_dep.h_tabel(smena, w_id, month, year") + columns +
        QStringLiteral(") select smena, w_id, ") + QString::number(month) + QStringLiteral(", ") +
        year + sums + QStringLiteral(" from accounts_dep.smena where data >= date '") +
        firstDay().toString(Qt::ISODate) + QStringLiteral("' and data < date '") +
        firstDay().addMonths(1).toString(Qt::ISODate) + QStringLiteral("' group by smena, w_id");
    for (auto _ : state) {
        data::Transaction transaction;
        shared->DelSmena.setSql(timesheet::rebuild::deleteMonth(month, year));
        shared->DelSmena.exec();
        shared->SQL_exec.setSql(insert);
        shared->SQL_exec.exec();
        transaction.commit();
    }
    checkDigest(state);
}

void BM_ExportMonth(benchmark::State& state) {
    data::Dataset totals(QStringLiteral("H_Tabel"));
    totals.setSql(timesheet::monthTotalsQuery());
    totals.setParam(QStringLiteral("mnth"), month);
    totals.setParam(QStringLiteral("yea"), year.toInt());
    for (auto _ : state) {
        totals.close();
        totals.open();
        timesheet::exportMonthTotals(TimesheetBridge(), totals, QStringLiteral("Месяц ") + year,
                                     [](int, int) {});
    }
    state.counters["workers"] = totals.recordCount();
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    qputenv("PLANT_NO_LAUNCH", "1");
    if (qgetenv("PLANT_EXPORT_DIR").isEmpty())
        qputenv("PLANT_EXPORT_DIR", QDir::temp().filePath("plant-bench-export").toUtf8());

    shared = new data::SharedData();
    try {
        shared->ADO_DB.open(data::composeConnectionString(bench::database(), bench::host()));
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

    benchmark::RegisterBenchmark("timesheet/rebuild_as_built", BM_RebuildAsBuilt)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("timesheet/rebuild_autocommit_statements", BM_RebuildAutocommit)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("timesheet/rebuild_set_based", BM_RebuildSetBased)
        ->Iterations(1)
        ->Repetitions(2)
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
    return 0;
}
