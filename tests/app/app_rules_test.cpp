#include "../support/qt_printers.h"
#include "app/build_stamp.h"
#include "app/command_line.h"
#include "app/display_check.h"
#include "app/journal_rules.h"
#include "app/journal_statements.h"
#include "ui/colors.h"

#include <gtest/gtest.h>
#include <QProcess>
#include <QProcessEnvironment>

namespace {

struct StampCase {
    const char* date;
    const char* time;
    qint32 d;
    qint32 t;
};

TEST(BuildStamp, FromCompilerTexts) {
    const StampCase cases[] = {
        {"Nov 18 2022", "15:42:36", 20221118, 56556}, {"??? ?? ????", "??:??:??", 19000101, 0},
        {"Mar  5 2023", "09:05:07", 20230305, 32707},  // blank-padded day
        {"Jan  1 2024", "00:00:00", 20240101, 0},     {"Feb 28 2021", "23:59:59", 20210228, 86399},
        {"Apr 10 2020", "01:00:00", 20200410, 3600},  {"May 31 2019", "12:00:00", 20190531, 43200},
        {"Jun 15 2018", "00:00:01", 20180615, 1},     {"Jul  4 2017", "00:01:00", 20170704, 60},
        {"Aug  9 2016", "00:00:00", 20160809, 0},     {"Sep 30 2015", "00:00:00", 20150930, 0},
        {"Oct 11 2014", "00:00:00", 20141011, 0},     {"Dec 24 2013", "00:00:00", 20131224, 0},
    };
    for (const auto& c : cases) {
        const BuildStamp s = buildStampFrom(c.date, c.time);
        EXPECT_EQ(s.date, c.d) << c.date;
        EXPECT_EQ(s.time, c.t) << c.time;
    }
}

TEST(BuildStamp, OlderComparesDateThenTime) {
    EXPECT_TRUE(isOlder({20221117, 80000}, {20221118, 56556}));
    EXPECT_TRUE(isOlder({20221118, 56555}, {20221118, 56556}));
    EXPECT_FALSE(isOlder({20221118, 56556}, {20221118, 56556}));
    EXPECT_FALSE(isOlder({20221201, 0}, {20221118, 56556}));
}

TEST(CommandLine, VersionAndHelpAnswerOtherArgumentsRunTheClient) {
    const QString version = command_line::versionText(programBuildStamp());
    const QString usage = command_line::usageText();
    const struct {
        QStringList args;
        std::optional<QString> answer;
    } cases[] = {
        {{"plant-client"}, std::nullopt},
        {{"plant-client", "plantdb", "10.1.2.3"}, std::nullopt},
        {{"plant-client", "plantdb"}, std::nullopt},
        {{"plant-client", "--versions", "-help"}, std::nullopt},  // only the exact words
        {{"plant-client", "--version"}, version},
        {{"plant-client", "--help"}, usage},
        {{"plant-client", "-h"}, usage},
        {{"plant-client", "--bogus", "-h"}, usage},  // asking for help is never refused
        {{"plant-client", "plantdb", "--help"}, usage},
        {{"plant-client", "--help", "--version"}, usage},  // the first one wins
        {{"--version"}, std::nullopt},                     // the program's own name
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        EXPECT_EQ(command_line::answerFor(c.args), c.answer);
    }
}

// Before, an unknown option was taken as a database name, and without a display the process
// aborted with Qt's English message.
TEST(CommandLine, UnknownOptionsAreRefusedNamesAreNot) {
    const QString help = "Справка: plant-client --help\n";
    const struct {
        QStringList args;
        std::optional<QString> refusal;
    } cases[] = {
        {{"plant-client"}, std::nullopt},
        {{"plant-client", "plantdb", "10.1.2.3"}, std::nullopt},
        {{"plant-client", "", "db.plant.local"}, std::nullopt},  // an empty name keeps its meaning
        {{"plant-client", "--upgrade-database", "plantdb", "10.1.2.3"}, std::nullopt},
        {{"plant-client", "--bogus"}, "plant-client: неизвестный параметр «--bogus».\n" + help},
        {{"plant-client", "plantdb", "-x"}, "plant-client: неизвестный параметр «-x».\n" + help},
        {{"plant-client", "-"}, "plant-client: неизвестный параметр «-».\n" + help},
        {{"plant-client", "--upgrade-database", "plantdb", "--force"},
         "plant-client: неизвестный параметр «--force».\n" + help},
        {{"plant-client", "plantdb", "--upgrade-database"},
         "plant-client: --upgrade-database ставится первым: plant-client --upgrade-database "
         "БАЗА СЕРВЕР\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        EXPECT_EQ(command_line::refusalOf(c.args), c.refusal);
    }
}

TEST(CommandLine, NoScreenIsToldWhereWindowsCannotOpen) {
    const struct {
        command_line::DisplayEnvironment env;
        bool screen;
    } cases[] = {
        {{"", ":0", ""}, true},
        {{"", "", "wayland-0"}, true},
        {{"", "", ""}, false},
        {{"  ", "", ""}, false},
        {{"offscreen", "", ""}, true},
        {{"vnc:size=800x600", "", ""}, true},
        {{"xcb", "", ""}, false},
        {{"xcb", ":1", ""}, true},
        {{"wayland", ":0", ""}, false},
        {{"wayland;xcb", ":0", ""}, true},  // the second of the list opens
        {{"wayland-egl", "", "wayland-1"}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(
            (c.env.platform + " / " + c.env.display + " / " + c.env.waylandDisplay).toStdString());
        const auto message = command_line::noDisplayMessage(c.env);
        EXPECT_EQ(message.has_value(), !c.screen);
        if (message) {
            EXPECT_TRUE(message->startsWith("plant-client: нет экрана для окон клиента: "))
                << message->toStdString();
        }
    }
    EXPECT_EQ(command_line::noDisplayMessage({"", "", ""}),
              "plant-client: нет экрана для окон клиента: не заданы DISPLAY и WAYLAND_DISPLAY.\n"
              "Запустите клиент в сеансе рабочего стола или через ssh -X. Без экрана работают\n"
              "plant-client --upgrade-database, --version и --help.\n");
    EXPECT_TRUE(command_line::noDisplayMessage({"xcb", "", "wayland-0"})
                    ->startsWith("plant-client: нет экрана для окон клиента: QT_QPA_PLATFORM=xcb, "
                                 "а DISPLAY не задан.\n"));
}

// The built program, run as a user would run it, in an environment of its own.
struct ClientRun {
    int exitCode = -1;
    bool crashed = false;
    QString out, err;
};

ClientRun runClient(const QStringList& args, const QStringList& env) {
    QProcess p;
    QProcessEnvironment e;
    e.insert("PATH", qEnvironmentVariable("PATH"));
    e.insert("LANG", "ru_RU.UTF-8");
    for (const QString& kv : env)
        e.insert(kv.section('=', 0, 0), kv.section('=', 1));
    p.setProcessEnvironment(e);
    p.start(PLANT_CLIENT, args);
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
    }
    return {p.exitCode(), p.exitStatus() == QProcess::CrashExit,
            QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

TEST(CommandLine, TheProgramRefusesAndStopsInRussianWithoutAborting) {
    const ClientRun bogus = runClient({"--bogus"}, {});
    EXPECT_FALSE(bogus.crashed);
    EXPECT_EQ(bogus.exitCode, 2);
    EXPECT_EQ(bogus.err,
              "plant-client: неизвестный параметр «--bogus».\nСправка: plant-client --help\n");
    EXPECT_EQ(bogus.out, "");

    const ClientRun help = runClient({"-h"}, {});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out, command_line::usageText());

    // No screen at all: said before any window or database is tried.
    const ClientRun noScreen = runClient({"plantdb", "10.255.255.1"}, {});
    EXPECT_FALSE(noScreen.crashed);
    EXPECT_EQ(noScreen.exitCode, 1);
    EXPECT_EQ(noScreen.err, command_line::noDisplayMessage({}));

    // A screen named but not there: Qt's fatal message is told in Russian, the process exits.
    const ClientRun gone =
        runClient({"plantdb", "10.255.255.1"}, {"DISPLAY=:97", "QT_QPA_PLATFORM=xcb"});
    EXPECT_FALSE(gone.crashed) << gone.err.toStdString();
    EXPECT_EQ(gone.exitCode, 1);
    EXPECT_TRUE(
        gone.err.contains("plant-client: не удалось открыть окна клиента на экране.\n"
                          "Запустите клиент в сеансе рабочего стола или через ssh -X."))
        << gone.err.toStdString();
    EXPECT_TRUE(gone.err.contains("Сообщение Qt: ")) << gone.err.toStdString();
}

TEST(CommandLine, VersionTextCarriesTheStamp) {
    const QString text = command_line::versionText({20221118, 56556});
    EXPECT_TRUE(text.startsWith("plant-client ")) << text.toStdString();
    EXPECT_TRUE(text.endsWith(" (build: 20221118.56556)\n")) << text.toStdString();
}

TEST(JournalRules, PreviousMonthPeriod) {
    const struct {
        QDate today, from, to;
    } cases[] = {
        {{2023, 1, 15}, {2022, 12, 1}, {2023, 1, 1}},
        {{2023, 3, 15}, {2023, 2, 1}, {2023, 3, 1}},
        {{2023, 3, 31}, {2023, 2, 1}, {2023, 3, 1}},
        {{2024, 12, 1}, {2024, 11, 1}, {2024, 12, 1}},
        {{2024, 3, 31}, {2024, 2, 1}, {2024, 3, 1}},  // leap February
        {{2022, 12, 1}, {2022, 11, 1}, {2022, 12, 1}},
    };
    for (const auto& c : cases) {
        const auto [from, to] = journal::previousMonthPeriod(c.today);
        EXPECT_EQ(from, c.from) << c.today.toString().toStdString();
        EXPECT_EQ(to, c.to) << c.today.toString().toStdString();
    }
}

TEST(JournalRules, AcceptanceMarksCompareExactly) {
    const struct {
        const char* mark;
        bool accepted;
        const char* toggled;
    } cases[] = {
        {"ok", true, "no"},  {"да", true, "no"},  {"no", false, "ok"}, {"OK", false, "ok"},
        {"Ok", false, "ok"}, {"Да", false, "ok"}, {"", false, "ok"},   {" ok", false, "ok"},
    };
    for (const auto& c : cases) {
        const QString mark = QString::fromUtf8(c.mark);
        EXPECT_EQ(journal::isAccepted(mark), c.accepted) << c.mark;
        EXPECT_EQ(journal::markColor(mark), c.accepted ? ui::kGreen : ui::kRed) << c.mark;
        EXPECT_EQ(journal::toggledMark(mark), QString::fromUtf8(c.toggled)) << c.mark;
    }
}

TEST(JournalRules, EntryTimeShowsTheTimeOnlyWhenThereIsOne) {
    const QDate day(2022, 11, 7);
    EXPECT_EQ(journal::entryTimeText(QDateTime(day, QTime(0, 0))), "07.11.2022");
    EXPECT_EQ(journal::entryTimeText(QDateTime(day, QTime(9, 5, 3))), "07.11.2022 9:05:03");
    EXPECT_EQ(journal::entryTimeText(QDateTime(day, QTime(0, 0, 1))), "07.11.2022 0:00:01");
    EXPECT_EQ(journal::entryTimeText(QDateTime()), "");
}

TEST(JournalRules, WeekendIsSaturdayAndSunday) {
    // 05.11.2022 is a Saturday.
    for (int d = 0; d < 7; ++d)
        EXPECT_EQ(journal::isWeekend(QDate(2022, 11, 5).addDays(d)), d <= 1) << d;
}

TEST(JournalStatements, ExactTexts) {
    namespace st = journal::statements;
    EXPECT_EQ(st::updateMark(), "update accounts_dep.smena set ok=:ok where id=:id");
    EXPECT_EQ(st::deleteEntry(4711), "delete from accounts_dep.smena where id=4711");
}

}  // namespace
