// A long day at the timesheet: the window opened and closed 1,000 times, as from the journal's
// menu (the month of PLANT_BENCH_MONTH, YYYY-MM, or the current one), each time painted whole.
// Reports the resident memory after a warm-up and after the 1,000 openings, and the growth per
// 100 openings: a window that is opened again and again must not make the client grow.
#include "data/connection.h"
#include "data/data_module.h"
#include "timesheet/timesheet_window.h"
#include "ui/error_display.h"
#include "ui/modal.h"

#include "bench_support.h"

#include <benchmark/benchmark.h>
#include <QCoreApplication>
#include <QDate>
#include <QDialog>

namespace {

data::SharedData* shared = nullptr;
QDate day;

constexpr int kWarmUp = 50;
constexpr int kOpenings = 1000;

void openAndClose(timesheet::TimesheetWindow& window) {
    window.showForDate(day);
}

void BM_OpenAndCloseTimesheet(benchmark::State& state) {
    timesheet::TimesheetWindow window(*shared);  // made once, like the journal's
    ui::setModalHook([](QWidget* w) {
        w->repaint();  // every grid header and cell painted, as on screen
        QCoreApplication::processEvents();
        return int(QDialog::Rejected);
    });
    for (auto _ : state) {
        for (int i = 0; i < kWarmUp; ++i)
            openAndClose(window);
        const double before = bench::residentMemoryMb();
        for (int i = 0; i < kOpenings; ++i)
            openAndClose(window);
        const double after = bench::residentMemoryMb();
        state.counters["rss_before_mb"] = before;
        state.counters["rss_after_mb"] = after;
        state.counters["growth_mb_per_100"] = (after - before) * 100 / kOpenings;
        std::printf(
            "resident memory: %.1f MB after %d openings, %.1f MB after %d more "
            "(%.2f MB per 100)\n",
            before, kWarmUp, after, kOpenings, (after - before) * 100 / kOpenings);
    }
    ui::clearModalHook();
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ui::Application app(argc, argv);
    shared = new data::SharedData();
    try {
        shared->connection.open(data::composeConnectionString(bench::database(), bench::host()));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    const QString month = bench::env("PLANT_BENCH_MONTH", "");
    day = month.isEmpty() ? QDate::currentDate()
                          : QDate::fromString(month + QStringLiteral("-01"), Qt::ISODate);
    benchmark::RegisterBenchmark("timesheet/open_and_close_1000", BM_OpenAndCloseTimesheet)
        ->Iterations(1)
        ->Unit(benchmark::kSecond)
        ->UseRealTime();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
