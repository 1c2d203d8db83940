// A whole shift at once, on the generated plant of PLANT_BENCH_HOST / PLANT_BENCH_DB, on a day
// after PLANT_BENCH_DATE that holds no entries (each run's rows are deleted again, untimed):
//   ShiftSave        50 rows written by entry::saveShift: checks, locks, the insert, the day
//                    cells of 50 workers, one transaction
//   ShiftSetInsert   the same 50 rows by one set-based insert statement (the limit)
//   ShiftCopy        "Копировать смену" of a 50-entry shift into the grid
// The save should take at most 1 s and at most 3 times the set-based insert; the copy under
// 100 ms.
#include "app/journal_window.h"
#include "app/startup.h"
#include "data/command.h"
#include "data/data_module.h"
#include "data/transaction.h"
#include "entry/entry_save.h"
#include "entry/shift_entry_window.h"
#include "ui/clock.h"
#include "ui/error_display.h"

#include "bench_support.h"

#include <benchmark/benchmark.h>
#include <QComboBox>
#include <QDateEdit>
#include <QPushButton>
#include <QTableWidget>
#include <cstdio>
#include "../tests/support/app_windows.h"

using namespace testing_support;

namespace {

constexpr int kRows = 50;
constexpr int kShift = 2;
QDate day;  // the written day
std::vector<entry::EntryValues> rows;

// Fifty workers and one operation of the plant, written on `day`.
std::vector<entry::EntryValues> shiftRows() {
    const QStringList workers =
        bench::psql(
            QStringLiteral("select id from accounts_dep.person order by id limit %1;").arg(kRows),
            true)
            .split('\n');
    const QStringList op =
        bench::psql("select id, i_id from accounts_dep.oper order by id limit 1;", true).split('|');
    std::vector<entry::EntryValues> made;
    for (const QString& w : workers) {
        entry::EntryValues v;
        v.workerId = w.toInt();
        v.operationId = op.value(0).toInt();
        v.productId = op.value(1).toInt();
        v.price = 12.5;
        v.quantity = QStringLiteral("100");
        v.defects = QStringLiteral("1");
        v.hours = QStringLiteral("8");
        v.date = day;
        v.shift = kShift;
        v.inputDate = day;
        made.push_back(v);
    }
    return made;
}

void removeTheDay() {
    bench::psql(QStringLiteral("delete from accounts_dep.smena where data='%1';")
                    .arg(day.toString(Qt::ISODate)),
                false);
}

void ShiftSave(benchmark::State& state) {
    for (auto _ : state) {
        const entry::ShiftVerdict verdict = entry::saveShift(journalWindow().sharedData(), rows);
        if (!verdict.saved)
            state.SkipWithError("the shift was refused");
        state.PauseTiming();
        removeTheDay();
        state.ResumeTiming();
    }
}

void ShiftSetInsert(benchmark::State& state) {
    const QString sql = entry::insertStatement(rows);
    for (auto _ : state) {
        data::Transaction transaction;
        data::Command insert(QStringLiteral("SetInsert"), sql);
        insert.exec();
        transaction.commit();
        state.PauseTiming();
        removeTheDay();
        state.ResumeTiming();
    }
}

void ShiftCopy(benchmark::State& state) {
    entry::saveShift(journalWindow().sharedData(), rows);
    entry::ShiftEntryWindow& window = appWindow<entry::ShiftEntryWindow>("ShiftEntryWindow");
    control<QDateEdit>(window, "sourceDateEdit")->setDate(day);
    auto* shift = control<QComboBox>(window, "sourceShiftBox");
    shift->setCurrentIndex(shift->findData(kShift));
    for (auto _ : state) {
        window.copyShift();
        benchmark::DoNotOptimize(control<QTableWidget>(window, "shiftGrid")->rowCount());
    }
    state.counters["rows"] = control<QTableWidget>(window, "shiftGrid")->rowCount();
    removeTheDay();
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ui::Application app(argc, argv);
    const QDate last = QDate::fromString(bench::env("PLANT_BENCH_DATE", "2026-11-30"), Qt::ISODate);
    day = last.addDays(3);
    if (!startApplication({QStringLiteral("plant-client"), bench::database(), bench::host()}))
        return 1;
    removeTheDay();
    rows = shiftRows();
    std::fprintf(stderr, "shift of %zu rows on %s\n", rows.size(),
                 qPrintable(day.toString(Qt::ISODate)));
    using Run = void (*)(benchmark::State&);
    const std::pair<const char*, Run> runs[] = {
        {"ShiftSave", ShiftSave}, {"ShiftSetInsert", ShiftSetInsert}, {"ShiftCopy", ShiftCopy}};
    for (const auto& [name, run] : runs)
        benchmark::RegisterBenchmark(name, run)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    shutdownApplication();
    return 0;
}
