// The shift journal window's hottest path: every activation reloads the four journals of a date.
// Measured side by side on the generated plant of PLANT_BENCH_HOST (default 127.0.0.44) /
// PLANT_BENCH_DB (plantdb), for PLANT_BENCH_DATE or else the busiest date of the journal:
//   JournalPsql    the same four statements through psql (one process, output discarded)
//   JournalReload  the window's reload: queries, fetch into the datasets, grid model reset
// The reload should stay within 1.3 times psql's time.
#include "app/journal_window.h"
#include "app/startup.h"
#include "data/data_module.h"
#include "data/shared_statements.h"
#include "ui/clock.h"
#include "ui/error_display.h"

#include "bench_support.h"

#include <benchmark/benchmark.h>
#include <QAbstractItemModel>
#include <QTableView>
#include <cstdio>
#include "../tests/support/app_windows.h"

using namespace testing_support;

namespace {

using bench::database;
using bench::env;
using bench::host;
using bench::psql;

QDate benchDate() {
    const QString given = env("PLANT_BENCH_DATE", "");
    if (!given.isEmpty())
        return QDate::fromString(given, Qt::ISODate);
    return QDate::fromString(
        psql("select data from accounts_dep.smena group by data order by count(*) desc, data desc "
             "limit 1;",
             true),
        Qt::ISODate);
}

// The four journal statements with :data and :ok written in, as psql gets them.
QString journalScript(const QDate& day) {
    QString script;
    for (int shift = 1; shift <= 4; ++shift) {
        QString sql = data::statements::journal(shift);
        sql.replace(QStringLiteral(":data"),
                    QStringLiteral("'") + day.toString(Qt::ISODate) + QStringLiteral("'::date"));
        sql.replace(QStringLiteral(":ok"), QStringLiteral("'ta'"));
        script += sql + QStringLiteral(";\n");
    }
    return script;
}

QDate day;

void JournalPsql(benchmark::State& state) {
    const QString script = journalScript(day);
    for (auto _ : state)
        psql(script, false);
}

void JournalReload(benchmark::State& state) {
    ui::setToday(day);
    int rows = 0;
    for (auto _ : state) {
        journalWindow().windowActivated();
        rows = 0;
        for (int shift = 1; shift <= 4; ++shift)
            rows += journalWindow().sharedData().journalOf(shift)->recordCount();
        benchmark::DoNotOptimize(
            control<QTableView>(journalWindow(), "DBGrid2")->model()->rowCount());
    }
    state.counters["rows"] = rows;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ui::Application app(argc, argv);
    day = benchDate();
    if (!day.isValid()) {
        std::fprintf(stderr, "no journal date found\n");
        return 1;
    }
    std::fprintf(stderr, "journal date %s\n", qPrintable(day.toString(Qt::ISODate)));
    if (!startApplication({QStringLiteral("plant-client"), database(), host()}))
        return 1;
    benchmark::RegisterBenchmark("JournalPsql", JournalPsql)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("JournalReload", JournalReload)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    shutdownApplication();
    return 0;
}
