// A report of a few hundred pages in the preview window: pages painted as they come into view,
// navigation, zoom, and the PDF it saves.
#include "../support/report_items.h"
#include "report_fixture.h"

#include "data/dataset.h"
#include "printing/preview.h"
#include "printing/preview_window.h"
#include "reports/report_window.h"
#include "ui/modal.h"

#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QSpinBox>
#include "../support/app_windows.h"

using namespace testing_support;

namespace {

using printing::PageView;
using reports_test::ReportTest;

class ReportPreviewTest : public ReportTest {
protected:
    // 800 workers with 20 product marks each: about 290 pages of "Детальный отчет по рабочим".
    // With blanksOdd, the operations of odd products are blanks.
    void longPeriod(bool blanksOdd = false) {
        testdb::exec(
            "insert into accounts_dep.person(id, fio) select g, 'Рабочий ' || lpad(g::text, 3, "
            "'0') from generate_series(1, 800) g");
        testdb::exec(
            "insert into cmn_gds_and_srv.gds_and_srv(id, s_caption, s_name, id_msm_bs, massa) "
            "select g, 'М-' || g, 'Изделие ' || g, 6, 0.5 from generate_series(1, 20) g");
        operationKind(1, "Сборка");
        testdb::exec(QString("insert into accounts_dep.oper(id, vid, naimen, i_id, cena_new) "
                             "select 100 + g, 1, %1, g, 0 from generate_series(1, 20) g")
                         .arg(blanksOdd ? "g % 2" : "0"));
        testdb::exec(
            "insert into accounts_dep.smena(data, smena, w_id, i_id, o_id, kol_vo, brak, cena, "
            "color) select date '2026-11-02' + (p % 20), 1, w, p, 100 + p, 1 + (w + p) % 9, "
            "(w * p) % 2, 1.25 * p, p % 3 from generate_series(1, 800) w, "
            "generate_series(1, 20) p");
        choose(QDate(2026, 11, 1), QDate(2026, 12, 1));
    }

    static void trigger(QWidget* window, const char* action) {
        QAction* a = window->findChild<QAction*>(QString::fromLatin1(action));
        ASSERT_NE(a, nullptr) << action;
        a->trigger();
        QCoreApplication::processEvents();
    }
};

TEST_F(ReportPreviewTest, LongReportPaintsOnlyWhatIsShownNavigatesZoomsAndSavesEveryPage) {
    longPeriod();
    // The hook still receives the whole prepared report.
    reportWindow().run(detailedWorkersReport());
    ASSERT_EQ(previews.size(), 1u);
    const printing::PreparedReport& whole = previews[0];
    const int pages = static_cast<int>(whole.pages.size());
    ASSERT_GE(pages, 250);
    EXPECT_TRUE(whole.texts(0).contains("Рабочий 001"));
    EXPECT_TRUE(whole.texts(pages - 1).contains("Итого:"));

    printing::clearPreviewHook();
    const QString pdf = QDir(QCoreApplication::applicationDirPath()).filePath("long_report.pdf");
    QFile::remove(pdf);
    int shown = 0;
    ui::setModalHook([&](QWidget* window) {
        ++shown;
        EXPECT_TRUE(window->windowState() & Qt::WindowMaximized);
        auto* view = window->findChild<PageView*>("pages");
        auto* number = window->findChild<QSpinBox*>("pageNumber");
        auto* count = window->findChild<QLabel*>("pageCount");
        if (!view || !number || !count) {
            ADD_FAILURE() << "preview controls missing";
            return 0;
        }
        if (view->pagesPainted() == 0)
            view->viewport()->repaint();
        // The first page is drawn: the wait cursor is gone, and only what is in view was painted.
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_GE(view->pagesPainted(), 1);
        EXPECT_LE(view->pagesPainted(), 3);
        // Shown before every page is laid out: the count is known once the rest is, between
        // the window's events.
        EXPECT_EQ(count->text().trimmed(), "из …");
        EXPECT_LT(number->maximum(), pages);
        for (int turns = 0; turns < 10000 && count->text().trimmed() == "из …"; ++turns)
            QCoreApplication::processEvents();
        EXPECT_EQ(count->text().trimmed(), QString("из %1").arg(pages));
        EXPECT_EQ(number->maximum(), pages);
        EXPECT_EQ(view->zoom(), PageView::Zoom::PageWidth);

        struct Step {
            const char* action;  // or the page number typed when null
            int number;
            int expected;  // 0-based page shown afterwards
        };
        const Step steps[] = {
            {"nextPage", 0, 1},         {"nextPage", 0, 2},         {"previousPage", 0, 1},
            {"lastPage", 0, pages - 1}, {"nextPage", 0, pages - 1}, {nullptr, 150, 149},
            {"firstPage", 0, 0},        {"previousPage", 0, 0},
        };
        for (const Step& s : steps) {
            if (s.action)
                trigger(window, s.action);
            else
                number->setValue(s.number);
            view->viewport()->repaint();
            EXPECT_EQ(view->currentPage(), s.expected) << (s.action ? s.action : "number");
            EXPECT_EQ(number->value(), s.expected + 1) << (s.action ? s.action : "number");
        }
        // Few pages painted, and their images kept within the view's bound.
        EXPECT_LE(view->pagesPainted(), 20);
        EXPECT_LE(view->imageBytesKept(), PageView::kImageBytesKept);

        const int widthDpi = view->dpi();
        trigger(window, "zoomIn");
        EXPECT_EQ(view->zoom(), PageView::Zoom::Custom);
        EXPECT_EQ(view->dpi(), qRound(widthDpi * 1.25));
        trigger(window, "zoomOut");
        EXPECT_EQ(view->dpi(), widthDpi);
        trigger(window, "wholePage");
        EXPECT_EQ(view->zoom(), PageView::Zoom::WholePage);
        EXPECT_LT(view->dpi(), widthDpi);
        EXPECT_EQ(view->currentPage(), 0);  // zooming keeps the page
        trigger(window, "fitWidth");
        EXPECT_EQ(view->dpi(), widthDpi);

        auto* preview = qobject_cast<printing::PreviewWindow*>(window);
        EXPECT_TRUE(preview && preview->savePdf(pdf));
        return 0;
    });
    reportWindow().run(detailedWorkersReport());
    ui::clearModalHook();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(testing_support::missingFromPdf(pdf, whole), QStringList());
}

// The report's rows come from the server in parts: the preview is up with its first page while
// rows remain to be read (the count reads "из …"), the rest follow between its events, and
// printing waits for every row and page. The product kind's filter holds across the parts.
TEST_F(ReportPreviewTest, FirstPageShowsWhileRowsRemainAndPrintingWaitsForThem) {
    longPeriod(true);
    choose(QDate(2026, 11, 1), QDate(2026, 12, 1), reports::ProductKindChoice::Finished);
    data::Dataset& query = detailedWorkersReport().query();
    reportWindow().run(detailedWorkersReport());
    ASSERT_EQ(previews.size(), 1u);
    const printing::PreparedReport& whole = previews[0];
    const int pages = static_cast<int>(whole.pages.size());
    // Every finished product's row is there: 800 workers x 10 products, and their total.
    const QString total =
        testdb::scalar(
            "select to_char(sum((kol_vo - brak) * cena), 'FM999999990.00') from "
            "accounts_dep.smena s join accounts_dep.oper o on o.id = s.o_id where o.naimen = 0")
            .toString()
            .replace('.', ',');
    EXPECT_EQ(textsAt(whole, printing::PreparedKind::Sum, 165.9).last(), total);

    printing::clearPreviewHook();
    int shown = 0;
    int printDialogs = 0;
    ui::setModalHook([&](QWidget* window) {
        auto* count = window->findChild<QLabel*>("pageCount");
        if (qobject_cast<printing::PreviewWindow*>(window)) {
            ++shown;
            EXPECT_EQ(count->text().trimmed(), "из …");
            EXPECT_FALSE(query.allRowsRead());
            EXPECT_GT(query.recordCount(), 0);
            EXPECT_LT(query.recordCount(), 8000);
            trigger(window, "print");
            EXPECT_EQ(count->text().trimmed(), QString("из %1").arg(pages));
            return 0;
        }
        // The print dialog comes once every row is read and every page laid out.
        ++printDialogs;
        EXPECT_TRUE(query.allRowsRead());
        EXPECT_EQ(query.recordCount(), 8000);
        auto* preview = qobject_cast<printing::PreviewWindow*>(window->parentWidget());
        EXPECT_NE(preview, nullptr);
        if (preview) {
            EXPECT_EQ(preview->findChild<QLabel*>("pageCount")->text().trimmed(),
                      QString("из %1").arg(pages));
        }
        return 0;
    });
    reportWindow().run(detailedWorkersReport());
    ui::clearModalHook();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(printDialogs, 1);

    // Closed before the last part: the rest is let go, and nothing stays on the server (cursor,
    // transaction, kept rows).
    bool rowsRemained = false;
    ui::setModalHook([&](QWidget*) {
        rowsRemained = !query.allRowsRead();
        return 0;
    });
    reportWindow().run(detailedWorkersReport());
    ui::clearModalHook();
    EXPECT_TRUE(rowsRemained);
    EXPECT_FALSE(query.isOpen());
    EXPECT_EQ(testdb::scalar("select count(*) from pg_stat_activity where datname = "
                             "current_database() and pid <> pg_backend_pid() and "
                             "(state <> 'idle' or backend_xid is not null or backend_xmin is not "
                             "null)")
                  .toInt(),
              0);
    EXPECT_EQ(testdb::scalar("select count(*) from pg_class where relpersistence = 't'").toInt(),
              0);
    EXPECT_EQ(messages.count(), 0);
}

}  // namespace
