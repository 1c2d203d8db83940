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

namespace {

using testdb::AppTest;
using testing_support::MessageLog;

std::vector<QDialog*> windowsOpenedFromTheJournal() {
    return {Form2, Form3,  Form4,  Form5,  Form7,  Form8,
            Form9, Form10, Form11, Form18, Form19, Form22};
}

TEST_F(AppTest, FixedSizeWindowsOfferNoMaximiseButton) {
    const std::vector<QDialog*> fixed{Form2,  Form3,  Form4,  Form5,  Form7, Form9,
                                      Form11, Form18, Form19, Form22, Form23};
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
    for (QDialog* w : {static_cast<QDialog*>(Form8), static_cast<QDialog*>(Form10)}) {
        w->ensurePolished();
        EXPECT_NE(w->minimumSize(), w->maximumSize()) << w->objectName().toStdString();
    }
}

TEST_F(AppTest, EveryWindowOpensCentredOnTheJournal) {
    MessageLog log;  // whatever a window says on activation
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    Form1->show();
    // Off the screen's centre, where windows without a place of their own open.
    Form1->move(screen.center() - Form1->frameGeometry().center() + Form1->pos() + QPoint(-40, 30));
    const QPoint centre = Form1->frameGeometry().center();
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
    Form1->hide();
    EXPECT_GE(checked, 8);
}

TEST_F(AppTest, TheTimesheetFitsAScreen1280PixelsWide) {
    MessageLog log;
    Form19->show();
    QCoreApplication::processEvents();
    EXPECT_LE(Form19->frameGeometry().width(), 1280 - 2 * 8);  // room for the window's frame
    // Every column shows without scrolling sideways, with room for a vertical scroll bar.
    auto* grid = Form19->findChild<QTableView*>("DBGrid1");
    int columns = 0;
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        if (!grid->isColumnHidden(c))
            columns += grid->columnWidth(c);
    const int scrollBar = grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int room =
        grid->viewport()->width() + (grid->verticalScrollBar()->isVisible() ? scrollBar : 0);
    EXPECT_LE(columns + scrollBar, room);
    Form19->hide();
}

}  // namespace
