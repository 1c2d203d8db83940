// The period reports on the generated plant of PLANT_BENCH_HOST (default 127.0.0.44) /
// PLANT_BENCH_DB (plantdb), over the latest period that holds about PLANT_BENCH_REPORT_ROWS
// (1,000,000) journal rows. Measured side by side:
//   Psql/<report>     the report's statement through psql (one process, output discarded)
//   Fetch/<report>    the report's query opened and closed: the rows through the driver
//   Client/<report>   the report button clicked until its first page is painted in the real
//                     preview (product kind filter "Готовая продукция"); each run times psql's
//                     statement right before the click, and the click against it gives the run's
//                     ratio (psqlRatio: of the mean times; psqlRatioWorst: the worst run's)
// Target: the first page within 1.0 times psql's time in every run; each report prints a line
// with its times and ratios beside that limit. The counters give the rows read and the pages
// laid out by the time the first page showed, and the peak resident memory of the process.
#include "app/startup.h"
#include "data/dataset.h"
#include "printing/preview.h"
#include "printing/preview_window.h"
#include "reports/report_statements.h"
#include "reports/report_window.h"
#include "ui/error_display.h"
#include "ui/modal.h"

#include "bench_support.h"

#include <benchmark/benchmark.h>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QSpinBox>
#include <algorithm>
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

// Notes when a preview window is shown: its report is laid out by then.
class ShowWatch : public QObject {
public:
    QElapsedTimer* clock = nullptr;
    qint64 shownAt = 0;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Show && qobject_cast<printing::PreviewWindow*>(object))
            shownAt = clock->nsecsElapsed();
        return false;
    }
};

constexpr double kPsqlRatioLimit = 1.0;

void Client(benchmark::State& state, std::function<void()> click, reports::PeriodReport* report,
            QString sql, QString name) {
    const QString script = withPeriod(sql);
    control<QDateEdit>(reportWindow(), "DTPicker1")->setDate(periodFrom);
    control<QDateEdit>(reportWindow(), "DTPicker2")->setDate(periodTo);
    // PLANT_BENCH_PRODUCT_KIND=all: every kind; else "Готовая продукция".
    reportWindow().setProductKind(env("PLANT_BENCH_PRODUCT_KIND", "") == QLatin1String("all")
                                      ? reports::ProductKindChoice::All
                                      : reports::ProductKindChoice::Finished);
    int pages = 0;
    int rows = 0;
    QElapsedTimer clock;
    ShowWatch watch;
    watch.clock = &clock;
    qApp->installEventFilter(&watch);
    qint64 laidOut = 0, firstPage = 0;
    ui::setModalHook([&](QWidget* window) {
        auto* view = window->findChild<printing::PageView*>();
        if (view->pagesPainted() == 0)
            view->viewport()->repaint();
        firstPage += clock.nsecsElapsed();
        laidOut += watch.shownAt;
        if (const QString shot = env("PLANT_BENCH_SCREENSHOT", ""); !shot.isEmpty()) {
            window->grab().save(shot + QLatin1Char('-') + name + QStringLiteral(".png"));
            // The pages as printed, too.
            if (auto* preview = qobject_cast<printing::PreviewWindow*>(window))
                preview->savePdf(shot + QLatin1Char('-') + name + QStringLiteral(".pdf"));
        }
        pages = window->findChild<QSpinBox*>(QStringLiteral("pageNumber"))->maximum();
        rows = report->query().recordCount();
        return 0;
    });
    bench::resetPeakMemory();
    qint64 psqlTotal = 0;
    double worst = 0;
    for (auto _ : state) {
        // psql's time for the statement in this run, beside the click's, as the machine is now.
        state.PauseTiming();
        QElapsedTimer psqlClock;
        psqlClock.start();
        psql(script, false);
        const qint64 psqlNs = psqlClock.nsecsElapsed();
        psqlTotal += psqlNs;
        state.ResumeTiming();
        const qint64 before = firstPage;
        clock.start();
        click();
        worst = std::max(worst, static_cast<double>(firstPage - before) / psqlNs);
    }
    ui::clearModalHook();
    qApp->removeEventFilter(&watch);
    const double n = static_cast<double>(state.iterations());
    state.counters["laidOut_s"] = laidOut / 1e9 / n;
    state.counters["firstPage_s"] = firstPage / 1e9 / n;
    state.counters["firstPageAfterLayout_s"] = (firstPage - laidOut) / 1e9 / n;
    const double psqlMean = psqlTotal / 1e9 / n;
    state.counters["psql_s"] = psqlMean;
    state.counters["psqlRatio"] = firstPage / 1e9 / n / psqlMean;
    state.counters["psqlRatioWorst"] = worst;
    state.counters["psqlRatioLimit"] = kPsqlRatioLimit;
    std::printf(
        "%s: click to first page %.2f s, psql %.2f s: %.2fx, worst run %.2fx of %d "
        "(limit %.1fx) %s\n",
        qPrintable(name), firstPage / 1e9 / n, psqlMean, firstPage / 1e9 / n / psqlMean, worst,
        static_cast<int>(state.iterations()), kPsqlRatioLimit,
        worst <= kPsqlRatioLimit ? "within" : "OVER");
    std::fflush(stdout);
    state.counters["rows"] = rows;
    state.counters["pages"] = pages;
    state.counters["peakMB"] = bench::peakMemoryMb();
}

// The report's query alone: fetching its rows through the driver, without filter or pages.
void Fetch(benchmark::State& state, reports::PeriodReport* report) {
    data::Dataset& q = report->query();
    q.setParam(QStringLiteral("data1"), periodFrom);
    q.setParam(QStringLiteral("data2"), periodTo);
    q.setFiltered(false);
    int rows = 0;
    double openMb = 0;
    bench::resetPeakMemory();
    for (auto _ : state) {
        q.open();
        rows = q.recordCount();
        openMb = bench::residentMemoryMb();
        q.close();
    }
    state.counters["rows"] = rows;
    state.counters["openMB"] = openMb;
    state.counters["peakMB"] = bench::peakMemoryMb();
}

}  // namespace

int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
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
        reports::PeriodReport* report;
    } reports[] = {
        {"Workers", reports::workersReportSql(), [] { reportWindow().run(workersReport()); },
         &workersReport()},
        {"Products", reports::productsReportSql(), [] { reportWindow().run(productsReport()); },
         &productsReport()},
        {"DetailedWorkers", reports::detailedWorkersReportSql(),
         [] { reportWindow().run(detailedWorkersReport()); }, &detailedWorkersReport()},
        {"DetailedProducts", reports::detailedProductsReportSql(),
         [] { reportWindow().run(detailedProductsReport()); }, &detailedProductsReport()},
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
                                     Client, r.click, r.report, r.sql, QString::fromLatin1(r.name))
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    shutdownApplication();
    return 0;
}
