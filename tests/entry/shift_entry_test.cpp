#include "entry_fixture.h"

#include "../support/journal_entries.h"
#include "../support/message_log.h"
#include "../support/widget_driving.h"
#include "data/change.h"
#include "data/connection.h"
#include "data/data_module.h"
#include "data/db_error.h"
#include "entry/entry_save.h"
#include "entry/shift_entry_window.h"
#include "entry/shift_rows.h"
#include "timesheet/recalc_statements.h"
#include "ui/modal.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTest>
#include <QThread>
#include <future>
#include <thread>
#include "../support/app_controls.h"
#include "../support/app_windows.h"

using namespace testing_support;
using namespace entrytest;
using entry::shift::ShiftRow;

namespace {

entry::ShiftEntryWindow& shiftWindow() {
    return appWindow<entry::ShiftEntryWindow>("ShiftEntryWindow");
}

QTableWidget* shiftGrid() {
    return control<QTableWidget>(shiftWindow(), "shiftGrid");
}

QStringList refusalTexts() {
    QStringList texts;
    for (int row = 0; row < shiftGrid()->rowCount(); ++row)
        texts << shiftGrid()->item(row, entry::ShiftEntryWindow::RefusalColumn)->text();
    return texts;
}

// The journal and the timesheet as stored: every column but the entry's id and input date, and
// every timesheet column but the row's id.
QList<QVariantList> storedJournal() {
    return testdb::rows(
        "select w_id, i_id, o_id, cena, kol_vo, brak, data, smena, color, time, ok, prize, "
        "id_doc, id_doc_item, f_gds_qty_use, id_gds_use, id_cons_use from accounts_dep.smena "
        "order by w_id, o_id, color");
}
QList<QVariantList> storedTimesheet() {
    QString columns = QStringLiteral("w_id, smena, month, year");
    for (int d = 1; d <= 31; ++d)
        columns += QStringLiteral(", d%1").arg(d);
    return testdb::rows(
        QStringLiteral("select %1 from accounts_dep.h_tabel order by w_id, smena").arg(columns));
}

class ShiftEntry : public EntryTest {
protected:
    void SetUp() override {
        EntryTest::SetUp();
        journalWindow().logIn("8453");
        dayOffCheck()->setChecked(false);
        shiftButton(2)->click();
        journalDate()->setDate(kNov5);
        journalWindow().selectCurrentJournal();
        shiftWindow().prepare();
    }
    void TearDown() override {
        ui::clearModalHook();
        shiftWindow().hide();
        EntryTest::TearDown();
    }

    // A row typed into the grid: the worker's name and the operation's text as the user types
    // them, then the figures.
    static void typeRow(const QString& worker, const QString& operation, const QString& colour,
                        const QString& quantity, const QString& defects, const QString& hours) {
        control<QPushButton>(shiftWindow(), "addRowButton")->click();
        QTableWidget* grid = shiftGrid();
        const int row = grid->currentRow();
        grid->item(row, entry::ShiftEntryWindow::WorkerColumn)->setText(worker);
        grid->item(row, entry::ShiftEntryWindow::OperationColumn)->setText(operation);
        if (!colour.isEmpty())
            grid->item(row, entry::ShiftEntryWindow::ColourColumn)->setText(colour);
        grid->item(row, entry::ShiftEntryWindow::QuantityColumn)->setText(quantity);
        grid->item(row, entry::ShiftEntryWindow::DefectsColumn)->setText(defects);
        grid->item(row, entry::ShiftEntryWindow::HoursColumn)->setText(hours);
    }
    static void pressWrite() { control<QPushButton>(shiftWindow(), "saveShiftButton")->click(); }

    static void setJournal(int shift, bool dayOff) {
        control<QRadioButton>(journalWindow(),
                              QStringLiteral("RadioButton%1").arg(shift).toLatin1())
            ->click();
        dayOffCheck()->setChecked(dayOff);
        journalWindow().selectCurrentJournal();
    }
};

TEST(ShiftStatements, OneInsertCarriesEachEntryAsTheSingleInsertWritesIt) {
    entry::EntryValues second = workedExample();
    second.workerId = 18;
    second.colour = 4;
    second.hours = QStringLiteral("3");
    EXPECT_EQ(entry::insertStatement(std::vector{workedExample()}),
              entry::insertStatement(workedExample()));
    EXPECT_EQ(entry::insertStatement(std::vector{workedExample(), second}),
              "insert into accounts_dep.SMENA(w_id, i_id, o_id, cena, kol_vo, brak, data, smena, "
              "color, time, vvod,ok, prize, id_doc, id_doc_item, f_gds_qty_use, id_gds_use, "
              "id_cons_use) values(17, 31, 240, 12.5,120, 2, to_date('05.11.2022', 'DD.MM.YYYY "
              "HH24:MI:SS'), 2, 0, 8, '07.11.2022', 'no', 0, 0, 0, 0, 0, 0), (18, 31, 240, "
              "12.5,120, 2, to_date('05.11.2022', 'DD.MM.YYYY HH24:MI:SS'), 2, 4, 3, "
              "'07.11.2022', 'no', 0, 0, 0, 0, 0, 0)");
    EXPECT_EQ(entry::shift::sourceShiftStatement(kNov5, 2),
              "select smena.w_id, person.s_caption fio, smena.i_id, smena.o_id, izdel.marka, "
              "vid_oper.vid, oper.naimen, smena.color, smena.time,\n(select min(price)::numeric "
              "from accounts_dep.norm where norm.o_id=smena.o_id) cena\nfrom "
              "cmn_contractor.person person, accounts_dep.izdel,accounts_dep.oper,"
              "accounts_dep.smena,accounts_dep.vid_oper \nwhere smena.i_id=izdel.id and "
              "smena.o_id=oper.id and (w_id=person.id or s_code::t_id=w_id) and "
              "oper.vid=vid_oper.id\nand smena.smena=2 and smena.data=to_date('05.11.2022', "
              "'DD.MM.YYYY') order by fio, smena.id");
    EXPECT_EQ(entry::duplicateCountsStatement({workedExample(), second}),
              "select v.n, (select count(id) from accounts_dep.SMENA s where s.w_id=v.w and "
              "s.o_id=v.o and s.i_id=v.i and s.data=v.d and s.smena=v.s and s.color=v.c) as cnt "
              "from (values (0, 17, 240, 31, to_date('05.11.2022', 'DD.MM.YYYY'), 2, 0), (1, 18, "
              "240, 31, to_date('05.11.2022', 'DD.MM.YYYY'), 2, 4)) as v(n, w, o, i, d, s, c) "
              "order by v.n");
    EXPECT_EQ(timesheet::recalc::daysStatement({{17, 2, kNov5}}),
              "select v.n, (select sum(time) from accounts_dep.smena j where j.w_id=v.w and "
              "j.smena=v.s and j.data=v.d) as tim, (select count(w_id) from accounts_dep.h_tabel "
              "h where h.w_id=v.w and h.smena=v.s and h.month=v.m and h.year=v.y) as cnt from "
              "(values (0, 17, 2, to_date('05.11.2022', 'DD.MM.YYYY'), 11, 2022)) as v(n, w, s, "
              "d, m, y) order by v.n");
    EXPECT_EQ(entry::shift::lastShiftDayStatement(kNov5, 2),
              "select max(data) as data from accounts_dep.smena where smena=2 and "
              "data<to_date('05.11.2022', 'DD.MM.YYYY')");
}

TEST_F(ShiftEntry, GridRowsWriteWhatTheEditorWritesOneByOne) {
    struct Case {
        const char* what;
        int shift;
        bool dayOff;
        int operation;  // 240 welding, finished goods; 241 painting, blanks
        const char* colour;
    };
    const Case cases[] = {
        {"finished goods, shift 2", 2, false, 240, ""},
        {"blanks painted in colour 7", 2, false, 241, "7"},
        {"day off", 2, true, 240, ""},
        {"surcharged shift 3", 3, false, 240, ""},
        {"overtime on a day off, colour 3", 4, true, 241, "3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        setJournal(c.shift, c.dayOff);
        const double base = c.operation == 240 ? 12.5 : 10;
        const QString text = c.operation == 240 ? kWelding : kPainting;
        const int hours[] = {8, 3};

        // Worker 17 twice (two colours or two operations would be other keys: one entry each
        // of 240 and 241 for worker 17, one for worker 18), entered through the editor.
        struct Line {
            int worker;
            const char* name;
            int operation;
            QString text;
            double base;
            const char* colour;
            int hours;
        };
        const Line lines[] = {
            {17, "Иванов И.И.", c.operation, text, base, c.colour, hours[0]},
            {18, "Петров П.П.", c.operation, text, base, c.colour, hours[1]},
            {17, "Иванов И.И.", c.operation == 240 ? 241 : 240,
             c.operation == 240 ? kPainting : kWelding, c.operation == 240 ? 10.0 : 12.5,
             c.operation == 240 ? "5" : "", 2},
        };
        for (const Line& l : lines) {
            entryEditor().setMode(::entry::EntryEditor::Mode::Adding);
            entryEditor().takeWorker({l.worker, QString::fromUtf8(l.name)});
            entryEditor().takeOperation({l.operation, 31, l.base, l.text});
            entryQuantityBox()->setText(QStringLiteral("14"));
            entryDefectsBox()->setText(QStringLiteral("1"));
            entryHoursBox()->setText(QString::number(l.hours));
            entryColourBox()->setText(QString::fromUtf8(l.colour));
            entryDate()->setDate(kNov5);
            pressSave();
        }
        const QList<QVariantList> editorJournal = storedJournal();
        const QList<QVariantList> editorTimesheet = storedTimesheet();
        ASSERT_EQ(editorJournal.size(), 3);
        testdb::exec("delete from accounts_dep.smena; delete from accounts_dep.h_tabel");

        for (const Line& l : lines)
            typeRow(QString::fromUtf8(l.name).toLower(), l.text, QString::fromUtf8(l.colour), "14",
                    "1", QString::number(l.hours));
        pressWrite();
        EXPECT_EQ(refusalTexts(), QStringList());
        EXPECT_EQ(storedJournal(), editorJournal);
        EXPECT_EQ(storedTimesheet(), editorTimesheet);
        EXPECT_EQ(testdb::scalar("select count(distinct vvod) from accounts_dep.smena").toInt(), 1);
        testdb::exec("delete from accounts_dep.smena; delete from accounts_dep.h_tabel");
    }
}

TEST_F(ShiftEntry, RefusedRowsAreMarkedAndNothingIsWritten) {
    testdb::addJournalEntry({.date = kNov5,
                             .shift = 2,
                             .worker = 18,
                             .product = 31,
                             .operation = 240,
                             .quantity = 5,
                             .defects = 0,
                             .price = 12.5,
                             .colour = 0,
                             .hours = 8});
    testdb::exec(
        "insert into accounts_dep.h_tabel(w_id, smena, month, year, d5) "
        "values (18, 2, 11, 2022, 8)");
    const QList<QVariantList> journalBefore = storedJournal();
    const QList<QVariantList> timesheetBefore = storedTimesheet();

    typeRow("Иванов И.И.", kWelding, "", "10", "0", "8");
    typeRow("Иванов И.И.", kWelding, "", "12", "0", "4");    // the same entry as row 1
    typeRow("Петров П.П.", kWelding, "", "7", "0", "2");     // already in the journal
    typeRow("Петров П.П.", kPainting, "4", "3", "0", "15");  // 8 + 2 + 15 hours that day
    typeRow("Петров П.П.", kPainting, "", "3", "0", "1");    // a paint operation without colour
    const QString shots = qEnvironmentVariable("PLANT_SHOTS_DIR");
    if (!shots.isEmpty()) {
        shiftWindow().show();
        QTest::qWait(300);
        shiftWindow().grab().save(shots + QStringLiteral("/shift-entry-before.png"));
    }
    pressWrite();
    EXPECT_EQ(refusalTexts(), (QStringList{"", "", "", "", entry::kIncompleteMessage}));
    // The rows the editor refuses are marked first; once they are right, the save's own rules.
    shiftGrid()->item(4, entry::ShiftEntryWindow::ColourColumn)->setText("2");
    pressWrite();
    const QString hours = entry::dayHoursMessage(26);
    EXPECT_EQ(refusalTexts(), (QStringList{"", entry::shiftDuplicateMessage(1),
                                           entry::kDuplicateMessage, hours, hours}));
    if (!shots.isEmpty()) {
        QTest::qWait(300);
        shiftWindow().grab().save(shots + QStringLiteral("/shift-entry-refused.png"));
        shiftWindow().hide();
    }
    EXPECT_EQ(storedJournal(), journalBefore);
    EXPECT_EQ(storedTimesheet(), timesheetBefore);
    EXPECT_TRUE(shiftWindow().rows().size() == 5);  // the rows stay for correcting
}

TEST_F(ShiftEntry, AClosedMonthRefusesEveryRow) {
    testdb::exec("insert into accounts_dep.closed_month(year, month) values (2022, 11)");
    std::vector<entry::EntryValues> rows{workedExample(), workedExample()};
    rows[1].workerId = 18;
    const entry::ShiftVerdict verdict = entry::saveShift(testdb::sharedData(), rows);
    EXPECT_FALSE(verdict.saved);
    const QString closed = data::closedMonthMessage(11, 2022);
    EXPECT_EQ(verdict.refusals, (std::vector<QString>{closed, closed}));
    EXPECT_EQ(entryCount(), 0);
}

// Another workstation writes row 2's entry after the rows were checked: its transaction holds
// the entry's duplicate lock, as its save does, until this save waits for the lock.
TEST_F(ShiftEntry, AnEntryWrittenElsewhereBetweenCheckAndWriteRefusesTheWholeShift) {
    std::vector<entry::EntryValues> rows{workedExample(), workedExample(), workedExample()};
    rows[1].workerId = 18;
    rows[2].operationId = 241;
    rows[2].colour = 4;
    std::promise<void> locked;
    std::thread other([&, theirs = rows[1]] {
        {
            QSqlDatabase db = testdb::openConnection("shift-other", testdb::databaseName());
            QSqlQuery q(db);
            db.transaction();
            q.exec(QStringLiteral("select pg_advisory_xact_lock(hashtext('%1'))")
                       .arg(entry::duplicateLockKey(theirs)));
            q.exec(entry::insertStatement(theirs));
            locked.set_value();
            // Committed once this workstation's save waits for the lock.
            QDeadlineTimer waiting(20000);
            while (!waiting.hasExpired()) {
                q.exec(
                    "select count(*) from pg_stat_activity where datname = current_database() "
                    "and wait_event_type = 'Lock'");
                if (q.next() && q.value(0).toInt() > 0)
                    break;
                QThread::msleep(20);
            }
            db.commit();
        }
        QSqlDatabase::removeDatabase("shift-other");
    });
    locked.get_future().wait();
    const entry::ShiftVerdict verdict = entry::saveShift(testdb::sharedData(), rows);
    other.join();
    EXPECT_FALSE(verdict.saved);
    EXPECT_EQ(verdict.refusals, (std::vector<QString>{"", entry::kDuplicateMessage, ""}));
    EXPECT_EQ(entryCount(), 1);  // the other workstation's alone
    EXPECT_EQ(testdb::scalar("select count(*) from accounts_dep.h_tabel").toInt(), 0);
}

TEST_F(ShiftEntry, ASavedShiftIsOneHistoryRowPerEntryAndReloadsTheJournal) {
    std::vector<entry::EntryValues> rows{workedExample(), workedExample()};
    rows[1].workerId = 18;
    rows[1].hours = QStringLiteral("5");
    int announced = 0;
    const QMetaObject::Connection c = QObject::connect(
        &data::changes(), &data::ChangeFeed::changed,
        [&](const data::Change& c) { announced += c == data::Change::journal(kNov5, 2); });
    EXPECT_TRUE(entry::saveShift(testdb::sharedData(), rows).saved);
    QObject::disconnect(c);
    EXPECT_EQ(announced, 1);
    EXPECT_EQ(entryCount(), 2);
    EXPECT_EQ(testdb::sharedData().journalOf(2)->recordCount(), 2);
    EXPECT_EQ(testdb::rows("select w_id, d5 from accounts_dep.h_tabel order by w_id"),
              (QList<QVariantList>{{17, 8}, {18, 5}}));
    EXPECT_EQ(testdb::scalar("select count(*) from accounts_dep.change_log where "
                             "table_name='smena' and action='insert'")
                  .toInt(),
              2);
}

// A foreman copies yesterday's 20-worker shift and types its quantities with the keyboard alone.
TEST_F(ShiftEntry, ATwentyWorkerShiftIsCopiedAndTypedWithTheKeyboard) {
    for (int w = 100; w < 120; ++w) {
        testdb::exec(QStringLiteral("insert into accounts_dep.person(id, fio) values (%1, "
                                    "'Работник %1')")
                         .arg(w));
        testdb::addJournalEntry({.date = kNov5.addDays(-2),
                                 .shift = 2,
                                 .worker = w,
                                 .product = 31,
                                 .operation = w % 2 ? 241 : 240,
                                 .quantity = 1,
                                 .defects = 0,
                                 .price = 1,
                                 .colour = w % 2 ? 9 : 0,
                                 .hours = 8});
    }
    int keys = 0;
    int digits = 0;
    auto press = [&](int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
        QCoreApplication::processEvents();
        ++keys;
    };
    auto typeNumber = [&](int n) {
        for (const QChar d : QString::number(n)) {
            press(Qt::Key_0 + d.digitValue());
            ++digits;
        }
    };
    bool shown = false;
    ui::setModalHook([&](QWidget* w) {
        if (w->objectName() != QLatin1String("ShiftEntryWindow"))
            return 0;
        shown = true;
        w->show();
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w));
        // The source proposed is the shift's last earlier day with entries.
        EXPECT_EQ(control<QDateEdit>(*w, "sourceDateEdit")->date(), kNov5.addDays(-2));
        EXPECT_EQ(QApplication::focusWidget(), control<QPushButton>(*w, "copyShiftButton"));
        press(Qt::Key_Space);  // "Копировать смену"
        EXPECT_EQ(shiftGrid()->rowCount(), 20);
        for (int row = 0; row < 20; ++row) {
            typeNumber(10 + row * 7);
            press(Qt::Key_Return);
        }
        press(Qt::Key_S, Qt::ControlModifier);  // "Записать"
        return w->isVisible() ? 0 : 1;
    });
    // Ctrl+Shift+N in the journal opens "Ввод смены".
    journalWindow().show();
    journalWindow().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&journalWindow()));
    journalDate()->setDate(kNov5);  // activation showed today
    control<QWidget>(journalWindow(), "DBGrid2")->setFocus();
    press(Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
    journalWindow().hide();
    ASSERT_TRUE(shown);
    std::cout << "a 20-worker shift: " << keys << " keys, " << digits << " of them digits, "
              << keys - digits << " beyond the digits\n";
    EXPECT_LE(keys - digits, 2 * 20);
    EXPECT_EQ(entryCount(), 40);
    EXPECT_EQ(testdb::scalar("select sum(kol_vo) from accounts_dep.smena where data='2022-11-05'")
                  .toInt(),
              20 * 10 + 7 * (19 * 20 / 2));
    EXPECT_EQ(testdb::scalar("select count(*) from accounts_dep.smena where data='2022-11-05' "
                             "and color=9 and time=8")
                  .toInt(),
              10);
    // Every worker's day cell, rows made for the month beside the copied day's.
    EXPECT_EQ(testdb::scalar("select count(*) from accounts_dep.h_tabel where month=11 and "
                             "year=2022 and smena=2 and d5=8")
                  .toInt(),
              20);
}

}  // namespace
