// "Отмена" of the month rebuild and of the timesheet's workbook while the server works on their
// statement: the server's work ends at once and nothing of them is left.
#include "../support/message_log.h"
#include "../support/progress_cancel.h"
#include "timesheet_fixture.h"

#include "data/transaction.h"
#include "timesheet/timesheet_print_layout.h"

#include <QDir>
#include <QProgressBar>
#include <QPushButton>
#include <QSqlError>
#include <QTimer>
#include "../support/app_controls.h"
#include "../support/app_windows.h"

using namespace testing_support;

namespace {

using namespace timesheet_fixture;
using testdb::AppTest;

// Another workstation in a transaction that holds what a statement of the client waits for.
class Holder {
public:
    explicit Holder(const QString& statement)
        : db_(testdb::openConnection("holder", testdb::databaseName())) {
        EXPECT_TRUE(db_.transaction());
        QSqlQuery q(db_);
        EXPECT_TRUE(q.exec(statement)) << q.lastError().text().toStdString();
        EXPECT_TRUE(q.exec("select pg_backend_pid()") && q.next());
        pid = q.value(0).toInt();
    }
    ~Holder() { release(); }
    void release() {
        if (db_.isOpen())
            db_.rollback();
    }
    int pid = 0;

private:
    QSqlDatabase db_;
};

QString lockingWhole(const QString& table) {
    return "lock table " + table + " in access exclusive mode";
}

QStringList exportedFiles() {
    QDir dir(qEnvironmentVariable("PLANT_EXPORT_DIR"));
    return dir.entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// The rebuild waiting for the month (another workstation's save holds it) or in its insert (the
// journal held): the progress window is there within a second, and its "Отмена" ends the
// server's statement within a second and rolls the rebuild back.
TEST_F(AppTest, RebuildCancelledWhileTheServerWorksLeavesTheMonthAsItWas) {
    const auto [a, b] = addMarchToRebuild();
    const QStringList before = monthRows(3, 2022);
    choose(&timesheetWindow(), 3, 2022);

    for (const QString& held :
         {QString("select pg_advisory_xact_lock_shared(hashtext('h_tabel:3:2022'))"),
          lockingWhole("accounts_dep.smena")}) {
        SCOPED_TRACE(held.toStdString());
        Holder holder(held);
        MessageLog log;
        CancelWhenShown cancel(timesheetWindow());
        rebuildButton()->click();
        const qint64 ended = cancel.elapsed();

        ASSERT_GE(cancel.shownAt, 0) << "no progress window";
        EXPECT_LT(cancel.shownAt, 1000);
        EXPECT_EQ(cancel.waitingForLock, 1);  // the rebuild's statement, on the server
        EXPECT_LT(ended - cancel.cancelledAt, 1000);
        EXPECT_EQ(log.count(), 0) << log.texts().join("; ").toStdString();
        EXPECT_EQ(busySessions(holder.pid), QStringList{});
        EXPECT_EQ(temporaryTables(), 0);
        EXPECT_FALSE(data::Transaction::active());
        EXPECT_EQ(monthRows(3, 2022), before);
        EXPECT_FALSE(rebuildProgress()->isVisibleTo(&timesheetWindow()));
        EXPECT_EQ(shiftModel(0)->rowCount(), 1);
        EXPECT_EQ(shiftModel(1)->rowCount(), 1);
    }

    // With nothing held the next rebuild goes through.
    MessageLog log;
    rebuildButton()->click();
    EXPECT_EQ(monthRows(3, 2022),
              (QStringList{QString("1 %1: d3=8").arg(a), QString("1 %1: d20=8").arg(b)}));
    EXPECT_EQ(log.count(), 0) << log.texts().join("; ").toStdString();
}

// "Отмена" while the server reads the month's totals, and while the rows are written: no
// workbook and no part of one is left in the export folder.
TEST_F(AppTest, TimesheetExportCancelledLeavesNoWorkbook) {
    const int a = addWorker("Андреев А.А.");
    for (int shift = 1; shift <= 3; ++shift)
        addRow(a, shift, 2, 2023, {{5, 8}});
    for (int i = 0; i < 300; ++i)
        addRow(addWorker(QString("Работник %1").arg(i)), 1, 2, 2023, {{1, 1}});
    choose(&timesheetWindow(), 2, 2023);
    auto* excel = timesheetExcelButton();
    const QStringList files = exportedFiles();

    {
        SCOPED_TRACE("while the server works");
        Holder timesheet(lockingWhole("accounts_dep.h_tabel"));
        MessageLog log;
        CancelWhenShown cancel(timesheetWindow());
        excel->click();
        const qint64 ended = cancel.elapsed();
        ASSERT_GE(cancel.shownAt, 0) << "no progress window";
        EXPECT_LT(cancel.shownAt, 1000);
        EXPECT_EQ(cancel.waitingForLock, 1);
        EXPECT_LT(ended - cancel.cancelledAt, 1000);
        EXPECT_EQ(log.count(), 0) << log.texts().join("; ").toStdString();
        EXPECT_EQ(busySessions(timesheet.pid), QStringList{});
        EXPECT_EQ(temporaryTables(), 0);
        EXPECT_FALSE(timesheetPrint().monthTotals().isOpen());
        EXPECT_EQ(exportedFiles(), files);
    }
    {
        SCOPED_TRACE("while the rows are written");
        MessageLog log;
        // The caption counts the rows written: "Отмена" at the first one.
        bool pressed = false;
        excel->setText("Excel");
        QTimer poll;
        poll.setInterval(0);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (pressed || !excel->text().startsWith("Excel (1 из"))
                return;
            auto* dialog =
                timesheetWindow().findChild<QProgressDialog*>(QStringLiteral("reportProgress"));
            if (!dialog)
                return;
            pressed = true;
            dialog->cancel();
        });
        poll.start();
        excel->click();
        poll.stop();
        EXPECT_TRUE(pressed);
        EXPECT_EQ(log.count(), 0) << log.texts().join("; ").toStdString();
        EXPECT_EQ(temporaryTables(), 0);
        EXPECT_EQ(exportedFiles(), files);
    }

    excel->click();
    ASSERT_EQ(exportedFiles().size(), files.size() + 1);
    EXPECT_TRUE(timesheetWindow().lastSavedWorkbook().endsWith(".xlsx"));
}

}  // namespace
