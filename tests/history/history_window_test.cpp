#include "../support/journal_entries.h"
#include "../support/message_log.h"
#include "../support/progress_cancel.h"
#include "../support/test_database.h"
#include "../support/widget_driving.h"
#include "../support/xlsx_readback.h"
#include "history_plant.h"

#include "data/data_module.h"
#include "data/session_identity.h"
#include "entry/entry_save.h"
#include "history/history_window.h"
#include "printing/painter.h"
#include "printing/preview.h"
#include "timesheet/month_rebuild.h"
#include "ui/clock.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QSqlQuery>
#include <QTableView>
#include <QToolTip>
#include "../support/app_windows.h"
#include "../support/report_items.h"

using namespace testing_support;

namespace {

using testdb::AppTest;

history::HistoryWindow& historyWindow() {
    return appWindow<history::HistoryWindow>("HistoryWindow");
}

QAction* menuItem(const char* name) {
    return control<QAction>(journalWindow(), name);
}

using history_plant::makePlant;
using history_plant::Plant;
using history_plant::psql;

void save(const Plant& p, const char* role, const QString& quantity, const QDate& date,
          std::optional<qint64> changed = {}) {
    data::setSessionRole(QString::fromLatin1(role));
    ASSERT_EQ(
        entry::saveEntry(
            testdb::sharedData(),
            {p.worker, p.product, p.operation, 1.5, quantity, "0", "8", date, 1, 0, date}, changed),
        data::Verdict::Kind::Saved);
}

// A picture of the window, in PLANT_SHOTS_DIR for whoever asks for one.
void picture(QWidget& window, const char* name) {
    if (const QString shots = qEnvironmentVariable("PLANT_SHOTS_DIR"); !shots.isEmpty())
        window.grab().save(shots + '/' + QString::fromLatin1(name));
}

// Today's entry added by the foreman with 38, changed by the administrator to 40; its id.
qint64 addedAndChanged(const Plant& p, const QDate& today) {
    save(p, "Foreman", "38", today);
    const qint64 id = testdb::scalar("select max(id) from accounts_dep.smena").toLongLong();
    save(p, "Administrator", "40", today, id);
    return id;
}

// The grid's rows as it shows them: the visible columns' texts joined by " | ".
QStringList shownRows(const history::HistoryWindow& window) {
    const auto* grid = control<QTableView>(window, "historyGrid");
    QStringList out;
    for (int r = 0; r < grid->model()->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid->model()->columnCount(); ++c)
            if (!grid->isColumnHidden(c))
                cells << grid->model()->index(r, c).data().toString();
        out << cells.join(" | ");
    }
    return out;
}

// Opens a window through a journal menu item and returns what it showed (empty when nothing
// opened), running `more` while it is open.
QStringList openedBy(
    const char* item, const std::function<void()>& more = [] {}) {
    QStringList shown;
    ModalScript script;
    script.on(&historyWindow(), [&] {
        shown = shownRows(historyWindow());
        more();
        return int(QDialog::Rejected);
    });
    menuItem(item)->trigger();
    return shown;
}

class HistoryWindowTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        // The rows carry the server's time: the window opens on the real current month.
        ui::setToday(QDate::currentDate());
        journalWindow().restrictTo(UserRole::Administrator);
    }
};

TEST_F(HistoryWindowTest, ShowsTheChangesOfTwoRolesNewestFirstAndSavesThemAsShown) {
    MessageLog log;
    const Plant p = makePlant();
    const QDate today = QDate::currentDate();
    const QString day = today.toString("dd.MM.yyyy");
    addedAndChanged(p, today);

    const QString workstation = data::thisWorkstation();
    const QString program = data::sessionIdentity().program;
    const QString object = day + ", смена 1, Иванов И.И., ЯП-1, Резка";
    QStringList exported;
    const QStringList shown = openedBy("historyMenuItem", [&] {
        picture(historyWindow(), "history-window.png");
        control<QPushButton>(historyWindow(), "historyExportButton")->click();
        const auto sheet = xlsx_readback::readSheet(historyWindow().savedWorkbook());
        for (int r = 1; r <= sheet.maxRow(); ++r) {
            QStringList cells;
            for (int c = 1; c <= sheet.maxColumn(); ++c)
                cells << sheet.cell(r, c).value.toString();
            exported << cells.join(" | ");
        }
    });
    ASSERT_EQ(shown.size(), 2) << shown.join('\n').toStdString();
    EXPECT_TRUE(shown[0].startsWith(day + " ")) << shown[0].toStdString();
    EXPECT_EQ(
        shown[0].section(" | ", 1).toStdString(),
        (QStringList{workstation, "Администратор", program, "Изменение", object, "Кол-во: 38 → 40"}
             .join(" | "))
            .toStdString());
    EXPECT_EQ(shown[1].section(" | ", 1).toStdString(),
              (QStringList{workstation, "Бригадир", program, "Добавление", object,
                           "Дата: " + day + "; Смена: 1; ФИО (код): " + QString::number(p.worker) +
                               "; Изделие (код): " + QString::number(p.product) +
                               "; Операция (код): " + QString::number(p.operation) +
                               "; Кол-во: 38; Брак: 0; Время: 8; Цена итог: 1,5; Цвет: 0; OK: "
                               "no; Заведен: " +
                               day}
                   .join(" | "))
                  .toStdString());
    // The workbook holds the grid as shown, under the columns' titles.
    EXPECT_EQ(exported,
              (QStringList{"Время | Рабочее место | Роль | Программа | Действие | Объект | "
                           "Изменения"}
               << shown));
    EXPECT_EQ(log.count(), 0) << log.texts().join('|').toStdString();
}

TEST_F(HistoryWindowTest, KindsNarrowThePeriodsRows) {
    const Plant p = makePlant();
    save(p, "Administrator", "38", QDate::currentDate());
    timesheet::rebuildMonth(testdb::sharedData(), QDate::currentDate().month(),
                            QString::number(QDate::currentDate().year()), [](int, int) {});
    const QStringList shown = openedBy("historyMenuItem", [] {
        history::HistoryWindow& w = historyWindow();
        control<QCheckBox>(w, "historyJournalCheck")->setChecked(false);
        control<QPushButton>(w, "historyShowButton")->click();
        ASSERT_EQ(w.rows().recordCount(), 1);
        EXPECT_TRUE(shownRows(w)[0].contains("Перестроение табеля | Табель " +
                                             QDate::currentDate().toString("MM.yyyy")));
        control<QCheckBox>(w, "historyMonthsCheck")->setChecked(false);
        control<QPushButton>(w, "historyShowButton")->click();
        EXPECT_EQ(w.rows().recordCount(), 0);
        // Yesterday and before holds nothing.
        control<QCheckBox>(w, "historyJournalCheck")->setChecked(true);
        control<QCheckBox>(w, "historyMonthsCheck")->setChecked(true);
        control<QDateEdit>(w, "historyToEdit")->setDate(QDate::currentDate().addDays(-1));
        control<QPushButton>(w, "historyShowButton")->click();
        EXPECT_EQ(w.rows().recordCount(), 0);
    });
    EXPECT_EQ(shown.size(), 2);
}

// A busy period is read newest first in growing parts as the grid is scrolled to its end; the
// workbook holds the whole period.
TEST_F(HistoryWindowTest, ABusyPeriodIsReadInPartsAsTheGridIsScrolledAndSavedWhole) {
    testdb::exec(
        "insert into accounts_dep.change_log (changed_at, table_name, row_id, action, row_key, "
        "new_values, workstation, program) select now() - n * interval '1 minute', 'person', n, "
        "'insert', jsonb_build_object('fio', 'Рабочий ' || n), jsonb_build_object('fio', "
        "'Рабочий ' || n), 'цех', 'psql' from generate_series(1, 70) n");
    auto workers = [](const history::HistoryWindow& w) {
        QStringList out;
        for (const QString& row : shownRows(w))
            out << row.section(" | ", 5, 5).section(' ', 2);
        return out.join(',');
    };
    int exportedRows = 0;
    openedBy("historyMenuItem", [&] {
        history::HistoryWindow& w = historyWindow();
        w.setFirstRows(30);
        control<QPushButton>(w, "historyShowButton")->click();
        EXPECT_EQ(w.rows().recordCount(), 30);
        EXPECT_TRUE(workers(w).startsWith("1,2,3,"));
        const auto* title = control<QLabel>(w, "historyTitleLabel");
        EXPECT_TRUE(
            title->text().endsWith(": последние 30, более ранние читаются при прокрутке вниз"))
            << title->text().toStdString();

        // Scrolled to the last row: the next part is read, the current row and the view stay.
        auto* grid = control<QTableView>(w, "historyGrid");
        w.show();
        QApplication::processEvents();
        w.rows().setRecNo(2);
        QScrollBar* scroll = grid->verticalScrollBar();
        ASSERT_GT(scroll->maximum(), 0);
        scroll->setValue(scroll->maximum() - 1);
        const int shownAt = scroll->value();
        EXPECT_EQ(w.rows().recordCount(), 30);
        scroll->setValue(scroll->maximum());
        EXPECT_EQ(w.rows().recordCount(), 60);
        EXPECT_EQ(w.rows().recNo(), 2);
        EXPECT_GE(scroll->value(), shownAt);
        scroll->setValue(scroll->maximum());
        EXPECT_EQ(w.rows().recordCount(), 70);
        EXPECT_TRUE(workers(w).endsWith(",69,70"));
        EXPECT_FALSE(w.hasEarlierRows());
        EXPECT_FALSE(title->text().contains("последние"));

        // Back to the first part: the workbook still holds the whole period.
        control<QPushButton>(w, "historyShowButton")->click();
        ASSERT_EQ(w.rows().recordCount(), 30);
        control<QPushButton>(w, "historyExportButton")->click();
        exportedRows = xlsx_readback::readSheet(w.savedWorkbook()).maxRow() - 1;
        w.hide();
    });
    EXPECT_EQ(exportedRows, 70);
}

// The whole period's workbook while another workstation holds the history: the progress window
// is there within a second, its "Отмена" ends the server's statement within a second, and
// nothing is left: no statement, kept rows, transaction or workbook.
TEST_F(HistoryWindowTest, ABusyPeriodsWorkbookCancelledWhileTheServerReadsLeavesNothing) {
    testdb::exec(
        "insert into accounts_dep.change_log (changed_at, table_name, row_id, action, row_key, "
        "new_values, workstation, program) select now() - n * interval '1 minute', 'person', n, "
        "'insert', jsonb_build_object('fio', 'Рабочий ' || n), jsonb_build_object('fio', "
        "'Рабочий ' || n), 'цех', 'psql' from generate_series(1, 40) n");
    const QDir exports(qEnvironmentVariable("PLANT_EXPORT_DIR"));
    const QStringList files = exports.entryList(QDir::Files | QDir::Hidden);
    MessageLog log;
    openedBy("historyMenuItem", [&] {
        history::HistoryWindow& w = historyWindow();
        w.setFirstRows(30);
        control<QPushButton>(w, "historyShowButton")->click();
        ASSERT_TRUE(w.hasEarlierRows());
        QSqlDatabase other = testdb::openConnection("holder", testdb::databaseName());
        ASSERT_TRUE(other.transaction());
        QSqlQuery hold(other);
        ASSERT_TRUE(hold.exec("lock table accounts_dep.change_log in access exclusive mode"));
        ASSERT_TRUE(hold.exec("select pg_backend_pid()") && hold.next());
        const int holder = hold.value(0).toInt();

        CancelWhenShown cancel(w);
        control<QPushButton>(w, "historyExportButton")->click();
        const qint64 ended = cancel.elapsed();
        ASSERT_GE(cancel.shownAt, 0) << "no progress window";
        EXPECT_LT(cancel.shownAt, 1000);
        EXPECT_EQ(cancel.waitingForLock, 1);
        EXPECT_LT(ended - cancel.cancelledAt, 1000);
        EXPECT_EQ(busySessions(holder), QStringList{});
        EXPECT_EQ(temporaryTables(), 0);
        EXPECT_EQ(exports.entryList(QDir::Files | QDir::Hidden), files);
        EXPECT_EQ(w.rows().recordCount(), 30);  // the grid as it was

        ASSERT_TRUE(other.rollback());
        control<QPushButton>(w, "historyExportButton")->click();
        EXPECT_EQ(xlsx_readback::readSheet(w.savedWorkbook()).maxRow() - 1, 40);
    });
    EXPECT_EQ(log.count(), 0) << log.texts().join("; ").toStdString();
}

TEST_F(HistoryWindowTest, AnEntrysOwnHistoryFromTheJournalAndOfADeletedOneFromTheWindow) {
    const Plant p = makePlant();
    const QDate today = QDate::currentDate();
    save(p, "Foreman", "38", today);
    const qint64 first = testdb::scalar("select max(id) from accounts_dep.smena").toLongLong();
    save(p, "Foreman", "5", today.addDays(-40));  // another entry, another date
    save(p, "Administrator", "40", today, first);
    journalWindow().windowActivated();  // today's journal: the first entry
    ASSERT_TRUE(journalWindow().currentJournal()->locate("id", first));

    const QStringList own = openedBy("entryHistoryMenuItem");
    EXPECT_EQ(menuItem("entryHistoryMenuItem")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_H));
    ASSERT_EQ(own.size(), 2) << own.join(" / ").toStdString();
    EXPECT_TRUE(own[0].contains("| Изменение |"));
    EXPECT_TRUE(own[1].contains("| Добавление |"));

    // Deleted by another program; its history is reached from the window's row of the deletion.
    psql({"-c", QStringLiteral("delete from accounts_dep.smena where id = %1").arg(first)});
    QStringList ofDeleted;
    openedBy("historyMenuItem", [&] {
        history::HistoryWindow& w = historyWindow();
        ASSERT_TRUE(w.rows().locate("what", "smena:delete"));
        control<QPushButton>(w, "rowHistoryButton")->click();
        ofDeleted = shownRows(w);
        EXPECT_TRUE(control<QLabel>(w, "historyTitleLabel")->text().startsWith("История записи: "));
    });
    ASSERT_EQ(ofDeleted.size(), 3) << ofDeleted.join(" / ").toStdString();
    EXPECT_TRUE(ofDeleted[0].contains("| Другая программа | psql | Удаление |"));
    EXPECT_TRUE(ofDeleted[1].contains("| Изменение |"));
    EXPECT_TRUE(ofDeleted[2].contains("| Добавление |"));
}

TEST_F(HistoryWindowTest, CtrlHOnAnEmptyJournalSaysThereIsNoEntry) {
    makePlant();
    journalWindow().windowActivated();
    ASSERT_TRUE(journalWindow().currentJournal()->isEmpty());
    MessageLog log;
    ModalScript script;
    menuItem("entryHistoryMenuItem")->trigger();
    EXPECT_TRUE(script.shown.isEmpty()) << script.shown.join('|').toStdString();
    ASSERT_EQ(log.count(), 1);
    EXPECT_EQ(log.messages()[0].text,
              "Журнал смены пуст: нет записи, историю которой можно показать.");
    EXPECT_EQ(log.messages()[0].caption, "История записи");
    EXPECT_EQ(log.messages()[0].icon, ui::Icon::Information);
}

// While one entry's history is shown, the period and kinds do not apply: their boxes are
// disabled and show the dates of the entry's first and last change; "Назад к периоду" shows the
// period shown before, even when its boxes were changed meanwhile.
TEST_F(HistoryWindowTest, AnEntrysHistoryShowsItsSpanAndGoesBackToThePeriod) {
    const Plant p = makePlant();
    const QDate today = QDate::currentDate();
    const qint64 id = addedAndChanged(p, today);
    // An earlier change of the entry, twelve days ago.
    testdb::exec(
        QStringLiteral(
            "insert into accounts_dep.change_log (changed_at, table_name, row_id, action, "
            "row_key, old_values, new_values, workstation, program) select changed_at - "
            "interval '12 days', table_name, row_id, 'update', row_key, '{\"kol_vo\": 30}', "
            "'{\"kol_vo\": 38}', workstation, program from accounts_dep.change_log where "
            "table_name = 'smena' and row_id = %1 and action = 'insert'")
            .arg(id));
    journalWindow().windowActivated();
    ASSERT_TRUE(journalWindow().currentJournal()->locate("id", id));
    const QDate monthStart(today.year(), today.month(), 1);
    const QDate monthEnd(today.year(), today.month(), today.daysInMonth());

    const char* const periodControls[] = {
        "historyFromEdit",     "historyToEdit",      "historyShowButton", "rowHistoryButton",
        "historyJournalCheck", "historyPricesCheck", "historyBooksCheck", "historyMonthsCheck"};
    auto expectRowShown = [&](bool row) {
        history::HistoryWindow& w = historyWindow();
        EXPECT_EQ(w.showsRow(), row);
        for (const char* name : periodControls)
            EXPECT_EQ(control<QWidget>(w, name)->isEnabled(), !row) << name;
        EXPECT_EQ(control<QPushButton>(w, "historyPeriodButton")->isEnabled(), row);
    };
    auto boxes = [] {
        return std::make_pair(control<QDateEdit>(historyWindow(), "historyFromEdit")->date(),
                              control<QDateEdit>(historyWindow(), "historyToEdit")->date());
    };
    const QStringList own = openedBy("entryHistoryMenuItem", [&] {
        history::HistoryWindow& w = historyWindow();
        expectRowShown(true);
        EXPECT_EQ(boxes(), std::make_pair(today.addDays(-12), today));
        picture(w, "history-row.png");
        EXPECT_EQ(control<QLabel>(w, "historyTitleLabel")->text(),
                  "История записи: " + today.toString("dd.MM.yyyy") +
                      ", смена 1, Иванов И.И., ЯП-1, Резка");

        control<QPushButton>(w, "historyPeriodButton")->click();
        expectRowShown(false);
        EXPECT_EQ(boxes(), std::make_pair(monthStart, monthEnd));
        EXPECT_TRUE(control<QLabel>(w, "historyTitleLabel")->text().startsWith("Изменения с "));
        const int periodRows = w.rows().recordCount();

        // Boxes changed without "Показать", then a row's history and back: the period shown.
        control<QDateEdit>(w, "historyFromEdit")->setDate(today.addYears(-1));
        ASSERT_TRUE(w.rows().locate("what", "smena:insert"));
        control<QPushButton>(w, "rowHistoryButton")->click();
        expectRowShown(true);
        EXPECT_EQ(w.rows().recordCount(), 3);
        control<QPushButton>(w, "historyPeriodButton")->click();
        expectRowShown(false);
        EXPECT_EQ(boxes(), std::make_pair(monthStart, monthEnd));
        EXPECT_EQ(w.rows().recordCount(), periodRows);
    });
    ASSERT_EQ(own.size(), 3) << own.join(" / ").toStdString();
    EXPECT_TRUE(own[2].contains("| Кол-во: 30 → 38")) << own[2].toStdString();

    // Opened again from the journal's menu, the window shows the period with its boxes enabled.
    openedBy("historyMenuItem", [&] { expectRowShown(false); });
}

// A cell its column cuts shows the whole text on hover; a cell shown whole shows no tip.
TEST_F(HistoryWindowTest, ACutCellShowsItsWholeTextOnHover) {
    const Plant p = makePlant();
    save(p, "Foreman", "38", QDate::currentDate());
    openedBy("historyMenuItem", [&] {
        history::HistoryWindow& w = historyWindow();
        w.show();
        QApplication::processEvents();
        auto* grid = control<QTableView>(w, "historyGrid");
        auto tipAt = [grid](const char* field) {
            QToolTip::hideText();
            const QRect cell = grid->visualRect(
                grid->model()->index(0, views::columnOf(grid, QString::fromLatin1(field))));
            QHelpEvent event(QEvent::ToolTip, cell.center(),
                             grid->viewport()->mapToGlobal(cell.center()));
            QApplication::sendEvent(grid->viewport(), &event);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        };
        const QString changes = grid->model()
                                    ->index(0, views::columnOf(grid, QStringLiteral("changes")))
                                    .data()
                                    .toString();
        ASSERT_GT(changes.size(), 150);  // an addition lists every field
        EXPECT_EQ(tipAt("object"), "");
        const QString tip = tipAt("changes");
        EXPECT_TRUE(tip.contains(changes)) << tip.toStdString();
        QToolTip::hideText();
        w.hide();
    });
}

// "Печать" prints the rows shown, as the grid shows them, through the report engine: under the
// columns' titles, every text whole (long ones wrapped in their column).
TEST_F(HistoryWindowTest, PrintingPreviewsTheRowsShownWhole) {
    const Plant p = makePlant();
    const QDate today = QDate::currentDate();
    addedAndChanged(p, today);
    std::optional<printing::PreparedReport> printed;
    printing::setPreviewHook([&](const printing::PreparedReport& r) { printed = r; });
    QStringList shown;
    MessageLog log;
    openedBy("historyMenuItem", [&] {
        history::HistoryWindow& w = historyWindow();
        control<QCheckBox>(w, "historyBooksCheck")->setChecked(false);
        control<QPushButton>(w, "historyShowButton")->click();
        shown = shownRows(w);
        control<QPushButton>(w, "historyPrintButton")->click();
    });
    printing::clearPreviewHook();
    EXPECT_EQ(log.count(), 0) << log.texts().join('|').toStdString();
    ASSERT_TRUE(printed);
    // A picture of the printed page for whoever asks for one.
    if (const QString shots = qEnvironmentVariable("PLANT_SHOTS_DIR"); !shots.isEmpty()) {
        QImage page(2970, 2100, QImage::Format_RGB32);  // 254 dpi
        page.setDotsPerMeterX(10000);
        page.setDotsPerMeterY(10000);
        page.fill(Qt::white);
        QPainter painter(&page);
        printing::paintPage(painter, printed->pages[0], printed->styles);
        painter.end();
        page.save(shots + "/history-print.png");
    }
    ASSERT_EQ(shown.size(), 2);
    const printing::PreparedReport& r = *printed;
    EXPECT_EQ(r.orientation, printing::Orientation::Landscape);
    ASSERT_EQ(r.pages.size(), 1u);
    const QStringList texts = allTexts(r);
    const QDate from(today.year(), today.month(), 1);
    const QString heading =
        "Изменения с " + from.toString("dd.MM.yyyy") + " по " +
        QDate(today.year(), today.month(), today.daysInMonth()).toString("dd.MM.yyyy") +
        " (Журнал, Цены и операции, Месяцы)";
    ASSERT_GE(texts.size(), 8);
    EXPECT_EQ(texts[0], heading);
    EXPECT_EQ(texts.mid(1, 7), (QStringList{"Время", "Рабочее место", "Роль", "Программа",
                                            "Действие", "Объект", "Изменения"}));
    // Each row's cells in the grid's order, the long list of an addition's fields whole.
    EXPECT_EQ(texts.mid(8, 14).join(" | "), shown.join(" | "));
    EXPECT_TRUE(misfits(r).isEmpty()) << misfits(r).join('\n').toStdString();
}

TEST_F(HistoryWindowTest, OnlyTheAdministratorAndTheReviewerOpenIt) {
    makePlant();
    const std::pair<UserRole, bool> roles[] = {{UserRole::Foreman, false},
                                               {UserRole::Storekeeper, false},
                                               {UserRole::Reviewer, true},
                                               {UserRole::Administrator, true}};
    for (const auto& [role, reads] : roles) {
        SCOPED_TRACE(login::roleName(role).toStdString());
        journalWindow().restrictTo(role);
        EXPECT_EQ(menuItem("historyMenuItem")->isEnabled(), reads);
        EXPECT_EQ(menuItem("entryHistoryMenuItem")->isEnabled(), reads);
        // Even reached around the menu (its shortcut, a direct call), it opens only for them.
        ModalScript script;
        journalWindow().openHistory();
        EXPECT_EQ(script.shown.size(), reads ? 1 : 0);
    }
}

TEST_F(HistoryWindowTest, ADatabaseNotUpgradedSaysSoAndWorksAsBefore) {
    const Plant p = makePlant();
    testdb::exec("DROP TABLE accounts_dep.change_log CASCADE");
    testdb::exec(
        "DROP FUNCTION accounts_dep.change_log_row, accounts_dep.note_month_rebuild, "
        "accounts_dep.change_log_timesheet_delete, accounts_dep.change_log_write, "
        "accounts_dep.change_log_refuse, accounts_dep.change_log_timesheet_cells, "
        "accounts_dep.change_log_contractor, accounts_dep.cell_write_noted, "
        "accounts_dep.month_rebuilt_here CASCADE");
    MessageLog log;
    // Saves and the rebuild go on without a history.
    save(p, "Administrator", "38", QDate::currentDate());
    timesheet::rebuildMonth(testdb::sharedData(), QDate::currentDate().month(),
                            QString::number(QDate::currentDate().year()), [](int, int) {});
    EXPECT_EQ(testdb::scalar("select count(*) from accounts_dep.h_tabel").toInt(), 1);
    journalWindow().windowActivated();  // today's journal, on the entry
    // The window opens and says so itself, with nothing to choose; both ways in alike.
    for (const char* item : {"historyMenuItem", "entryHistoryMenuItem"}) {
        SCOPED_TRACE(item);
        QString title;
        bool anythingToChoose = true;
        EXPECT_TRUE(
            openedBy(item, [&] {
                history::HistoryWindow& w = historyWindow();
                title = control<QLabel>(w, "historyTitleLabel")->text();
                if (const QString shots = qEnvironmentVariable("PLANT_SHOTS_DIR"); !shots.isEmpty())
                    w.grab().save(shots + "/history-not-upgraded.png");
                anythingToChoose = control<QPushButton>(w, "historyShowButton")->isEnabled() ||
                                   control<QPushButton>(w, "historyExportButton")->isEnabled() ||
                                   control<QPushButton>(w, "rowHistoryButton")->isEnabled() ||
                                   control<QPushButton>(w, "historyPrintButton")->isEnabled() ||
                                   control<QPushButton>(w, "historyPeriodButton")->isEnabled() ||
                                   control<QDateEdit>(w, "historyFromEdit")->isEnabled() ||
                                   control<QCheckBox>(w, "historyMonthsCheck")->isEnabled();
            }).isEmpty());
        EXPECT_EQ(title, history::HistoryWindow::notUpgradedMessage());
        EXPECT_FALSE(anythingToChoose);
    }
    EXPECT_EQ(log.count(), 0);

    psql({"-f", qEnvironmentVariable("PLANT_SOURCE_DIR") + "/db/upgrade/02-change-log.sql"});
    // Upgraded meanwhile (before its reasons were kept): the history shows again.
    EXPECT_EQ(openedBy("historyMenuItem").size(), 0);
    EXPECT_EQ(log.count(), 0);
    EXPECT_TRUE(control<QPushButton>(historyWindow(), "historyShowButton")->isEnabled());
}

}  // namespace
