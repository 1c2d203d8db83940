// The cost of personal logins, on the generated plant of PLANT_BENCH_HOST / PLANT_BENCH_DB:
//   PersonLogin           a foreman's login as the login window makes it (the connection as the
//                         person, who the person is, the version row): under 1 s
//   EntrySave/0 and /1    one journal entry saved through the built-in login on PLANT_BENCH_DB,
//                         and through a foreman's login on its secured copy
//                         (PLANT_BENCH_DB + "_secured", made from it and secured here by the
//                         cluster's administrator PLANT_BENCH_DBA, default dba/dba); the secured
//                         save should cost at most 5% more
//   EntrySaveSecured      the two saves alternately (blocks of PLANT_BENCH_CALLS saves, default
//                         20, on a fresh session each, PLANT_BENCH_PAIRS pairs, default 100: the
//                         machine's own noise moves a single pair by a tenth either way, and
//                         the median of fewer pairs by a few hundredths),
//                         printed as "secured/unsecured save: R (limit 1.05)", the median of the
//                         pairs' ratios; each block's entries are removed after it and their
//                         dead rows vacuumed, so both plants stay alike
// PLANT_BENCH_KEEP_SECURED=1 keeps the plant and the secured copy of a former run as they are.
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

// The cluster administrator's connection to the secured copy.
QSqlDatabase openSecuredDba() {
    QSqlDatabase dba = QSqlDatabase::addDatabase("QODBC", "dba");
    dba.setDatabaseName(
        data::composeConnectionString(securedDb(), host()) +
        QStringLiteral(";UID=%1;PWD=%2")
            .arg(env("PLANT_BENCH_DBA", "dba"), env("PLANT_BENCH_DBA_PASSWORD", "dba")));
    dba.open();
    return dba;
}

// The plant upgraded (the history's triggers on both sides), and its secured copy made afresh:
// the same plant, so the two saves compare like with like.
void makeSecuredCopy() {
    QString upgradeOut, upgradeErr;
    if (command_line::runUpgrade({database(), host()}, upgradeOut, upgradeErr) != 0) {
        std::fprintf(stderr, "the upgrade failed: %s\n", qPrintable(upgradeErr));
        std::exit(1);
    }
    {
        // A former run's copy belongs to its owner role and its foreman to the cluster: both go,
        // as the cluster's administrator.
        QSqlDatabase drop = QSqlDatabase::addDatabase("QODBC", "dba-drop");
        drop.setDatabaseName(
            data::composeConnectionString(database(), host()) +
            QStringLiteral(";UID=%1;PWD=%2")
                .arg(env("PLANT_BENCH_DBA", "dba"), env("PLANT_BENCH_DBA_PASSWORD", "dba")));
        if (drop.open()) {
            QSqlQuery(drop).exec(
                QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(securedDb()));
            QSqlQuery(drop).exec(QStringLiteral("DROP ROLE IF EXISTS %1").arg(foremanLogin()));
        }
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
    QSqlDatabase dba = openSecuredDba();
    QSqlQuery q(dba);
    if (!dba.isOpen() ||
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

// The plant administrator's connection to the secured copy (the foreman deletes nothing).
QSqlDatabase securedDba() {
    return QSqlDatabase::database(QStringLiteral("dba"), false);
}

// One login's saves of new entries, on the plain plant (the built-in login) or its secured
// copy (the foreman).
class EntrySaves {
public:
    // Connects afresh: the built-in login, or the foreman; false when the login was refused.
    bool connect(bool secured) {
        secured_ = secured;
        const QString builtIn =
            data::composeConnectionString(secured ? securedDb() : database(), host());
        if (secured) {
            if (!people::logInAs(shared_.connection, builtIn, foremanLogin(), kForemanPassword))
                return false;
        } else {
            shared_.connection.open(builtIn);
        }
        QSqlQuery q(data::defaultDb());
        q.exec(
            "select w_id, i_id, o_id, cena, to_char(data, 'YYYY-MM-DD'), smena, "
            "(select coalesce(max(id), 0) from accounts_dep.smena) from accounts_dep.smena "
            "where data = (select max(data) from accounts_dep.smena) order by id limit 1");
        q.next();
        const QDate day = QDate::fromString(q.value(4).toString(), Qt::ISODate);
        base_ = entry::EntryValues{q.value(0).toInt(),
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
        before_ = q.value(6).toLongLong();
        return true;
    }
    // A foreman adds entries (unaccepted), so both logins save new ones: a colour of its own
    // keeps each apart from the others.
    data::Verdict save() {
        entry::EntryValues v = base_;
        v.colour = ++colour_;
        return entry::saveEntry(shared_, v);
    }
    // The entries saved since connect() go, so that the next block finds the plant as it was:
    // their dead rows too, which the day's queries would otherwise wade through, more on
    // whichever side autovacuum happened to visit later.
    void removeSaved() {
        const QString remove =
            QStringLiteral("delete from accounts_dep.smena where id > %1").arg(before_);
        const QString vacuum = QStringLiteral("vacuum accounts_dep.smena, accounts_dep.h_tabel");
        if (secured_) {
            QSqlQuery(securedDba()).exec(remove);
            QSqlQuery(securedDba()).exec(vacuum);
        } else {
            psql(remove + QStringLiteral(";\n") + vacuum + QLatin1Char(';'), false);
        }
    }

private:
    data::SharedData shared_;
    bool secured_ = false;
    entry::EntryValues base_;
    qint64 before_ = 0;
    int colour_ = 100;
};

void EntrySave(benchmark::State& state) {
    EntrySaves saves;
    if (!saves.connect(state.range(0) != 0)) {
        state.SkipWithError("the login was refused");
        return;
    }
    for (auto _ : state) {
        const data::Verdict verdict = saves.save();
        if (!verdict.saved()) {
            state.SkipWithError(("the save was refused: " + verdict.message).toUtf8().constData());
            break;
        }
    }
    saves.removeSaved();
}

void EntrySaveSecured(benchmark::State& state) {
    EntrySaves saves;
    for (auto _ : state) {
        QString refusal;
        bool entered = false;
        const bench::Interleaved r = bench::interleave(
            env("PLANT_BENCH_PAIRS", "100").toInt(), env("PLANT_BENCH_CALLS", "20").toInt(),
            [&](bool secured) {
                if (entered)
                    saves.removeSaved();
                entered = true;
                if (!saves.connect(secured))
                    refusal = QStringLiteral("the login was refused");
                // The new session reads its catalogs and plans its statements first.
                for (int i = 0; i < 2; ++i)
                    saves.save();
            },
            [&](bool) {
                const data::Verdict verdict = saves.save();
                if (!verdict.saved())
                    refusal = verdict.message;
            });
        saves.removeSaved();
        if (!refusal.isEmpty())
            state.SkipWithError(("the save was refused: " + refusal).toUtf8().constData());
        state.counters["secured/unsecured"] = r.ratio();
        state.counters["limit"] = 1.05;
        bench::printRatio("secured/unsecured save", r, 1.05);
    }
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ui::Application app(argc, argv);
    // PLANT_BENCH_KEEP_SECURED=1 measures the plant and secured copy a former run left, as they
    // are (for instance with functions of another version put in by hand).
    if (env("PLANT_BENCH_KEEP_SECURED", "") == QLatin1String("1"))
        openSecuredDba();
    else
        makeSecuredCopy();
    benchmark::RegisterBenchmark("PersonLogin", PersonLogin)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("EntrySave", EntrySave)
        ->Arg(0)
        ->Arg(1)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("EntrySaveSecured", EntrySaveSecured)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
