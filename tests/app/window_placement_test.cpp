// Where windows open and how they may be sized.
#include "../support/message_log.h"
#include "../support/test_database.h"
#include "app/journal_window.h"
#include "app/login_window.h"
#include "entry/entry_editor.h"
#include "refbooks/norms_window.h"
#include "refbooks/operation_editor.h"
#include "refbooks/operation_kind_editor.h"
#include "refbooks/operation_kinds_list.h"
#include "refbooks/operations_list.h"
#include "refbooks/product_editor.h"
#include "refbooks/products_list.h"
#include "refbooks/worker_editor.h"
#include "refbooks/workers_list.h"
#include "reports/report_window.h"
#include "timesheet/timesheet_window.h"
#include "ui/modal.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>

#include <vector>
#include "../support/app_windows.h"

using namespace testing_support;

namespace {

using testdb::AppTest;

std::vector<QDialog*> windowsOpenedFromTheJournal() {
    return {&workerEditor(),  &productsList(), &operationsList(),  &workersList(),
            &productEditor(), &kindsList(),    &kindEditor(),      &operationEditor(),
            &entryEditor(),   &reportWindow(), &timesheetWindow(), &normsWindow()};
}

TEST_F(AppTest, FixedSizeWindowsOfferNoMaximiseButton) {
    const std::vector<QDialog*> fixed{&workerEditor(), &productsList(),  &operationsList(),
                                      &workersList(),  &productEditor(), &kindEditor(),
                                      &entryEditor(),  &reportWindow(),  &timesheetWindow(),
                                      &normsWindow(),  &loginDialog()};
    for (QDialog* w : fixed) {
        SCOPED_TRACE(w->objectName().toStdString());
        w->ensurePolished();
        if (w->layout())
            w->layout()->activate();
        EXPECT_EQ(w->minimumSize(), w->maximumSize());  // the report window's height too
        EXPECT_TRUE(w->windowFlags() & Qt::CustomizeWindowHint);
        EXPECT_FALSE(w->windowFlags() & Qt::WindowMaximizeButtonHint);
        EXPECT_FALSE(w->windowFlags() & Qt::WindowMinimizeButtonHint);
        EXPECT_TRUE(w->windowFlags() & Qt::WindowCloseButtonHint);
    }
    for (QDialog* w :
         {static_cast<QDialog*>(&kindsList()), static_cast<QDialog*>(&operationEditor())}) {
        w->ensurePolished();
        EXPECT_NE(w->minimumSize(), w->maximumSize()) << w->objectName().toStdString();
    }
}

TEST_F(AppTest, EveryWindowOpensCentredOnTheJournal) {
    MessageLog log;  // whatever a window says on activation
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    journalWindow().show();
    // Off the screen's centre, where windows without a place of their own open.
    journalWindow().move(screen.center() - journalWindow().frameGeometry().center() +
                         journalWindow().pos() + QPoint(-40, 30));
    const QPoint centre = journalWindow().frameGeometry().center();
    int checked = 0;
    ui::setModalHook([&](QWidget* w) {
        const QRect placed = w->frameGeometry();
        QRect centred(QPoint(), placed.size());
        centred.moveCenter(centre);
        if (screen.contains(centred)) {
            ++checked;
            EXPECT_LE((placed.center() - centre).manhattanLength(), 2)
                << w->objectName().toStdString();
        } else {  // kept on the screen
            EXPECT_TRUE(screen.contains(placed.topLeft())) << w->objectName().toStdString();
        }
        return int(QDialog::Rejected);
    });
    for (QDialog* w : windowsOpenedFromTheJournal()) {
        w->move(screen.topLeft());  // where the last showing may have left it
        ui::showModal(w);
    }
    ui::clearModalHook();
    journalWindow().hide();
    EXPECT_GE(checked, 8);
}

TEST_F(AppTest, TheTimesheetFitsAScreen1280PixelsWide) {
    MessageLog log;
    timesheetWindow().show();
    QCoreApplication::processEvents();
    EXPECT_LE(timesheetWindow().frameGeometry().width(),
              1280 - 2 * 8);  // room for the window's frame
    // Every column shows without scrolling sideways, with room for a vertical scroll bar.
    auto* grid = timesheetWindow().findChild<QTableView*>("DBGrid1");
    int columns = 0;
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        if (!grid->isColumnHidden(c))
            columns += grid->columnWidth(c);
    const int scrollBar = grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int room =
        grid->viewport()->width() + (grid->verticalScrollBar()->isVisible() ? scrollBar : 0);
    EXPECT_LE(columns + scrollBar, room);
    timesheetWindow().hide();
}

}  // namespace
