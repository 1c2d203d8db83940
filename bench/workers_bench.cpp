// The workers list over 10,000 workers, in a database of its own (bench_workers, copied from
// plant_template) on the cluster of PLANT_BENCH_HOST (default 127.0.0.44): opening the list as
// the main menu does, and single keystrokes of the incremental search, each measured with the
// filter applied to the fetched rows and the grid repainted. A keystroke should stay under 16 ms.
#include "data/busy.h"
#include "data/connection.h"
#include "data/data_module.h"
#include "data/db_error.h"
#include "refbooks/workers_list.h"
#include "ui/error_display.h"
#include "ui/modal.h"
#include "ui/wait_cursor.h"

#include "bench_support.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>
#include <cstdio>
#include "../tests/support/app_windows.h"

namespace {

data::SharedData* shared = nullptr;
refbooks::WorkersList* workers = nullptr;

const QString kDatabase = QStringLiteral("bench_workers");
constexpr int kWorkers = 10000;

void run(QSqlDatabase db, const QString& sql) {
    QSqlQuery q(db);
    if (!q.exec(sql))
        throw data::DbError(q.lastError().text() + QStringLiteral("\n") + sql);
}

// A fresh database with kWorkers workers named like a plant's: surname and initials.
void createPlant(const QString& host) {
    {
        QSqlDatabase admin = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), "bench_admin");
        admin.setDatabaseName(data::composeConnectionString(QStringLiteral("postgres"), host));
        if (!admin.open())
            throw data::DbError(admin.lastError().text());
        run(admin, QStringLiteral("DROP DATABASE IF EXISTS ") + kDatabase +
                       QStringLiteral(" WITH (FORCE)"));
        run(admin, QStringLiteral("CREATE DATABASE ") + kDatabase +
                       QStringLiteral(" TEMPLATE plant_template"));
        admin.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench_admin"));
    shared->connection.open(data::composeConnectionString(kDatabase, host));
    data::Command fill(
        QStringLiteral("fill"),
        QStringLiteral(
            "insert into accounts_dep.person(fio, s_staffpos_hl) "
            "select (array['Иванов','Петров','Сидоров','Кузнецов','Смирнов','Попов','Васильев',"
            "'Соколов','Михайлов','Новиков','Фёдоров','Морозов','Волков','Алексеев','Лебедев',"
            "'Семёнов','Егоров','Павлов','Козлов','Степанов'])[1 + i % 20] || "
            "(array['','а'])[1 + (i / 20) % 2] || ' ' || chr(1040 + (i / 40) % 32) || '.' || "
            "chr(1040 + (i / 1280) % 32) || '.', 'Цех ' || (1 + i % 7) "
            "from generate_series(1, ") +
            QString::number(kWorkers) + QStringLiteral(") i"));
    fill.exec();
}

void showList() {
    ui::setModalHook([](QWidget*) { return int(QDialog::Rejected); });
}

void BM_OpenWorkersList(benchmark::State& state) {
    showList();
    for (auto _ : state) {
        workers->showAsReferenceBook();  // opens Workers, shows the grid, closes it again
    }
    ui::clearModalHook();
}
BENCHMARK(BM_OpenWorkersList)->Unit(benchmark::kMillisecond);

// One keystroke: the text changes, the filter runs over the fetched rows, the grid repaints.
void keystroke(QLineEdit* box, QTableView* grid, QChar typed) {
    QKeyEvent press(QEvent::KeyPress,
                    typed.isNull() ? int(Qt::Key_Backspace) : int(typed.toUpper().unicode()),
                    Qt::NoModifier, typed.isNull() ? QString() : QString(typed));
    QApplication::sendEvent(box, &press);
    grid->viewport()->repaint();
}

// Typing a surname and erasing it again: narrowing and widening steps alike, the last erase
// back to all 10,000 rows.
void BM_SearchKeystroke(benchmark::State& state) {
    const QString name = QStringLiteral("Иванова");
    QList<QChar> cycle;
    for (QChar c : name)
        cycle << c;
    for (int i = 0; i < name.size(); ++i)
        cycle << QChar();  // Backspace
    shared->workers->open();
    testing_support::control<QLineEdit>(*workers, "Edit1")->clear();
    workers->show();
    QCoreApplication::processEvents();
    // The search must really narrow the list, or the figures measure nothing.
    for (QChar c : name)
        keystroke(testing_support::control<QLineEdit>(*workers, "Edit1"),
                  testing_support::control<QTableView>(*workers, "DBGrid1"), c);
    const int matching =
        testing_support::control<QTableView>(*workers, "DBGrid1")->model()->rowCount();
    for (int i = 0; i < name.size(); ++i)
        keystroke(testing_support::control<QLineEdit>(*workers, "Edit1"),
                  testing_support::control<QTableView>(*workers, "DBGrid1"), QChar());
    if (matching == 0 || matching >= kWorkers ||
        testing_support::control<QTableView>(*workers, "DBGrid1")->model()->rowCount() != kWorkers)
        state.SkipWithError("the search did not filter the list");
    int step = 0;
    for (auto _ : state) {
        keystroke(testing_support::control<QLineEdit>(*workers, "Edit1"),
                  testing_support::control<QTableView>(*workers, "DBGrid1"), cycle[step]);
        step = (step + 1) % cycle.size();
    }
    state.counters["matching"] = matching;
    workers->hide();
    shared->workers->close();
}
BENCHMARK(BM_SearchKeystroke)->Unit(benchmark::kMillisecond);

// The worst keystroke: erasing the last character switches the filter off (all rows back).
void BM_SearchKeystrokeBackToAll(benchmark::State& state) {
    shared->workers->open();
    testing_support::control<QLineEdit>(*workers, "Edit1")->clear();
    workers->show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        state.PauseTiming();
        keystroke(testing_support::control<QLineEdit>(*workers, "Edit1"),
                  testing_support::control<QTableView>(*workers, "DBGrid1"), QChar(u'К'));
        state.ResumeTiming();
        keystroke(testing_support::control<QLineEdit>(*workers, "Edit1"),
                  testing_support::control<QTableView>(*workers, "DBGrid1"), QChar());
    }
    workers->hide();
    shared->workers->close();
}
BENCHMARK(BM_SearchKeystrokeBackToAll)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ui::Application app(argc, argv);
    data::setBusyIndicator(ui::showWaitCursor);  // as the client installs it
    shared = new data::SharedData();
    try {
        createPlant(bench::host());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "workers_bench: %s\n", e.what());
        return 1;
    }
    workers = new refbooks::WorkersList(*shared);
    ::benchmark::Initialize(&argc, argv);
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    delete workers;
    delete shared;
    return 0;
}
