#include "../entry/entry_fixture.h"
#include "../support/app_windows.h"
#include "../support/message_log.h"
#include "../timesheet/timesheet_fixture.h"
#include "data/connection.h"
#include "data/data_module.h"
#include "entry/entry_save.h"
#include "timesheet/month_closing.h"
#include "ui/error_display.h"
#include "ui/modal.h"

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <atomic>
#include <thread>

using namespace testing_support;

namespace {

const QString kRefusal = "Месяц 11.2022 закрыт. Изменения в нём запрещены.";
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
             entryEditor().setMode(::EntryEditor::Mode::Changing);
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
        control<QDateEdit>(journalWindow(), "DateT")->setDate(entrytest::kNov5);
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
    EXPECT_EQ(control<QLabel>(timesheetWindow(), "monthStateLabel")->text(), "Месяц закрыт");
    entry::EntryValues october = entrytest::workedExample();
    october.date = kOct31.addDays(-1);
    EXPECT_EQ(entry::saveEntry(testdb::sharedData(), october), entry::SaveResult::Saved);
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

// The close holds the month while the client saves into it: the save waits, then is refused.
TEST_F(Concurrency, SaveThatWaitsForACloseIsRefusedAfterIt) {
    OtherWorkstation closer([](QSqlDatabase& db, std::atomic<bool>& ready) {
        run(db, "begin");
        run(db, "select pg_advisory_xact_lock(hashtext('h_tabel:11:2022'))");
        run(db, "insert into accounts_dep.closed_month(year, month) values (2022, 11)");
        ready = true;
        QThread::msleep(500);
        run(db, "commit");
    });
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

class Closing : public entrytest::EntryTest {
protected:
    void SetUp() override {
        EntryTest::SetUp();
        timesheet_fixture::choose(&timesheetWindow(), 11, 2022);
        control<QPushButton>(timesheetWindow(), "Button5")->click();  // "Обновить"
    }
    static QString state() { return control<QLabel>(timesheetWindow(), "monthStateLabel")->text(); }
    static int closedRows() {
        return testdb::scalar("select count(*) from accounts_dep.closed_month").toInt();
    }
    static void press(const char* button) {
        control<QPushButton>(timesheetWindow(), button)->click();
    }
};

TEST_F(Closing, DisagreeingTimesheetIsRebuiltOnlyOnYesThenClosedAndReopened) {
    // The journal has 8 hours on the 5th and 3 on the 6th; the timesheet shows 7 on the 5th only.
    testdb::addJournalEntry({.date = entrytest::kNov5, .shift = 2, .worker = 17, .hours = 8});
    testdb::addJournalEntry({.date = entrytest::kNov6, .shift = 2, .worker = 17, .hours = 3});
    timesheet_fixture::addRow(17, 2, 11, 2022, {{5, 7}});
    EXPECT_EQ(state(), "Месяц открыт");

    MessageLog log;
    log.answerNext(ui::Answer::Yes);
    log.answerNext(ui::Answer::No);
    press("closeMonthButton");
    EXPECT_EQ(log.texts(), (QStringList{"Закрыть месяц 11.2022? Изменения в нём будут запрещены.",
                                        "Табель месяца 11.2022 отличается от журнала в ячейках: 2. "
                                        "Перестроить табель и закрыть месяц?"}));
    EXPECT_EQ(log.messages()[1].caption, "Закрытие месяца");
    EXPECT_EQ(log.messages()[1].buttons, ui::Buttons::YesNo);
    EXPECT_EQ(closedRows(), 0);
    EXPECT_EQ(cells("d5, d6"), (QList<QVariantList>{{7, 0}}));

    log.clear();
    press("closeMonthButton");  // Yes to both
    EXPECT_EQ(log.count(), 2);
    EXPECT_EQ(cells("d5, d6"), (QList<QVariantList>{{8, 3}}));
    EXPECT_EQ(testdb::rows("select closed_by_role, closed_by_workstation <> '' from "
                           "accounts_dep.closed_month where year=2022 and month=11"),
              (QList<QVariantList>{{"Administrator", true}}));
    EXPECT_EQ(state(), "Месяц закрыт");

    log.clear();
    log.answerNext(ui::Answer::No);
    press("reopenMonthButton");
    EXPECT_EQ(log.texts(),
              QStringList{"Открыть месяц 11.2022? Изменения в нём снова будут разрешены."});
    EXPECT_EQ(closedRows(), 1);
    press("reopenMonthButton");
    EXPECT_EQ(closedRows(), 0);
    EXPECT_EQ(state(), "Месяц открыт");
}

TEST_F(Closing, AgreeingTimesheetClosesAfterOneQuestionAndASecondCloseSaysSo) {
    testdb::addJournalEntry({.date = entrytest::kNov5, .shift = 2, .worker = 17, .hours = 8});
    timesheet_fixture::addRow(17, 2, 11, 2022, {{5, 8}});
    MessageLog log;
    press("closeMonthButton");
    EXPECT_EQ(log.count(), 1);
    EXPECT_EQ(closedRows(), 1);
    log.clear();
    press("closeMonthButton");
    EXPECT_EQ(log.texts(), (QStringList{"Закрыть месяц 11.2022? Изменения в нём будут запрещены.",
                                        "Месяц 11.2022 уже закрыт."}));
    EXPECT_EQ(closedRows(), 1);
}

}  // namespace
