#include "entry_fixture.h"

#include "../support/message_log.h"
#include "../timesheet/timesheet_fixture.h"
#include "app/journal_statements.h"
#include "app/journal_window.h"
#include "data/connection.h"
#include "data/data_module.h"
#include "data/transaction.h"
#include "entry/entry_editor.h"
#include "entry/entry_save.h"
#include "ui/modal.h"

#include <QDateEdit>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSqlQuery>
#include <QThread>
#include <iostream>
#include "../support/app_controls.h"
#include "../support/app_windows.h"

using namespace testing_support;

namespace {

using entrytest::EntryTest;
using entrytest::kNov5;
using entrytest::kNov6;
using entrytest::workedExample;

using EntrySave = EntryTest;

QString tr(const char* message) {
    return QString::fromUtf8(message);
}

QVariantList storedEntry() {
    const auto rows = testdb::rows(
        "select w_id, i_id, o_id, cena, kol_vo, brak, to_char(data, 'DD.MM.YYYY'), smena, color, "
        "time, to_char(vvod, 'DD.MM.YYYY HH24:MI:SS'), ok, prize, id_doc, id_doc_item, "
        "f_gds_qty_use, id_gds_use, id_cons_use from accounts_dep.smena");
    return rows.size() == 1 ? rows[0] : QVariantList{};
}

TEST_F(EntrySave, AddWritesTheEntryItsTimesheetCellAndTheJournal) {
    MessageLog log;
    entryEditor().show();
    fillWorkedExample();
    pressSave();

    EXPECT_EQ(log.count(), 0) << log.texts().join('|').toStdString();
    const QVariantList e = storedEntry();
    ASSERT_EQ(e.size(), 18);
    const QStringList expected = {
        "17", "31", "240", "12.5", "120", "2", "05.11.2022", "2", "0", "8", "07.11.2022 00:00:00",
        "no", "0",  "0",   "0",    "0",   "0", "0"};
    for (int i = 0; i < e.size(); ++i)
        EXPECT_EQ(e[i].toString(), expected[i]) << "column " << i;
    EXPECT_EQ(cells("d4, d5, d6"), (QList<QVariantList>{{0, 8, 0}}));

    // Closed and cleared; the journal of the shift shows the new entry.
    EXPECT_FALSE(entryEditor().isVisible());
    for (QLineEdit* box : entryEditor().findChildren<QLineEdit*>()) {
        if (box->objectName().startsWith("Edit")) {
            EXPECT_TRUE(box->text().isEmpty()) << box->objectName().toStdString();
        }
    }
    data::Dataset* journal = testdb::sharedData().journalOf(2);
    ASSERT_EQ(journal->recordCount(), 1);
    EXPECT_EQ(journal->text("fio"), "Иванов И.И.");
}

// A save and a deletion are announced by the shared data: the journal and the timesheet month on
// screen reload themselves, whoever wrote.
TEST_F(EntrySave, TheJournalAndTheTimesheetOnScreenFollowASaveAndADeletion) {
    data::SharedData& db = testdb::sharedData();
    showJournal(kNov5);
    data::Dataset* journal = db.journalOf(2);
    ASSERT_EQ(journal->recordCount(), 0);
    timesheet_fixture::choose(&testing_support::timesheetWindow(), 11, 2022);
    data::Dataset* sheet = db.timesheetOf(2);
    ASSERT_TRUE(sheet->isOpen());
    ASSERT_EQ(sheet->recordCount(), 0);

    ASSERT_EQ(entry::saveEntry(db, workedExample()), data::Verdict::Kind::Saved);
    ASSERT_EQ(journal->recordCount(), 1);
    EXPECT_EQ(journal->asInt(QStringLiteral("w_id")), 17);
    ASSERT_EQ(sheet->recordCount(), 1);
    EXPECT_EQ(sheet->asInt(QStringLiteral("d5")), 8);

    const qint64 id = journal->asInt64(QStringLiteral("id"));
    db.entryDeletion.setSql(journal::statements::deleteEntry(id));
    ASSERT_EQ(entry::deleteEntry(db, db.entryDeletion, id), data::Verdict::Kind::Saved);
    EXPECT_EQ(journal->recordCount(), 0);
    EXPECT_EQ(sheet->asInt(QStringLiteral("d5")), 0);
}

TEST_F(EntrySave, IncompleteOrBadBoxesAreRefusedAndNothingIsWritten) {
    const QString incomplete = QString::fromUtf8(entry::kIncompleteMessage);
    const QString badColour = QString::fromUtf8(entry::kBadColourMessage);
    const struct {
        const char* name;
        std::function<void()> change;
        QString message;
    } cases[] = {
        {"worker", [] { entryWorkerBox()->setText("  "); }, incomplete},
        {"operation", [] { entryOperationBox()->clear(); }, incomplete},
        {"quantity", [] { entryQuantityBox()->clear(); }, incomplete},
        {"defects", [] { entryDefectsBox()->clear(); }, incomplete},
        {"hours", [] { entryHoursBox()->clear(); }, incomplete},
        {"paint without colour", [] { entryOperationBox()->setText(entrytest::kPainting); },
         incomplete},
        {"colour above 32 bits",
         [] {
             entryOperationBox()->setText(entrytest::kPainting);
             entryColourBox()->setText("2147483648");
         },
         badColour},
        // Values the columns or the timesheet cannot hold.
        {"hours above a day", [] { entryHoursBox()->setText("25"); }, tr(entry::kBadHoursMessage)},
        {"hours of a wrapped cell", [] { entryHoursBox()->setText("2147483647"); },
         tr(entry::kBadHoursMessage)},
        {"quantity above 32 bits", [] { entryQuantityBox()->setText("2147483648"); },
         tr(entry::kBadQuantityMessage)},
        {"defects above 32 bits", [] { entryDefectsBox()->setText("99999999999"); },
         tr(entry::kBadDefectsMessage)},
        {"price beyond a double",
         [] {
             {
                 ::entry::EntryEditor::Chosen c = entryEditor().chosen();
                 c.price = 1e305;
                 entryEditor().setChosen(c);
             }
         },
         tr(entry::kBadPriceMessage)},
    };
    entryEditor().show();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fillWorkedExample();
        c.change();
        const QString quantity = entryQuantityBox()->text();
        MessageLog log;
        pressSave();
        EXPECT_EQ(log.texts(), QStringList{c.message});
        EXPECT_EQ(entryCount(), 0);
        EXPECT_TRUE(entryEditor().isVisible());
        EXPECT_EQ(entryQuantityBox()->text(), quantity);
    }
}

TEST_F(EntrySave, TheSameKeyIsRefusedAnotherColourIsAccepted) {
    const QString duplicate = QString::fromUtf8(entry::kDuplicateMessage);
    MessageLog log;
    fillWorkedExample();
    pressSave();
    fillWorkedExample();
    entryQuantityBox()->setText("50");  // quantity and hours are not part of the key
    entryHoursBox()->setText("3");
    pressSave();
    EXPECT_EQ(log.texts(), QStringList{duplicate});
    EXPECT_EQ(entryCount(), 1);

    log.clear();
    for (const char* colour : {"3", "4", "3"}) {
        fillWorkedExample();
        entryOperationBox()->setText(entrytest::kPainting);
        {
            ::entry::EntryEditor::Chosen c = entryEditor().chosen();
            c.operationId = 241;
            entryEditor().setChosen(c);
        }
        entryColourBox()->setText(colour);
        pressSave();
    }
    EXPECT_EQ(log.texts(), QStringList{duplicate});
    EXPECT_EQ(testdb::scalar("select string_agg(color::text, ',' order by id) from "
                             "accounts_dep.smena where o_id=241")
                  .toString(),
              "3,4");
}

TEST_F(EntrySave, ChangeKeepsItsPriceAndMarkAndMovingADayFixesBothCells) {
    entry::EntryValues v = workedExample();
    v.price = 25;  // priced on a day off; the operation's base price is 12.5 now
    ASSERT_EQ(entry::saveEntry(testdb::sharedData(), v), data::Verdict::Kind::Saved);
    testdb::exec("update accounts_dep.smena set ok='ok', prize=5");
    showJournal(kNov5);
    ASSERT_EQ(cells("d5, d6"), (QList<QVariantList>{{8, 0}}));

    MessageLog log;
    bool shown = false;
    ui::setModalHook([&](QWidget* w) {
        shown = w == &entryEditor();
        EXPECT_EQ(entryEditor().windowTitle(), "Изменение данных о позиции");
        EXPECT_EQ(entryWorkerBox()->text(), "Иванов И.И.");
        EXPECT_EQ(entryOperationBox()->text(), entrytest::kWelding);
        EXPECT_EQ(entryQuantityBox()->text(), "120");
        EXPECT_EQ(entryDefectsBox()->text(), "2");
        EXPECT_EQ(entryHoursBox()->text(), "8");
        EXPECT_EQ(entryFinalPriceBox()->text(), "25");
        EXPECT_EQ(entrySumBox()->text(), "3000");
        EXPECT_FALSE(entryColourBox()->isEnabled());
        EXPECT_FALSE(control<QLabel>(entryEditor(), "Label6")->isEnabled());
        EXPECT_EQ(entryDate()->date(), kNov5);
        entryDate()->setDate(kNov6);
        pressSave();
        return QDialog::Rejected;
    });
    journalWindow().changeEntry();
    EXPECT_TRUE(shown);
    EXPECT_EQ(log.count(), 0) << log.texts().join('|').toStdString();

    const QVariantList e = storedEntry();
    ASSERT_EQ(e.size(), 18);
    EXPECT_EQ(e[3].toDouble(), 25);
    EXPECT_EQ(e[6].toString(), "06.11.2022");
    EXPECT_EQ(e[11].toString(), "ok");  // the acceptance mark stays
    EXPECT_EQ(e[12].toDouble(), 0);     // prize returns to 0
    EXPECT_EQ(cells("d5, d6"), (QList<QVariantList>{{0, 8}}));
}

TEST_F(EntrySave, ChangingAPaintEntryShowsItsColourAndPassesItsOwnDuplicateCheck) {
    entry::EntryValues v = workedExample();
    v.operationId = 241;
    v.colour = 3;
    ASSERT_EQ(entry::saveEntry(testdb::sharedData(), v), data::Verdict::Kind::Saved);
    showJournal(kNov5);

    MessageLog log;
    ui::setModalHook([&](QWidget*) {
        EXPECT_EQ(entryOperationBox()->text(), entrytest::kPainting);
        EXPECT_TRUE(entryColourBox()->isEnabled());
        EXPECT_EQ(entryColourBox()->text(), "3");
        entryQuantityBox()->setText("99");
        pressSave();
        return QDialog::Rejected;
    });
    journalWindow().changeEntry();
    EXPECT_EQ(log.count(), 0) << log.texts().join('|').toStdString();
    EXPECT_EQ(testdb::scalar("select kol_vo from accounts_dep.smena").toInt(), 99);
    EXPECT_EQ(entryCount(), 1);
}

TEST_F(EntrySave, ADayAndShiftAbove24HoursIsRefusedAndWritesNothing) {
    entry::EntryValues twenty = workedExample();
    twenty.hours = QStringLiteral("20");
    ASSERT_EQ(entry::saveEntry(testdb::sharedData(), twenty), data::Verdict::Kind::Saved);
    const qint64 twentyId = testdb::scalar("select id from accounts_dep.smena").toLongLong();

    entryEditor().show();
    MessageLog log;
    const auto savePainting = [&](const char* hours) {
        fillWorkedExample();
        entryOperationBox()->setText(entrytest::kPainting);
        {
            ::entry::EntryEditor::Chosen c = entryEditor().chosen();
            c.operationId = 241;
            entryEditor().setChosen(c);
        }
        entryColourBox()->setText("3");
        entryHoursBox()->setText(hours);
        pressSave();
    };
    savePainting("5");
    EXPECT_EQ(log.texts(), QStringList{entry::dayHoursMessage(25)});
    EXPECT_EQ(entryCount(), 1);
    EXPECT_EQ(cells("d5"), (QList<QVariantList>{{20}}));
    EXPECT_TRUE(entryEditor().isVisible());
    EXPECT_EQ(entryHoursBox()->text(), "5");

    log.clear();
    savePainting("4");
    EXPECT_EQ(log.count(), 0) << log.texts().join('|').toStdString();
    EXPECT_EQ(cells("d5"), (QList<QVariantList>{{24}}));

    // A change counts the entry's new hours in place of its old ones.
    twenty.hours = QStringLiteral("19");
    EXPECT_EQ(entry::saveEntry(testdb::sharedData(), twenty, twentyId), data::Verdict::Kind::Saved);
    twenty.hours = QStringLiteral("21");
    const data::Verdict refused = entry::saveEntry(testdb::sharedData(), twenty, twentyId);
    EXPECT_EQ(refused, data::Verdict::Kind::Refused);
    EXPECT_EQ(refused.message, entry::dayHoursMessage(25));
    EXPECT_EQ(cells("d5"), (QList<QVariantList>{{23}}));
    EXPECT_EQ(log.count(), 0);  // the verdict is the editor's to show
}

TEST_F(EntrySave, ChangingAnEntryAnotherWorkstationDeletedIsRefusedAndKeepsTheDialog) {
    ASSERT_EQ(entry::saveEntry(testdb::sharedData(), workedExample()), data::Verdict::Kind::Saved);
    showJournal(kNov5);
    MessageLog log;
    ui::setModalHook([&](QWidget*) {
        testdb::exec("delete from accounts_dep.smena");  // the other workstation
        entryQuantityBox()->setText("99");
        entryDate()->setDate(kNov6);
        pressSave();
        EXPECT_TRUE(entryEditor().isVisible());
        EXPECT_EQ(entryQuantityBox()->text(), "99");
        EXPECT_EQ(entryWorkerBox()->text(), "Иванов И.И.");
        return QDialog::Rejected;
    });
    journalWindow().changeEntry();
    EXPECT_EQ(log.texts(), QStringList{tr(entry::kEntryGoneMessage)});
    EXPECT_EQ(entryCount(), 0);
    // Nothing written: the cell keeps what it had until the deletion's own recalculation.
    EXPECT_EQ(cells("d5, d6"), (QList<QVariantList>{{8, 0}}));
}

// Makes the timesheet table refuse every write while it lives.
struct TimesheetLocked {
    TimesheetLocked() {
        testdb::exec(
            "create function accounts_dep.refuse_h_tabel() returns trigger "
            "language plpgsql as $$ begin raise exception 'табель закрыт'; end $$");
        testdb::exec(
            "create trigger refuse_h_tabel before insert or update on "
            "accounts_dep.h_tabel for each row execute function "
            "accounts_dep.refuse_h_tabel()");
    }
    ~TimesheetLocked() { release(); }
    void release() {
        testdb::exec("drop trigger if exists refuse_h_tabel on accounts_dep.h_tabel");
        testdb::exec("drop function if exists accounts_dep.refuse_h_tabel()");
    }
};

TEST_F(EntrySave, AFailedTimesheetWriteWritesNothingAndTheSecondSaveWorks) {
    TimesheetLocked locked;
    entryEditor().show();
    fillWorkedExample();
    MessageLog log;
    pressSave();

    ASSERT_EQ(log.count(), 1);
    EXPECT_TRUE(log.messages()[0].text.contains("табель закрыт"))
        << log.messages()[0].text.toStdString();
    EXPECT_EQ(log.messages()[0].caption, "Ошибка");
    EXPECT_EQ(entryCount(), 0);
    EXPECT_TRUE(entryEditor().isVisible());
    EXPECT_EQ(entryQuantityBox()->text(), "120");
    EXPECT_FALSE(data::Transaction::active());

    locked.release();
    log.clear();
    pressSave();
    EXPECT_EQ(log.count(), 0) << log.texts().join('|').toStdString();
    EXPECT_EQ(entryCount(), 1);
    EXPECT_EQ(cells("d5"), (QList<QVariantList>{{8}}));
    EXPECT_FALSE(entryEditor().isVisible());
}

// The other workstation's command line for saving v.
QStringList saveArgs(const entry::EntryValues& v) {
    return {QString::number(v.workerId),
            QString::number(v.productId),
            QString::number(v.operationId),
            QString::number(v.price),
            v.quantity,
            v.defects,
            v.hours,
            v.date.toString("dd.MM.yyyy"),
            QString::number(v.shift),
            QString::number(v.colour)};
}

// Waits until the other workstation waits for a lock this one holds (or has finished, which a
// save without locking would do).
void waitUntilBlockedOrDone(QProcess& other) {
    QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired() && other.state() != QProcess::NotRunning) {
        if (testdb::scalar("select count(*) from pg_stat_activity where datname = "
                           "current_database() and wait_event_type = 'Lock' and "
                           "wait_event = 'advisory'")
                .toInt() > 0)
            return;
        other.waitForFinished(50);
    }
}

// This workstation saves `mine` and keeps its transaction open while a second workstation, on its
// own connection, runs entry_save_worker with `otherArgs`; then commits. Answers the other's exit
// code (0 done, 1 refused, 2 failed), or -1 when it did not finish.
int whileMySaveIsOpen(const entry::EntryValues& mine, const QStringList& otherArgs) {
    QProcess other;
    {
        data::Transaction held;
        EXPECT_EQ(entry::saveEntry(testdb::sharedData(), mine), data::Verdict::Kind::Saved);
        other.start(QStringLiteral(ENTRY_SAVE_WORKER), otherArgs);
        EXPECT_TRUE(other.waitForStarted());
        waitUntilBlockedOrDone(other);
        held.commit();
    }
    if (other.state() != QProcess::NotRunning && !other.waitForFinished(30000))
        return -1;
    if (other.exitCode() == 2)
        ADD_FAILURE() << other.readAllStandardError().toStdString();
    return other.exitCode();
}

TEST_F(EntrySave, TwoWorkstationsSavingOneEntryAtOnceLeaveOneRow) {
    const entry::EntryValues v = workedExample();
    EXPECT_EQ(whileMySaveIsOpen(v, saveArgs(v)), 1);
    EXPECT_EQ(entryCount(), 1);
    EXPECT_EQ(cells("d5"), (QList<QVariantList>{{8}}));
}

TEST_F(EntrySave, FirstEntriesOfAMonthSavedAtOnceMakeOneTimesheetRow) {
    entry::EntryValues theirs = workedExample();
    theirs.operationId = 241;
    theirs.colour = 2;
    theirs.date = kNov6;
    theirs.hours = QStringLiteral("4");
    EXPECT_EQ(whileMySaveIsOpen(workedExample(), saveArgs(theirs)), 0);
    EXPECT_EQ(entryCount(), 2);
    EXPECT_EQ(cells("d5, d6"), (QList<QVariantList>{{8, 4}}));
}

TEST_F(EntrySave, TwoWorkstationsFillingOneDayAtOnceStayWithin24Hours) {
    entry::EntryValues mine = workedExample();
    mine.hours = QStringLiteral("13");
    entry::EntryValues theirs = mine;
    theirs.operationId = 241;
    theirs.colour = 2;
    EXPECT_EQ(whileMySaveIsOpen(mine, saveArgs(theirs)), 1);
    EXPECT_EQ(entryCount(), 1);
    EXPECT_EQ(cells("d5"), (QList<QVariantList>{{13}}));
}

TEST_F(EntrySave, ADeletionDuringASaveOfTheSameDayLeavesTheCellEqualToTheJournal) {
    entry::EntryValues three = workedExample();
    three.operationId = 241;
    three.colour = 2;
    three.hours = QStringLiteral("3");
    ASSERT_EQ(entry::saveEntry(testdb::sharedData(), three), data::Verdict::Kind::Saved);
    const QString threeId = testdb::scalar("select id from accounts_dep.smena").toString();
    // This workstation adds 8 hours to the day while the other deletes the 3.
    EXPECT_EQ(whileMySaveIsOpen(workedExample(), {"delete", threeId}), 0);
    EXPECT_EQ(entryCount(), 1);
    EXPECT_EQ(cells("d5"), (QList<QVariantList>{{8}}));
}

// A workstation killed while its save waits for a timesheet row another one holds: its server
// session ends within seconds and lets the month go, long before the row is let go (the killed
// save was given a minute to wait, so only the check of a gone client can end it).
TEST_F(EntrySave, AWorkstationKilledWhileWaitingReleasesTheMonthWithinSeconds) {
    const entry::EntryValues v = workedExample();
    testdb::exec(
        "insert into accounts_dep.h_tabel(w_id, smena, month, year) values (17, 2, 11, "
        "2022)");
    {
        QSqlDatabase other = QSqlDatabase::addDatabase("QODBC", "other");
        other.setDatabaseName(
            data::composeConnectionString(testdb::databaseName(), testdb::host()));
        ASSERT_TRUE(other.open());
        ASSERT_TRUE(other.transaction());
        QSqlQuery hold(other);
        ASSERT_TRUE(hold.exec("select id from accounts_dep.h_tabel for update"));

        QProcess workstation;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PLANT_LOCK_WAIT_MS", "60000");
        workstation.setProcessEnvironment(env);
        workstation.start(QStringLiteral(ENTRY_SAVE_WORKER), saveArgs(v));
        ASSERT_TRUE(workstation.waitForStarted());
        QDeadlineTimer waiting(20000);
        while (!waiting.hasExpired() &&
               testdb::scalar("select count(*) from pg_stat_activity where datname = "
                              "current_database() and wait_event_type = 'Lock'")
                       .toInt() == 0)
            QThread::msleep(50);
        ASSERT_FALSE(waiting.hasExpired());
        const char* month = "select pg_try_advisory_xact_lock(hashtext('h_tabel:11:2022'))";
        ASSERT_FALSE(testdb::scalar(month).toBool());  // held shared by the waiting save
        workstation.kill();
        workstation.waitForFinished();

        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 20000 && !testdb::scalar(month).toBool())
            QThread::msleep(100);
        std::cout << "the month was let go " << clock.elapsed() << " ms after the kill\n";
        EXPECT_LT(clock.elapsed(), 8000);
        other.rollback();
    }
    QSqlDatabase::removeDatabase("other");
    EXPECT_EQ(entryCount(), 0);
}

}  // namespace
