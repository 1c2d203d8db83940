// The period reports on the generated plant of PLANT_BENCH_HOST (default 127.0.0.44) /
// PLANT_BENCH_DB (plantdb), over the latest period that holds about PLANT_BENCH_REPORT_ROWS
// (1,000,000) journal rows. Measured side by side:
//   Psql/<report>     the report's statement through psql (one process, output discarded)
//   Fetch/<report>    the report's query opened and closed: the rows through the driver
//   Client/<report>   the report button: query, product kind filter ("Готовая продукция") and
//                     preparation of every page (the preview hook takes the prepared report)
// Target: the client within twice psql's time. The counters give the rows fetched, the pages
// prepared and the peak resident memory of the process so far.
#include "app/startup.h"
#include "data/dataset.h"
#include "printing/preview.h"
#include "reports/detailed_products_layout.h"
#include "reports/detailed_workers_layout.h"
#include "reports/products_report_layout.h"
#include "reports/report_statements.h"
#include "reports/report_window.h"
#include "reports/workers_report_layout.h"
#include "ui/error_display.h"

#include "bench_support.h"

#include <benchmark/benchmark.h>
#include <QDateEdit>
#include <cstdio>
#include <functional>
#include "../tests/support/app_windows.h"

using namespace testing_support;

namespace {

using bench::database;
using bench::env;
using bench::host;
using bench::psql;

QDate periodFrom, periodTo;

// The statement with the period written in, as psql gets it.
QString withPeriod(QString sql) {
    sql.replace(QStringLiteral(":data1"),
                QStringLiteral("'%1'::date").arg(periodFrom.toString(Qt::ISODate)));
    sql.replace(QStringLiteral(":data2"),
                QStringLiteral("'%1'::date").arg(periodTo.toString(Qt::ISODate)));
    return sql + QStringLiteral(";\n");
}

void Psql(benchmark::State& state, QString sql) {
    const QString script = withPeriod(sql);
    for (auto _ : state)
        psql(script, false);
}

void Client(benchmark::State& state, std::function<void()> click, PeriodReport* report) {
    control<QDateEdit>(reportWindow(), "DTPicker1")->setDate(periodFrom);
    control<QDateEdit>(reportWindow(), "DTPicker2")->setDate(periodTo);
    reportWindow().setProductKindIndex(1);
    int pages = 0;
    int rows = 0;
    printing::setPreviewHook([&](const printing::PreparedReport& r) {
        pages = static_cast<int>(r.pages.size());
        rows = report->query().recordCount();
    });
    for (auto _ : state)
        click();
    printing::clearPreviewHook();
    state.counters["rows"] = rows;
    state.counters["pages"] = pages;
    state.counters["peakMB"] = bench::peakMemoryMb();
}

// The report's query alone: fetching its rows through the driver, without filter or pages.
void Fetch(benchmark::State& state, PeriodReport* report) {
    data::Dataset& q = report->query();
    q.setParam(QStringLiteral("data1"), periodFrom);
    q.setParam(QStringLiteral("data2"), periodTo);
    q.setFiltered(false);
    int rows = 0;
    for (auto _ : state) {
        q.open();
        rows = q.recordCount();
        q.close();
    }
    state.counters["rows"] = rows;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ui::Application app(argc, argv);
    const int wanted = env("PLANT_BENCH_REPORT_ROWS", "1000000").toInt();
    const QStringList bounds =
        psql(QStringLiteral("select max(data) + 1, (select data from accounts_dep.smena order by "
                            "data desc offset %1 limit 1) from accounts_dep.smena;")
                 .arg(wanted - 1),
             true)
            .split('|');
    periodTo = QDate::fromString(bounds.value(0), Qt::ISODate);
    periodFrom = QDate::fromString(bounds.value(1), Qt::ISODate);
    if (!periodFrom.isValid())  // fewer rows than wanted: the whole journal
        periodFrom =
            QDate::fromString(psql("select min(data) from accounts_dep.smena;", true), Qt::ISODate);
    const QString count =
        psql(withPeriod(QStringLiteral("select count(*) from accounts_dep.smena where data>=:data1 "
                                       "and data<:data2")),
             true);
    std::fprintf(stderr, "period %s .. %s (exclusive): %s journal rows\n",
                 qPrintable(periodFrom.toString(Qt::ISODate)),
                 qPrintable(periodTo.toString(Qt::ISODate)), qPrintable(count));
    if (!startApplication({QStringLiteral("plant-client"), database(), host()}))
        return 1;

    const struct {
        const char* name;
        QString sql;
        std::function<void()> click;
        PeriodReport* report;
    } reports[] = {
        {"Workers", reports::workersReportSql(), [] { reportWindow().runWorkersReport(); },
         &workersReport()},
        {"Products", reports::productsReportSql(), [] { reportWindow().runProductsReport(); },
         &productsReport()},
        {"DetailedWorkers", reports::detailedWorkersReportSql(),
         [] { reportWindow().runDetailedWorkersReport(); }, &detailedWorkersReport()},
        {"DetailedProducts", reports::detailedProductsReportSql(),
         [] { reportWindow().runDetailedProductsReport(); }, &detailedProductsReport()},
    };
    for (const auto& r : reports) {
        benchmark::RegisterBenchmark((QStringLiteral("Psql/") + r.name).toUtf8().constData(), Psql,
                                     r.sql)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark((QStringLiteral("Fetch/") + r.name).toUtf8().constData(),
                                     Fetch, r.report)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark((QStringLiteral("Client/") + r.name).toUtf8().constData(),
                                     Client, r.click, r.report)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    shutdownApplication();
    return 0;
}
