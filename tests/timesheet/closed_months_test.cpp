#include "../entry/entry_fixture.h"
#include "../support/app_controls.h"
#include "../support/app_windows.h"
#include "../support/message_log.h"
#include "../support/widget_driving.h"
#include "../timesheet/timesheet_fixture.h"
#include "data/connection.h"
#include "data/data_module.h"
#include "data/schema_upgrade.h"
#include "data/server_features.h"
#include "data/session_identity.h"
#include "entry/entry_save.h"
#include "history/history_window.h"
#include "timesheet/month_closing.h"
#include "ui/error_display.h"
#include "ui/modal.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>
#include <QThread>
#include <atomic>
#include <thread>

using namespace testing_support;

namespace {

const QString kRefusal = "Месяц 11.2022 закрыт. Изменения в нём запрещены.";

// A picture of a window for whoever asks for one (PLANT_SHOTS_DIR).
void takePicture(QWidget* w, const char* name) {
    if (const QString shots = qEnvironmentVariable("PLANT_SHOTS_DIR"); !shots.isEmpty())
        w->grab().save(shots + "/" + name + ".png");
}
const QDate kOct31(2022, 10, 31);

// November 2022 closed, with an entry of worker 17 on the 5th (shift 2, 8 hours) and its
// timesheet row; an October entry beside it stays open.
class ClosedMonth : public entrytest::EntryTest {
protected:
    void SetUp() override {
        EntryTest::SetUp();
        november_ = addEntry(entrytest::kNov5);
        october_ = addEntry(kOct31);
        timesheet_fixture::addRow(17, 2, 11, 2022, {{5, 8}});
        testdb::exec("insert into accounts_dep.closed_month(year, month) values (2022, 11)");
        before_ = snapshot();
    }

    static int addEntry(const QDate& day) {
        return testdb::addJournalEntry({.date = day,
                                        .shift = 2,
                                        .worker = 17,
                                        .product = 31,
                                        .operation = 240,
                                        .quantity = 120,
                                        .price = 12.5,
                                        .hours = 8});
    }

    // Every journal entry and timesheet row as text: what "nothing written" compares.
    static QString snapshot() {
        QString out;
        for (const char* table : {"accounts_dep.smena", "accounts_dep.h_tabel"})
            for (const QVariantList& r :
                 testdb::rows(QString("select t::text from ") + table + " t order by id"))
                out += r[0].toString() + "\n";
        return out;
    }

    int november_ = 0, october_ = 0;
    QString before_;
};

// A program that bypasses the client (psql as the same login) is refused the same way.
TEST_F(ClosedMonth, ServerRefusesEveryWriteOfTheMonthFromAnyProgram) {
    QSqlDatabase psql = testdb::openConnection("psql", testdb::databaseName());
    const QString nov = QString::number(november_), oct = QString::number(october_);
    const QStringList refused = {
        "insert into accounts_dep.smena(data, smena, w_id, time) values ('30.11.2022', 1, 18, 1)",
        "update accounts_dep.smena set kol_vo=130 where id=" + nov,
        "update accounts_dep.smena set ok='ok' where id=" + nov,
        "update accounts_dep.smena set data='31.10.2022' where id=" + nov,  // out of it
        "update accounts_dep.smena set data='01.11.2022' where id=" + oct,  // into it
        "delete from accounts_dep.smena where id=" + nov,
        "insert into accounts_dep.h_tabel(w_id, smena, month, year) values (18, 1, 11, 2022)",
        "update accounts_dep.h_tabel set d5=9",
        "update accounts_dep.h_tabel set month=10",
        "delete from accounts_dep.h_tabel",
    };
    for (const QString& sql : refused) {
        QSqlQuery q(psql);
        EXPECT_FALSE(q.exec(sql)) << sql.toStdString();
        EXPECT_TRUE(q.lastError().text().contains("Месяц 11.2022 закрыт")) << sql.toStdString();
    }
    EXPECT_EQ(snapshot(), before_);
    QSqlQuery q(psql);
    EXPECT_TRUE(q.exec("update accounts_dep.smena set kol_vo=130 where id=" + oct));
}

// Each of the client's ways to change the month refuses before anything is written or an editor
// opens, with the one message.
TEST_F(ClosedMonth, ClientRefusesEveryChangeBeforeWritingOrOpeningTheEditor) {
    auto click = [](QWidget& w, const char* name) { control<QPushButton>(w, name)->click(); };
    const struct {
        const char* what;
        std::function<void()> act;
    } actions[] = {
        {"Добавить", [&] { click(journalWindow(), "Button1"); }},
        {"Изменить", [&] { click(journalWindow(), "Button2"); }},
        {"Удалить", [&] { click(journalWindow(), "Button3"); }},
        {"acceptance", [] { ui::runGuarded([] { journalWindow().toggleAcceptance(); }); }},
        {"Запись into the month",
         [&] {
             showJournal(kOct31);
             entryEditor().prepareChange();
             fillWorkedExample();
             entryEditor().setMode(::entry::EntryEditor::Mode::Changing);
             pressSave();
         }},
        {"Перестроить",
         [&] {
             timesheet_fixture::choose(&timesheetWindow(), 11, 2022);
             click(timesheetWindow(), "Button1");
         }},
    };
    for (const auto& a : actions) {
        showJournal(entrytest::kNov5);
        journalDate()->setDate(entrytest::kNov5);
        bool editorOpened = false;
        ui::setModalHook([&](QWidget* w) {
            editorOpened = editorOpened || w == &entryEditor();
            return int(QDialog::Rejected);
        });
        MessageLog log;
        a.act();
        ASSERT_EQ(log.count(), 1) << a.what;
        EXPECT_EQ(log.messages()[0].text, kRefusal) << a.what;
        EXPECT_EQ(log.messages()[0].caption, "Ошибка") << a.what;
        EXPECT_EQ(log.messages()[0].icon, ui::Icon::Stop) << a.what;
        EXPECT_TRUE(std::string(a.what).starts_with("Запись") || !editorOpened) << a.what;
        EXPECT_EQ(snapshot(), before_) << a.what;
        entryEditor().hide();
    }
}

// A month closed by another workstation a moment ago: the server refuses, the user reads the
// client's message, not the driver's, and nothing of the save stays.
TEST_F(ClosedMonth, ServerRefusalReachesTheUserAsTheSameMessage) {
    entry::EntryValues moved = entrytest::workedExample();
    moved.date = kOct31;
    try {
        entry::saveEntry(testdb::sharedData(), moved, november_);  // out of the closed month
        FAIL() << "saved into a closed month";
    } catch (const data::DbError& e) {
        EXPECT_EQ(e.kind(), data::DbErrorKind::ClosedMonth);
        EXPECT_EQ(e.message(), kRefusal);
    }
    MessageLog log;
    ui::runGuarded([] { entry::saveEntry(testdb::sharedData(), entrytest::workedExample()); });
    EXPECT_EQ(log.texts(), QStringList{kRefusal});
    EXPECT_EQ(snapshot(), before_);
}

TEST_F(ClosedMonth, ReadingAndAnOpenMonthWorkAsBefore) {
    showJournal(entrytest::kNov5);
    EXPECT_EQ(testdb::sharedData().journalOf(2)->recordCount(), 1);
    timesheet_fixture::choose(&timesheetWindow(), 11, 2022);
    EXPECT_EQ(timesheet_fixture::shiftModel(1)->rowCount(), 1);
    EXPECT_EQ(monthStateLabel()->text(), "Месяц закрыт");
    entry::EntryValues october = entrytest::workedExample();
    october.date = kOct31.addDays(-1);
    EXPECT_EQ(entry::saveEntry(testdb::sharedData(), october), data::Verdict::Kind::Saved);
}

using Concurrency = entrytest::EntryTest;

// A second workstation on its own connection, in a thread of its own.
class OtherWorkstation {
public:
    explicit OtherWorkstation(std::function<void(QSqlDatabase&, std::atomic<bool>& ready)> work)
        : thread_([this, work] {
              {
                  QSqlDatabase db = QSqlDatabase::addDatabase("QODBC", "other");
                  db.setDatabaseName(
                      data::composeConnectionString(testdb::databaseName(), testdb::host()));
                  if (db.open())
                      work(db, ready_);
                  ready_ = true;
                  db.close();
              }
              QSqlDatabase::removeDatabase("other");
          }) {}
    ~OtherWorkstation() { thread_.join(); }
    void waitUntilReady() {
        while (!ready_)
            QThread::msleep(10);
    }

private:
    std::atomic<bool> ready_{false};
    std::thread thread_;
};

QVariant run(QSqlDatabase& db, const QString& sql) {
    QSqlQuery q(db);
    if (!q.exec(sql))
        return q.lastError().text();
    return q.next() ? q.value(0) : QVariant();
}

// The other workstation's work: the statement in a transaction it holds open for half a second.
std::function<void(QSqlDatabase&, std::atomic<bool>&)> holdingFor500Ms(const char* sql) {
    return [sql](QSqlDatabase& db, std::atomic<bool>& ready) {
        run(db, "begin");
        run(db, QString::fromUtf8(sql));
        ready = true;
        QThread::msleep(500);
        run(db, "commit");
    };
}

// psql writes into November without the client's locks; the close that starts meanwhile waits
// for that write to commit, so the closed month never gains a row after its close.
TEST_F(Concurrency, CloseWaitsForAWriteInProgressOfAnyProgram) {
    QString committedBefore;
    {
        OtherWorkstation psql([&](QSqlDatabase& db, std::atomic<bool>& ready) {
            run(db, "begin");
            run(db,
                "insert into accounts_dep.smena(data, smena, w_id, time) values "
                "('12.11.2022', 1, 18, 0)");
            ready = true;
            QThread::msleep(700);
            committedBefore = run(db, "select clock_timestamp()::text").toString();
            run(db, "commit");
        });
        psql.waitUntilReady();
        const auto verdict =
            timesheet::closeMonth(testdb::sharedData(), 11, "2022", "Administrator", "test", true);
        EXPECT_EQ(verdict.kind, timesheet::CloseVerdict::Kind::Closed);
    }
    EXPECT_EQ(testdb::scalar("select count(*) from accounts_dep.smena").toInt(), 1);
    EXPECT_TRUE(testdb::scalar("select closed_at > '" + committedBefore +
                               "'::timestamptz from accounts_dep.closed_month")
                    .toBool());
}

// The close (the database's function, as another workstation calls it) holds the month while the
// client saves into it: the save waits, then is refused.
TEST_F(Concurrency, SaveThatWaitsForACloseIsRefusedAfterIt) {
    OtherWorkstation closer(holdingFor500Ms("select accounts_dep.close_month(2022, 11)"));
    closer.waitUntilReady();
    try {
        entry::saveEntry(testdb::sharedData(), entrytest::workedExample());
        FAIL() << "saved into a month closed meanwhile";
    } catch (const data::DbError& e) {
        EXPECT_EQ(e.kind(), data::DbErrorKind::ClosedMonth) << e.what();
    }
    EXPECT_EQ(entryCount(), 0);
    EXPECT_TRUE(cells("d5").isEmpty());
}

// A close and a reopen of one month from two workstations follow each other: the second waits
// for the first to commit and then acts on the month as the first left it.
TEST_F(Concurrency, CloseAndReopenOfOneMonthWaitForEachOther) {
    data::setSessionRole("Administrator");
    {
        OtherWorkstation closer(holdingFor500Ms("select accounts_dep.close_month(2022, 11)"));
        closer.waitUntilReady();
        // Asked before the close committed, the reopen would find nothing to reopen.
        EXPECT_TRUE(timesheet::reopenMonth(testdb::sharedData(), 11, "2022", "Ошибка в часах"));
    }
    EXPECT_EQ(testdb::scalar("select count(*) from accounts_dep.closed_month").toInt(), 0);
    testdb::exec("insert into accounts_dep.closed_month(year, month) values (2022, 11)");
    {
        OtherWorkstation reopener(
            holdingFor500Ms("select accounts_dep.reopen_month(2022, 11, 'Перерасчёт')"));
        reopener.waitUntilReady();
        EXPECT_EQ(
            timesheet::closeMonth(testdb::sharedData(), 11, "2022", "Administrator", "test", true)
                .kind,
            timesheet::CloseVerdict::Kind::Closed);
    }
    EXPECT_EQ(testdb::rows("select action, coalesce(reason, '-') from accounts_dep.change_log "
                           "where table_name = 'closed_month' order by id"),
              (QList<QVariantList>{{"insert", "-"},
                                   {"delete", "Ошибка в часах"},
                                   {"insert", "-"},
                                   {"delete", "Перерасчёт"},
                                   {"insert", "-"}}));
}

using MonthFunctions = entrytest::EntryTest;

// What any program calling the database's functions gets: the same rules as the client's.
TEST_F(MonthFunctions, RefuseWhatMakesNoSenseInRussianAndKeepTheReason) {
    QSqlDatabase psql = testdb::openConnection("psql", testdb::databaseName());
    const struct {
        const char* sql;
        const char* refusal;
    } cases[] = {
        {"select accounts_dep.reopen_month(2022, 11, 'x')", "Месяц 11.2022 не закрыт."},
        {"select accounts_dep.close_month(2022, 11)", ""},
        {"select accounts_dep.close_month(2022, 11)", "Месяц 11.2022 уже закрыт."},
        {"select accounts_dep.reopen_month(2022, 11, null)",
         "Укажите причину открытия месяца 11.2022."},
        {"select accounts_dep.reopen_month(2022, 11, E' \\t\\n ')",
         "Укажите причину открытия месяца 11.2022."},
        {"select accounts_dep.close_month(2022, 13)", "Нет такого месяца: 13.2022"},
        {"select accounts_dep.reopen_month(2022, 11, ' Ошибка ')", ""},
    };
    for (const auto& c : cases) {
        QSqlQuery q(psql);
        const bool done = q.exec(QString::fromUtf8(c.sql));
        const QString refusal = QString::fromUtf8(c.refusal);
        EXPECT_EQ(done, refusal.isEmpty()) << c.sql;
        EXPECT_TRUE(q.lastError().text().contains(refusal)) << c.sql;
    }
    EXPECT_EQ(testdb::rows("select reason from accounts_dep.change_log where action = 'delete'"),
              (QList<QVariantList>{{"Ошибка"}}));
    // Both run with their owner's rights on a pinned search path.
    EXPECT_EQ(
        testdb::rows("select proname, prosecdef, proconfig::text from pg_proc where proname "
                     "in ('close_month', 'reopen_month') order by proname"),
        (QList<QVariantList>{{"close_month", true, "{\"search_path=pg_catalog, pg_temp\"}"},
                             {"reopen_month", true, "{\"search_path=pg_catalog, pg_temp\"}"}}));
}

class Closing : public entrytest::EntryTest {
protected:
    void SetUp() override {
        EntryTest::SetUp();
        data::setSessionRole("Administrator");
        timesheet_fixture::choose(&timesheetWindow(), 11, 2022);
        timesheetRefreshButton()->click();  // "Обновить"
    }
    static QString state() { return monthStateLabel()->text(); }
    // Which of "Закрыть месяц" and "Открыть месяц" may be pressed.
    static std::pair<bool, bool> buttons() {
        return {closeMonthButton()->isEnabled(), reopenMonthButton()->isEnabled()};
    }
    static int closedRows() {
        return testdb::scalar("select count(*) from accounts_dep.closed_month").toInt();
    }
    static void press(const char* button) {
        control<QPushButton>(timesheetWindow(), button)->click();
    }
    // Answers the reason window: `act` types and presses; the windows shown are recorded.
    static void onReasonWindow(std::function<void(QWidget*)> act, QStringList* shown = nullptr) {
        ui::setModalHook([act, shown](QWidget* w) {
            if (shown)
                *shown << w->objectName() + ": " + w->windowTitle();
            if (w->objectName() == "reopenReasonWindow")
                act(w);
            return int(QDialog::Rejected);
        });
    }
    // The history of November 2022's closings as the history window shows it: action | changes.
    static QStringList monthHistory(const char* picture = nullptr) {
        QStringList shown;
        ui::setModalHook([&](QWidget* w) {
            const auto* grid = control<QTableView>(*w, "historyGrid");
            const int action = views::columnOf(grid->model(), "what");
            const int changes = views::columnOf(grid->model(), "changes");
            for (int r = 0; r < grid->model()->rowCount(); ++r)
                shown << grid->model()->index(r, action).data().toString() + " | " +
                             grid->model()->index(r, changes).data().toString();
            if (picture)
                takePicture(w, picture);
            return int(QDialog::Rejected);
        });
        appWindow<history::HistoryWindow>("HistoryWindow").showRow("closed_month", 202211);
        ui::clearModalHook();
        return shown;
    }
};

TEST_F(Closing, DisagreeingTimesheetIsRebuiltOnlyOnYesThenClosedAndReopenedWithAReason) {
    // The journal has 8 hours on the 5th and 3 on the 6th (neither accepted, one in shift 1);
    // the timesheet shows 7 on the 5th only.
    testdb::addJournalEntry({.date = entrytest::kNov5, .shift = 2, .worker = 17, .hours = 8});
    testdb::addJournalEntry({.date = entrytest::kNov6, .shift = 1, .worker = 17, .hours = 3});
    timesheet_fixture::addRow(17, 2, 11, 2022, {{5, 7}});
    EXPECT_EQ(state(), "Месяц открыт");
    EXPECT_EQ(buttons(), std::make_pair(true, false));

    const QString question =
        "Закрыть месяц 11.2022? Изменения в нём будут запрещены.\n"
        "Не принято записей журнала за месяц: 2.";
    MessageLog log;
    log.answerNext(ui::Answer::Yes);
    log.answerNext(ui::Answer::No);
    press("closeMonthButton");
    EXPECT_EQ(log.texts(), (QStringList{question,
                                        "Табель месяца 11.2022 отличается от журнала в ячейках: 2. "
                                        "Перестроить табель и закрыть месяц?"}));
    EXPECT_EQ(log.messages()[1].caption, "Закрытие месяца");
    EXPECT_EQ(log.messages()[1].buttons, ui::Buttons::YesNo);
    EXPECT_EQ(closedRows(), 0);
    EXPECT_EQ(cells("d5, d6"), (QList<QVariantList>{{7, 0}}));

    log.clear();
    press("closeMonthButton");  // Yes to both
    ASSERT_EQ(log.count(), 3);
    EXPECT_EQ(log.messages()[2].text, "Месяц 11.2022 закрыт.");
    EXPECT_EQ(log.messages()[2].caption, "Закрытие месяца");
    EXPECT_EQ(log.messages()[2].icon, ui::Icon::Information);
    EXPECT_EQ(cells("d5, d6"), (QList<QVariantList>{{8, 0}}));
    EXPECT_EQ(testdb::rows("select closed_by_role, closed_by_workstation <> '' from "
                           "accounts_dep.closed_month where year=2022 and month=11"),
              (QList<QVariantList>{{"Administrator", true}}));
    EXPECT_EQ(state(), "Месяц закрыт");
    EXPECT_EQ(buttons(), std::make_pair(false, true));
    takePicture(&timesheetWindow(), "timesheet-month-closed");

    log.clear();
    QStringList shown;
    onReasonWindow([](QWidget*) {}, &shown);
    log.answerNext(ui::Answer::No);
    press("reopenMonthButton");
    EXPECT_EQ(log.texts(),
              QStringList{"Открыть месяц 11.2022? Изменения в нём снова будут разрешены."});
    EXPECT_EQ(log.messages()[0].caption, "Открытие месяца");
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(closedRows(), 1);

    log.clear();
    onReasonWindow(
        [](QWidget* w) {
            auto* ok = control<QPushButton>(*w, "promptOkButton");
            auto* edit = control<QLineEdit>(*w, "promptEdit");
            EXPECT_EQ(control<QLabel>(*w, "promptLabel")->text(),
                      "Причина открытия месяца 11.2022 (сохраняется в истории изменений):");
            EXPECT_FALSE(ok->isEnabled());
            typeText(edit, "   ");
            EXPECT_FALSE(ok->isEnabled());  // blanks are no reason
            typeText(edit, "Ошибка в часах Иванова ");
            EXPECT_TRUE(ok->isEnabled());
            takePicture(w, "reopen-reason");
            ok->click();
        },
        &shown);
    press("reopenMonthButton");
    EXPECT_EQ(shown, QStringList{"reopenReasonWindow: Открытие месяца"});
    EXPECT_EQ(log.texts(), (QStringList{"Открыть месяц 11.2022? Изменения в нём снова будут "
                                        "разрешены.",
                                        "Месяц 11.2022 открыт."}));
    EXPECT_EQ(log.messages()[1].caption, "Открытие месяца");
    EXPECT_EQ(log.messages()[1].icon, ui::Icon::Information);
    EXPECT_EQ(closedRows(), 0);
    EXPECT_EQ(state(), "Месяц открыт");
    EXPECT_EQ(buttons(), std::make_pair(true, false));
    EXPECT_EQ(
        monthHistory("history-month-reopened"),
        (QStringList{"Открытие месяца | Причина: Ошибка в часах Иванова", "Закрытие месяца | "}));
}

TEST_F(Closing, TheQuestionCountsTheMonthsEntriesNotAcceptedInEveryShift) {
    // Accepted are "ok" and "да"; the month's bounds are its first and last days.
    const struct {
        QDate day;
        int shift;
        std::optional<QString> ok;
    } entries[] = {
        {QDate(2022, 11, 1), 1, QString("ok")}, {QDate(2022, 11, 2), 2, QString("да")},
        {QDate(2022, 11, 1), 4, QString("no")}, {QDate(2022, 11, 30), 3, std::nullopt},
        {QDate(2022, 11, 15), 1, QString("")},  {QDate(2022, 10, 31), 1, QString("no")},
        {QDate(2022, 12, 1), 1, QString("no")},
    };
    MessageLog log;
    log.setDefaultQuestionAnswer(ui::Answer::No);
    press("closeMonthButton");
    for (const auto& e : entries)
        testdb::addJournalEntry({.date = e.day, .shift = e.shift, .worker = 17, .ok = e.ok});
    press("closeMonthButton");
    EXPECT_EQ(log.texts(), (QStringList{"Закрыть месяц 11.2022? Изменения в нём будут запрещены.\n"
                                        "Все записи журнала за месяц приняты.",
                                        "Закрыть месяц 11.2022? Изменения в нём будут запрещены.\n"
                                        "Не принято записей журнала за месяц: 3."}));
    EXPECT_EQ(closedRows(), 0);
}

// The window showed the month's state before another workstation changed it.
TEST_F(Closing, AMonthClosedOrReopenedElsewhereMeanwhileIsSaidAndShown) {
    MessageLog log;
    testdb::exec("insert into accounts_dep.closed_month(year, month) values (2022, 11)");
    press("closeMonthButton");
    EXPECT_EQ(log.texts(), (QStringList{"Закрыть месяц 11.2022? Изменения в нём будут запрещены.\n"
                                        "Все записи журнала за месяц приняты.",
                                        "Месяц 11.2022 уже закрыт."}));
    EXPECT_EQ(state(), "Месяц закрыт");
    EXPECT_EQ(buttons(), std::make_pair(false, true));

    log.clear();
    testdb::exec("delete from accounts_dep.closed_month");
    onReasonWindow([](QWidget* w) {
        control<QLineEdit>(*w, "promptEdit")->setText("Перерасчёт");
        control<QPushButton>(*w, "promptOkButton")->click();
    });
    press("reopenMonthButton");
    EXPECT_EQ(log.texts(), (QStringList{"Открыть месяц 11.2022? Изменения в нём снова будут "
                                        "разрешены.",
                                        "Месяц 11.2022 не закрыт."}));
    EXPECT_EQ(state(), "Месяц открыт");
    EXPECT_EQ(buttons(), std::make_pair(true, false));
}

TEST_F(Closing, AReasonTheBoxCannotTakeIsRefusedAndCancellingChangesNothing) {
    testdb::exec("insert into accounts_dep.closed_month(year, month) values (2022, 11)");
    timesheetRefreshButton()->click();
    MessageLog log;
    onReasonWindow([](QWidget* w) {
        control<QLineEdit>(*w, "promptEdit")->setText("Ошибка");
        control<QPushButton>(*w, "promptCancelButton")->click();
    });
    press("reopenMonthButton");
    EXPECT_EQ(log.count(), 1);  // the question only
    EXPECT_EQ(closedRows(), 1);

    log.clear();
    bool stayedOpen = false;
    onReasonWindow([&](QWidget* w) {
        auto* edit = control<QLineEdit>(*w, "promptEdit");
        auto* ok = control<QPushButton>(*w, "promptOkButton");
        for (const QString& pasted : {QString("Ошибка\u0001"), QString(501, QChar(u'я'))}) {
            edit->setText(pasted);
            ok->click();
            stayedOpen = w->isVisible();
            if (!stayedOpen)
                return;
        }
        edit->setText(QString(500, QChar(u'я')));
        ok->click();
    });
    press("reopenMonthButton");
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(log.texts(),
              (QStringList{"Открыть месяц 11.2022? Изменения в нём снова будут разрешены.",
                           "Текст содержит управляющие или повреждённые символы. Исправьте его.",
                           "Текст слишком длинный: допускается не более 500 символов.",
                           "Месяц 11.2022 открыт."}));
    EXPECT_EQ(log.messages()[1].caption, "Ошибка");
    EXPECT_EQ(testdb::scalar("select length(reason) from accounts_dep.change_log where action = "
                             "'delete'")
                  .toInt(),
              500);
}

// The journal says beside its date that the date's month is closed, before anything is typed.
TEST_F(Closing, TheJournalShowsWhenItsDatesMonthIsClosed) {
    auto* date = journalDate();
    auto label = [] { return control<QLabel>(journalWindow(), "monthStateLabel")->text(); };
    MessageLog log;
    date->setDate(QDate(2022, 10, 31));
    date->setDate(entrytest::kNov5);
    EXPECT_EQ(label(), "");
    // Closed here: the journal follows the announcement at once.
    press("closeMonthButton");
    EXPECT_EQ(label(), "Месяц закрыт");
    date->setDate(QDate(2022, 10, 31));
    EXPECT_EQ(label(), "");
    date->setDate(entrytest::kNov6);
    EXPECT_EQ(label(), "Месяц закрыт");
    takePicture(&journalWindow(), "journal-month-closed");
    // Reopened by another workstation: seen on "Обновить".
    testdb::exec("delete from accounts_dep.closed_month");
    journalRefreshButton()->click();
    EXPECT_EQ(label(), "");
}

// A database upgraded before the month functions: the client closes and reopens with its own
// statements, without asking for a reason it could not keep.
TEST_F(Closing, WithoutTheMonthFunctionsClosingAndReopeningWorkAsBefore) {
    testdb::exec("drop function accounts_dep.close_month, accounts_dep.reopen_month");
    data::forgetServerFeatures(data::defaultDb().connectionName());
    // The later tests of this program find the database upgraded again.
    const auto upgradeAgain = qScopeGuard([] {
        data::upgrade::run(testdb::openConnection("psql", testdb::databaseName()),
                           data::upgrade::builtInScripts());
        data::forgetServerFeatures(data::defaultDb().connectionName());
    });
    MessageLog log;
    press("closeMonthButton");
    EXPECT_EQ(closedRows(), 1);
    QStringList shown;
    onReasonWindow([](QWidget*) {}, &shown);
    press("reopenMonthButton");
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(log.texts(), (QStringList{"Закрыть месяц 11.2022? Изменения в нём будут запрещены.\n"
                                        "Все записи журнала за месяц приняты.",
                                        "Месяц 11.2022 закрыт.",
                                        "Открыть месяц 11.2022? Изменения в нём снова будут "
                                        "разрешены.",
                                        "Месяц 11.2022 открыт."}));
    EXPECT_EQ(closedRows(), 0);
    EXPECT_EQ(monthHistory(), (QStringList{"Открытие месяца | ", "Закрытие месяца | "}));
}

}  // namespace
