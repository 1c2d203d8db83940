// The cost of personal logins, on the generated plant of PLANT_BENCH_HOST / PLANT_BENCH_DB:
//   PersonLogin           a foreman's login as the login window makes it (the connection as the
//                         person, who the person is, the version row): under 1 s
//   EntrySave/0 and /1    one journal entry saved through the built-in login on PLANT_BENCH_DB,
//                         and through a foreman's login on its secured copy
//                         (PLANT_BENCH_DB + "_secured", made from it and secured here by the
//                         cluster's administrator PLANT_BENCH_DBA, default dba/dba); the secured
//                         save should cost at most 5% more, printed as "overhead %" on /1
// Run it with --benchmark_repetitions=N for repeated runs. A small plant finishes in a minute or
// two: generate it with gen-plant.sh's PLANT_GEN_WORKERS=60 PLANT_GEN_FROM=2026-06-01 and run this
// program alone with PLANT_BENCH_HOST and PLANT_BENCH_DB set.
#include "app/journal_statements.h"
#include "app/login_rules.h"
#include "app/secure_command.h"
#include "app/upgrade_command.h"
#include "data/data_module.h"
#include "data/scram_verifier.h"
#include "data/session_identity.h"
#include "entry/entry_save.h"
#include "people/person_session.h"
#include "ui/error_display.h"

#include "bench_support.h"

#include <benchmark/benchmark.h>
#include <QSqlQuery>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using bench::database;
using bench::env;
using bench::host;
using bench::psql;

const QString kForemanPassword = QStringLiteral("бригадир-1");
QString securedDb() {
    return database() + QStringLiteral("_secured");
}
QString foremanLogin() {
    return securedDb() + QStringLiteral("_p_foreman");
}

// The plant upgraded (the history's triggers on both sides), and its secured copy made afresh:
// the same plant, so the two saves compare like with like.
void makeSecuredCopy() {
    QString upgradeOut, upgradeErr;
    if (command_line::runUpgrade({database(), host()}, upgradeOut, upgradeErr) != 0) {
        std::fprintf(stderr, "the upgrade failed: %s\n", qPrintable(upgradeErr));
        std::exit(1);
    }
    psql(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE);").arg(securedDb()), false);
    {
        // Roles belong to the cluster: a former run's foreman goes, as its administrator.
        QSqlDatabase drop = QSqlDatabase::addDatabase("QODBC", "dba-drop");
        drop.setDatabaseName(
            data::composeConnectionString(database(), host()) +
            QStringLiteral(";UID=%1;PWD=%2")
                .arg(env("PLANT_BENCH_DBA", "dba"), env("PLANT_BENCH_DBA_PASSWORD", "dba")));
        if (drop.open())
            QSqlQuery(drop).exec(QStringLiteral("DROP ROLE IF EXISTS %1").arg(foremanLogin()));
        drop.close();
    }
    psql(QStringLiteral("CREATE DATABASE %1 TEMPLATE %2;").arg(securedDb(), database()), false);
    qputenv("PGUSER", env("PLANT_BENCH_DBA", "dba").toUtf8());
    qputenv("PGPASSWORD", env("PLANT_BENCH_DBA_PASSWORD", "dba").toUtf8());
    QString out, err;
    const int rc = command_line::runSecure({securedDb(), host(), QString()}, out, err,
                                           [](const QString&) { return std::optional<QString>(); });
    if (rc != 0) {
        std::fprintf(stderr, "securing failed: %s\n", qPrintable(err));
        std::exit(1);
    }
    QSqlDatabase dba = QSqlDatabase::addDatabase("QODBC", "dba");
    dba.setDatabaseName(
        data::composeConnectionString(securedDb(), host()) +
        QStringLiteral(";UID=%1;PWD=%2")
            .arg(qEnvironmentVariable("PGUSER"), qEnvironmentVariable("PGPASSWORD")));
    QSqlQuery q(dba);
    if (!dba.open() ||
        !q.exec(QStringLiteral(
                    "select accounts_dep.add_person('%1', 'Бригадов Б. П.', 'foreman', '%2'); "
                    "update accounts_dep.plant_person set must_change_password = false "
                    "where login = '%1'")
                    .arg(foremanLogin(), data::scramVerifier(kForemanPassword)))) {
        std::fprintf(stderr, "adding the foreman failed\n");
        std::exit(1);
    }
    qunsetenv("PGUSER");
    qunsetenv("PGPASSWORD");
}

void PersonLogin(benchmark::State& state) {
    data::Connection connection;
    const QString builtIn = data::composeConnectionString(securedDb(), host());
    for (auto _ : state) {
        if (!people::logInAs(connection, builtIn, foremanLogin(), kForemanPassword))
            state.SkipWithError("the login was refused");
        QSqlQuery version(data::defaultDb());
        version.exec(journal::statements::readVersion());
        while (version.next())
            benchmark::DoNotOptimize(version.value(0));
    }
}

void EntrySave(benchmark::State& state) {
    const bool secured = state.range(0) != 0;
    data::SharedData shared;
    const QString builtIn =
        data::composeConnectionString(secured ? securedDb() : database(), host());
    if (secured) {
        if (!people::logInAs(shared.connection, builtIn, foremanLogin(), kForemanPassword))
            state.SkipWithError("the login was refused");
    } else {
        shared.connection.open(builtIn);
    }
    QSqlQuery q(data::defaultDb());
    q.exec(
        "select w_id, i_id, o_id, cena, to_char(data, 'YYYY-MM-DD'), smena from "
        "accounts_dep.smena where data = (select max(data) from accounts_dep.smena) "
        "order by id limit 1");
    q.next();
    const QDate day = QDate::fromString(q.value(4).toString(), Qt::ISODate);
    const entry::EntryValues base{q.value(0).toInt(),
                                  q.value(1).toInt(),
                                  q.value(2).toInt(),
                                  q.value(3).toDouble(),
                                  QStringLiteral("40"),
                                  QStringLiteral("0"),
                                  QStringLiteral("0"),
                                  day,
                                  q.value(5).toInt(),
                                  0,
                                  day};
    const qint64 before =
        psql("select coalesce(max(id), 0) from accounts_dep.smena;", true).trimmed().toLongLong();
    static int colour = 100;  // across repetitions: the secured plant keeps what its foreman added
    for (auto _ : state) {
        // A foreman adds entries (unaccepted), so both logins save new ones: a colour of its own
        // keeps each apart from the others.
        entry::EntryValues v = base;
        v.colour = ++colour;
        const data::Verdict verdict = entry::saveEntry(shared, v);
        if (!verdict.saved()) {
            state.SkipWithError(("the save was refused: " + verdict.message).toUtf8().constData());
            break;
        }
    }
    if (!secured)
        psql(QStringLiteral("delete from accounts_dep.smena where id > %1;").arg(before), false);
}

// Mean milliseconds per iteration, for the overhead beside the 5% limit.
class OverheadReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            if (r.error_occurred || r.run_type != Run::RT_Iteration || r.iterations == 0)
                continue;
            const double ms = r.GetAdjustedRealTime();
            const std::string name = r.benchmark_name();
            if (name.rfind("EntrySave/0", 0) == 0)
                plain.push_back(ms);
            else if (name.rfind("EntrySave/1", 0) == 0)
                secured.push_back(ms);
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        if (plain.empty() || secured.empty())
            return;
        auto mean = [](const std::vector<double>& v) {
            double s = 0;
            for (double x : v)
                s += x;
            return s / double(v.size());
        };
        const double ratio = mean(secured) / mean(plain);
        std::printf(
            "EntrySave secured/unsecured: %.3f (overhead %+.1f%%, limit +5%%) over %zu/%zu runs\n",
            ratio, (ratio - 1) * 100, secured.size(), plain.size());
    }

private:
    std::vector<double> plain, secured;
};

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ui::Application app(argc, argv);
    makeSecuredCopy();
    benchmark::RegisterBenchmark("PersonLogin", PersonLogin)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("EntrySave", EntrySave)
        ->Arg(0)
        ->Arg(1)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::Initialize(&argc, argv);
    OverheadReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
