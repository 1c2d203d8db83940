// The report window's four runs: period, product kind, title, preview, query closed afterwards.
#include "../support/report_items.h"
#include "report_fixture.h"

#include "data/dataset.h"
#include "data/statement_runner.h"
#include "reports/report_window.h"
#include "ui/error_display.h"

#include <QElapsedTimer>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimer>
#include <functional>
#include "../support/app_windows.h"

using namespace testing_support;

namespace {

using printing::PreparedKind;
using reports_test::ReportTest;

struct ReportRun {
    const char* button;  // the report window's button that runs it
    std::function<reports::PeriodReport*()> report;
    const char* heading;
    double quantityAt;  // left of the detail kolvo
    double totalAt;     // left of the report footer's last sum
    const char* emptyTotal;
};

const ReportRun kRuns[] = {
    {"Button4", [] { return (reports::PeriodReport*)&workersReport(); },
     "   Отчет по рабочим за период с ", 137.8, 160.9, "0,00"},
    {"Button2", [] { return (reports::PeriodReport*)&productsReport(); },
     "   Отчет по продукции за период с ", 163.0, 160.9, "0"},
    {"Button1", [] { return (reports::PeriodReport*)&detailedWorkersReport(); },
     "   Детальный отчет по рабочим за период с ", 146.3, 165.9, "0,00"},
    {"Button3", [] { return (reports::PeriodReport*)&detailedProductsReport(); },
     "   Детальный отчет по продукции за период с ", 152.1, 169.9, "0,00"},
};

class ReportRunTest : public ReportTest {
protected:
    void plant() {
        worker(1, "Иванов И.И.");
        product(10, "М-10", "Ящик", 0.25);
        operationKind(1, "Сборка");
        operation(100, 1, 0, 10);
    }
};

TEST_F(ReportRunTest, PeriodIsHalfOpenAndTitled) {
    plant();
    entry({2022, 10, 31}, 1, 10, 100, 11, 0, 2);
    entry({2022, 11, 1}, 1, 10, 100, 3, 0, 2);
    entry({2022, 11, 30}, 1, 10, 100, 5, 0, 2);
    entry({2022, 12, 1}, 1, 10, 100, 7, 0, 2);
    choose({2022, 11, 1}, {2022, 12, 1});
    for (const ReportRun& run : kRuns) {
        SCOPED_TRACE(run.button);
        previews.clear();
        control<QPushButton>(reportWindow(), run.button)->click();
        ASSERT_EQ(previews.size(), 1u);
        const QStringList texts = allTexts(previews[0]);
        EXPECT_TRUE(texts.contains(QString::fromUtf8(run.heading) + "01.11.2022 по 01.12.2022"))
            << texts.join('|').toStdString();
        EXPECT_EQ(run.report()->title(),
                  QString::fromUtf8(run.heading) + "01.11.2022 по 01.12.2022");
        // 01.11 and 30.11 are in; 31.10 and 01.12 are not.
        EXPECT_EQ(textsAt(previews[0], PreparedKind::Field, run.quantityAt), QStringList{"8"});
        EXPECT_FALSE(run.report()->query().isOpen());
    }
    EXPECT_EQ(messages.count(), 0);
}

TEST_F(ReportRunTest, ReversedPeriodStillPreviewsEmptyReports) {
    plant();
    entry({2022, 11, 30}, 1, 10, 100, 5, 0, 2);
    choose({2022, 12, 1}, {2022, 11, 1});
    for (const ReportRun& run : kRuns) {
        SCOPED_TRACE(run.button);
        previews.clear();
        control<QPushButton>(reportWindow(), run.button)->click();
        ASSERT_EQ(previews.size(), 1u);
        ASSERT_EQ(previews[0].pages.size(), 1u);
        const QStringList texts = previews[0].texts(0);
        EXPECT_TRUE(texts.contains(QString::fromUtf8(run.heading) + "01.12.2022 по 01.11.2022"));
        EXPECT_TRUE(texts.contains("Итого:"));
        EXPECT_TRUE(texts.contains("1"));  // page number
        EXPECT_EQ(textsAt(previews[0], PreparedKind::Field, run.quantityAt), QStringList{});
        EXPECT_EQ(textsAt(previews[0], PreparedKind::Sum, run.totalAt),
                  QStringList{QString::fromUtf8(run.emptyTotal)});
    }
    EXPECT_EQ(messages.count(), 0);
}

TEST_F(ReportRunTest, BlanksLimitRowsAndEverySum) {
    plant();
    operationKind(2, "Резка");
    operation(101, 2, 1, 10);
    entry({2022, 11, 5}, 1, 10, 100, 5, 1, 2);  // finished goods
    entry({2022, 11, 6}, 1, 10, 101, 3, 1, 4);  // blanks: 2 good, 8 money
    choose({2022, 11, 1}, {2022, 12, 1}, reports::ProductKindChoice::Blanks);

    reportWindow().run(detailedProductsReport());
    ASSERT_EQ(previews.size(), 1u);
    const auto& r = previews[0];
    EXPECT_EQ(textsAt(r, PreparedKind::Computed, 99.5), QStringList{"Заготовки"});
    // Group footer and report footer: brk, mass, kolvo, summa of the blank row only.
    EXPECT_EQ(textsAt(r, PreparedKind::Sum, 124.4), (QStringList{"1", "1"}));
    EXPECT_EQ(textsAt(r, PreparedKind::Sum, 132.8), (QStringList{"0,75", "0,75"}));
    EXPECT_EQ(textsAt(r, PreparedKind::Sum, 152.1), (QStringList{"3", "3"}));
    EXPECT_EQ(textsAt(r, PreparedKind::Sum, 169.9), (QStringList{"8,00", "8,00"}));
    EXPECT_EQ(detailedProductsReport().query().filter(), "naimen=1");

    choose({2022, 11, 1}, {2022, 12, 1}, reports::ProductKindChoice::Finished);
    reportWindow().run(workersReport());
    ASSERT_EQ(previews.size(), 2u);
    EXPECT_EQ(textsAt(previews[1], PreparedKind::Computed, 13.2), QStringList{"Готовая продукция"});
    EXPECT_EQ(textsAt(previews[1], PreparedKind::Sum, 160.9), QStringList{"8,00"});

    choose({2022, 11, 1}, {2022, 12, 1}, reports::ProductKindChoice::All);
    reportWindow().run(workersReport());
    ASSERT_EQ(previews.size(), 3u);
    EXPECT_FALSE(workersReport().query().isFiltered());
    EXPECT_EQ(textsAt(previews[2], PreparedKind::Sum, 160.9), QStringList{"16,00"});
}

TEST_F(ReportRunTest, WorkerReportCountsGoodPiecesDetailedCountsAllWithDefects) {
    plant();
    entry({2022, 11, 5}, 1, 10, 100, 10, 2, 1.5);
    choose({2022, 11, 1}, {2022, 12, 1});

    reportWindow().run(workersReport());
    reportWindow().run(detailedWorkersReport());
    ASSERT_EQ(previews.size(), 2u);
    const auto& plain = previews[0];
    const auto& detailed = previews[1];
    EXPECT_EQ(textsAt(plain, PreparedKind::Field, 137.8), QStringList{"8"});
    EXPECT_EQ(textsAt(plain, PreparedKind::Field, 163.0), QStringList{"12,000"});
    EXPECT_EQ(textsAt(plain, PreparedKind::Sum, 160.9), QStringList{"12,00"});
    EXPECT_EQ(textsAt(detailed, PreparedKind::Field, 146.3), QStringList{"10"});
    EXPECT_EQ(textsAt(detailed, PreparedKind::Field, 128.1), QStringList{"2"});
    EXPECT_EQ(textsAt(detailed, PreparedKind::Field, 169.9), QStringList{"12,00"});
    EXPECT_EQ(textsAt(detailed, PreparedKind::Sum, 165.9), QStringList{"12,00"});
}

TEST_F(ReportRunTest, FailingQueryEndsTheRunWithoutPreviewAndNextRunFetchesAfresh) {
    plant();
    entry({2022, 11, 5}, 1, 10, 100, 4, 0, 1);
    choose({2022, 11, 1}, {2022, 12, 1});
    const QString good = workersReport().query().sql();
    workersReport().query().setSql("select no_such_column from accounts_dep.smena");
    ui::runGuarded([] { reportWindow().run(workersReport()); });
    workersReport().query().setSql(good);
    EXPECT_EQ(previews.size(), 0u);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.messages()[0].caption, "Ошибка");

    reportWindow().run(workersReport());
    ASSERT_EQ(previews.size(), 1u);
    EXPECT_EQ(textsAt(previews[0], PreparedKind::Field, 137.8), QStringList{"4"});
}

// "Отмена" in the progress window, pressed at the first report of the rows read or of the pages
// laid out, ends the run there: no preview, nothing left open on the server (cursor, transaction,
// kept rows), and the next run previews the report.
TEST_F(ReportRunTest, CancelWhileReadingOrLayingOutLeavesNothingOpen) {
    plant();
    // 3,000 rows of the detailed workers report (a colour each): many blocks, many pages.
    testdb::exec(
        "insert into accounts_dep.smena(data, smena, w_id, i_id, o_id, kol_vo, brak, cena, "
        "color, time, ok, prize) select date '2022-11-05', 1, 1, 10, 100, 1, 0, 2, g, 8, 'no', 0 "
        "from generate_series(1, 3000) g");
    choose({2022, 11, 1}, {2022, 12, 1});
    auto* dialog = reportWindow().findChild<QProgressDialog*>("reportProgress");
    ASSERT_NE(dialog, nullptr);
    auto* bar = dialog->findChild<QProgressBar*>();
    QPushButton* cancel = nullptr;
    for (QPushButton* b : dialog->findChildren<QPushButton*>())
        if (b->text() == "Отмена")
            cancel = b;
    ASSERT_NE(cancel, nullptr);

    for (const char* stage : {"Прочитано строк", "Подготовлено страниц"}) {
        SCOPED_TRACE(stage);
        previews.clear();
        int pressed = 0;
        const auto watch = QObject::connect(bar, &QProgressBar::valueChanged, [&] {
            if (pressed == 0 && dialog->labelText().startsWith(QString::fromUtf8(stage))) {
                ++pressed;
                cancel->click();
            }
        });
        reportWindow().run(detailedWorkersReport());
        QObject::disconnect(watch);
        EXPECT_EQ(pressed, 1);
        EXPECT_TRUE(previews.empty());
        EXPECT_FALSE(detailedWorkersReport().query().isOpen());
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(testdb::scalar("select count(*) from pg_stat_activity where datname = "
                                 "current_database() and pid <> pg_backend_pid() and "
                                 "(state <> 'idle' or backend_xid is not null)")
                      .toInt(),
                  0);
        EXPECT_EQ(
            testdb::scalar("select count(*) from pg_class where relpersistence = 't'").toInt(), 0);

        reportWindow().run(detailedWorkersReport());
        ASSERT_EQ(previews.size(), 1u);
        EXPECT_EQ(textsAt(previews[0], PreparedKind::Sum, 165.9), QStringList{"6000,00"});
    }
    EXPECT_EQ(messages.count(), 0);
}

// The progress window's "Отмена" button.
QPushButton* cancelButtonOf(QProgressDialog* dialog) {
    for (QPushButton* b : dialog->findChildren<QPushButton*>())
        if (b->text() == "Отмена")
            return b;
    return nullptr;
}

// Sessions of the test database other than the checking one and `except` that work on a
// statement or hold a transaction.
int busySessions(int except = 0) {
    return testdb::scalar(QString("select count(*) from pg_stat_activity where datname = "
                                  "current_database() and pid <> pg_backend_pid() and pid <> %1 "
                                  "and (state <> 'idle' or backend_xid is not null or "
                                  "backend_xmin is not null)")
                              .arg(except))
        .toInt();
}

// The report's statement waits for the journal, held by another workstation: the progress window
// is there within a second, and its "Отмена" ends the server's statement within a second, leaving
// no statement, kept rows or transaction behind; once the journal is free the report runs.
TEST_F(ReportRunTest, CancelWhileTheServerRunsTheStatementEndsItAtOnce) {
    plant();
    entry({2022, 11, 5}, 1, 10, 100, 5, 0, 2);
    choose({2022, 11, 1}, {2022, 12, 1});
    QSqlDatabase other = testdb::openConnection("holder", testdb::databaseName());
    ASSERT_TRUE(other.transaction());
    QSqlQuery hold(other);
    ASSERT_TRUE(hold.exec("lock table accounts_dep.smena in access exclusive mode"))
        << hold.lastError().text().toStdString();
    const int holder = testdb::scalar(
                           "select pid from pg_locks where relation = "
                           "'accounts_dep.smena'::regclass and mode = "
                           "'AccessExclusiveLock' and granted")
                           .toInt();

    auto* dialog = reportWindow().findChild<QProgressDialog*>("reportProgress");
    ASSERT_NE(dialog, nullptr);
    QPushButton* cancel = cancelButtonOf(dialog);
    ASSERT_NE(cancel, nullptr);
    QElapsedTimer clock;
    qint64 shownAt = -1;
    qint64 cancelledAt = -1;
    int waitingOnServer = 0;
    QTimer look;
    look.setInterval(20);
    QObject::connect(&look, &QTimer::timeout, [&] {
        if (shownAt >= 0 || !dialog->isVisible())
            return;
        shownAt = clock.elapsed();
        // The statement is on the server, waiting for the journal.
        waitingOnServer = testdb::scalar(QString("select count(*) from pg_stat_activity where "
                                                 "datname = current_database() and state = "
                                                 "'active' and wait_event_type = 'Lock' and "
                                                 "query like 'create temp table%%'"))
                              .toInt();
        cancelledAt = clock.elapsed();
        cancel->click();
    });
    clock.start();
    look.start();
    reportWindow().run(detailedWorkersReport());
    const qint64 ended = clock.elapsed();
    look.stop();

    ASSERT_GE(shownAt, 0);
    EXPECT_LT(shownAt, 1000);
    EXPECT_EQ(waitingOnServer, 1);
    EXPECT_LT(ended - cancelledAt, 1000);
    EXPECT_TRUE(previews.empty());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(detailedWorkersReport().query().isOpen());
    EXPECT_EQ(busySessions(holder), 0);
    EXPECT_EQ(testdb::scalar("select count(*) from pg_class where relpersistence = 't'").toInt(),
              0);
    EXPECT_EQ(messages.count(), 0);

    ASSERT_TRUE(other.rollback());
    reportWindow().run(detailedWorkersReport());
    ASSERT_EQ(previews.size(), 1u);
    EXPECT_EQ(textsAt(previews[0], PreparedKind::Sum, 165.9), QStringList{"10,00"});
}

// The detailed workers report reads its kept rows by the number each took in the statement's
// order, not in the order the server happens to store them: with the first rows moved to the end
// of the kept table (a plain read then returns them last) the printed report is the same.
TEST_F(ReportRunTest, KeptRowsPrintInTheStatementsOrderHoweverTheServerStoresThem) {
    for (int w = 1; w <= 4; ++w)
        worker(w, QString("Работник %1").arg(QChar(u'Г' - w)));
    for (int p = 1; p <= 3; ++p)
        product(10 + p, QString("М-%1").arg(4 - p), "Ящик", 0.25);
    operationKind(1, "Сборка");
    for (int p = 1; p <= 3; ++p)
        operation(100 + p, 1, 0, 10 + p);
    for (int w = 1; w <= 4; ++w)
        for (int p = 1; p <= 3; ++p)
            entry({2022, 11, 5}, w, 10 + p, 100 + p, w * 10 + p, 0, 1);
    choose({2022, 11, 1}, {2022, 12, 1});
    reportWindow().run(detailedWorkersReport());
    ASSERT_EQ(previews.size(), 1u);
    const QStringList inOrder = previews[0].texts(0);
    ASSERT_GT(inOrder.size(), 20);

    int firstStored = 0;
    data::setKeptResultObserver([&](const QSqlDatabase& db) {
        data::runStatement(db,
                           "update pg_temp.plant_rows_in_parts set plant_row_number = "
                           "plant_row_number where plant_row_number <= 5");
        QSqlQuery q = data::runStatement(
            db, "select plant_row_number from pg_temp.plant_rows_in_parts limit 1");
        firstStored = q.next() ? q.value(0).toInt() : 0;
    });
    reportWindow().run(detailedWorkersReport());
    data::setKeptResultObserver(nullptr);
    EXPECT_EQ(firstStored, 6);  // the server now returns the kept rows in another order
    ASSERT_EQ(previews.size(), 2u);
    EXPECT_EQ(previews[1].texts(0), inOrder);
}

}  // namespace
