// The change history's cost and the history window's speed, on the generated plant of
// PLANT_BENCH_HOST / PLANT_BENCH_DB with the database upgrade:
//   EntrySave/1 and /0        a change of one journal entry (the client's save: checks, locks,
//                             the update, the timesheet cells) with the history's triggers, and
//                             with them disabled
//   EntrySaveWithHistory      the same saves with and without the triggers alternately (blocks
//                             of PLANT_BENCH_CALLS saves, default 10, PLANT_BENCH_PAIRS pairs,
//                             default 10), printed as "with/without history triggers: R (limit
//                             1.25)", the median of the pairs' ratios; at most 1.25
//   MonthRebuild/1 and /0     the rebuild of the plant's dense month, likewise; counts the history
//                             rows it wrote (one)
//   HistoryDay, HistoryMonth  the history window showing one day's and one month's changes out of
//                             a million history rows (db/gen-history.sql, written first unless
//                             PLANT_BENCH_KEEP_HISTORY=1): under 300 ms and 1 s; the window
//                             reads a period's newest 2,000 rows first ("period rows" counts the
//                             period's rows, "rows" those read)
#include "data/data_module.h"
#include "data/session_identity.h"
#include "entry/entry_save.h"
#include "history/history_window.h"
#include "timesheet/month_rebuild.h"
#include "ui/error_display.h"

#include "bench_support.h"

#include <benchmark/benchmark.h>
#include <QCheckBox>
#include <QDateEdit>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <cstdio>

namespace {

using bench::database;
using bench::env;
using bench::host;
using bench::psql;

data::SharedData* shared = nullptr;

// All of the history's triggers on the journal and the timesheet (the closed months' stay).
void historyTriggers(bool on) {
    const char* verb = on ? "ENABLE" : "DISABLE";
    psql(QStringLiteral("ALTER TABLE accounts_dep.smena %1 TRIGGER change_log; "
                        "ALTER TABLE accounts_dep.h_tabel %1 TRIGGER change_log_rebuild; "
                        "ALTER TABLE accounts_dep.h_tabel %1 TRIGGER change_log_cells_insert; "
                        "ALTER TABLE accounts_dep.h_tabel %1 TRIGGER change_log_cells_update;")
             .arg(QLatin1String(verb)),
         false);
}

qint64 historyRows() {
    return psql("select count(*) from accounts_dep.change_log;", true).trimmed().toLongLong();
}

// A change of the plant's last entry, the quantity 38 and 40 in turn.
class EntryChange {
public:
    EntryChange() {
        const QStringList e =
            psql(
                "select id, w_id, i_id, o_id, cena, to_char(data, 'YYYY-MM-DD'), smena from "
                "accounts_dep.smena where data = (select max(data) from accounts_dep.smena) "
                "order by id limit 1;",
                true)
                .trimmed()
                .split(QLatin1Char('|'));
        const QDate day = QDate::fromString(e[5], Qt::ISODate);
        id_ = e[0].toLongLong();
        v_ = entry::EntryValues{e[1].toInt(),
                                e[2].toInt(),
                                e[3].toInt(),
                                e[4].toDouble(),
                                QString(),
                                QStringLiteral("0"),
                                QStringLiteral("1"),
                                day,
                                e[6].toInt(),
                                0,
                                day};
    }
    bool save() {
        v_.quantity = QString::number(++quantity_ % 2 ? 38 : 40);
        return entry::saveEntry(*shared, v_, id_) == data::Verdict::Kind::Saved;
    }

private:
    qint64 id_ = 0;
    entry::EntryValues v_;
    int quantity_ = 100;
};

void EntrySave(benchmark::State& state) {
    historyTriggers(state.range(0) != 0);
    EntryChange change;
    for (auto _ : state) {
        if (!change.save())
            state.SkipWithError("the save was refused");
    }
    historyTriggers(true);
}

void EntrySaveWithHistory(benchmark::State& state) {
    EntryChange change;
    for (auto _ : state) {
        bool refused = false;
        const bench::Interleaved r = bench::interleave(
            env("PLANT_BENCH_PAIRS", "10").toInt(), env("PLANT_BENCH_CALLS", "10").toInt(),
            [&](bool with) {
                historyTriggers(with);
                // The session plans its statements anew after the tables changed.
                for (int i = 0; i < 2; ++i)
                    refused |= !change.save();
            },
            [&](bool) { refused |= !change.save(); });
        if (refused)
            state.SkipWithError("a save was refused");
        state.counters["with/without"] = r.ratio();
        state.counters["limit"] = 1.25;
        bench::printRatio("with/without history triggers", r, 1.25);
    }
    historyTriggers(true);
}

void MonthRebuild(benchmark::State& state) {
    historyTriggers(state.range(0) != 0);
    const QString month = env("PLANT_BENCH_REBUILD_MONTH", "2026-11");
    const qint64 before = historyRows();
    for (auto _ : state)
        timesheet::rebuildMonth(*shared, month.mid(5).toInt(), month.left(4), [](int, int) {});
    state.counters["history rows per rebuild"] =
        double(historyRows() - before) / double(state.iterations());
    historyTriggers(true);
}

void showHistory(benchmark::State& state, const QDate& from, const QDate& to) {
    history::HistoryWindow window(*shared);
    window.findChild<QDateEdit*>("historyFromEdit")->setDate(from);
    window.findChild<QDateEdit*>("historyToEdit")->setDate(to);
    auto* grid = window.findChild<QTableView*>("historyGrid");
    for (auto _ : state) {
        window.reload();
        // What the grid paints first: the top rows' texts, the changes worded.
        for (int r = 0; r < std::min(40, grid->model()->rowCount()); ++r)
            for (int c = 0; c < grid->model()->columnCount(); ++c)
                benchmark::DoNotOptimize(grid->model()->index(r, c).data());
    }
    state.counters["rows"] = window.rows().recordCount();
    state.counters["period rows"] = double(
        psql(QStringLiteral("select count(*) from accounts_dep.change_log where changed_at >= '%1' "
                            "and changed_at < '%2';")
                 .arg(from.toString(Qt::ISODate), to.addDays(1).toString(Qt::ISODate)),
             true)
            .trimmed()
            .toLongLong());
}

QDate lastDay;

void HistoryDay(benchmark::State& state) {
    showHistory(state, lastDay.addDays(-10), lastDay.addDays(-10));
}

void HistoryMonth(benchmark::State& state) {
    showHistory(state, QDate(lastDay.year(), lastDay.month(), 1), lastDay);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ui::Application app(argc, argv);
    lastDay = QDate::fromString(env("PLANT_BENCH_HISTORY_END", "2026-11-30"), Qt::ISODate);
    if (env("PLANT_BENCH_KEEP_HISTORY", "") != QLatin1String("1")) {
        std::fprintf(stderr, "writing a million history rows\n");
        QFile script(env("PLANT_SOURCE_DIR", PLANT_SOURCE_DIR) + "/db/gen-history.sql");
        if (!script.open(QIODevice::ReadOnly))
            return 1;
        psql(QStringLiteral("\\set last_day '%1'\n").arg(lastDay.toString(Qt::ISODate)) +
                 QString::fromUtf8(script.readAll()),
             false);
    }
    shared = new data::SharedData;
    shared->connection.open(data::composeConnectionString(database(), host()));
    data::setSessionRole(QStringLiteral("Administrator"));

    benchmark::RegisterBenchmark("EntrySave", EntrySave)
        ->Arg(1)
        ->Arg(0)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("EntrySaveWithHistory", EntrySaveWithHistory)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("MonthRebuild", MonthRebuild)
        ->Arg(1)
        ->Arg(0)
        ->Iterations(2)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("HistoryDay", HistoryDay)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("HistoryMonth", HistoryMonth)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
