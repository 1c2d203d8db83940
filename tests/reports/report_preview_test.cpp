// A report of a few hundred pages in the preview window: pages painted as they come into view,
// navigation, zoom, and the PDF it saves.
#include "../support/report_items.h"
#include "report_fixture.h"

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
    void longPeriod() {
        testdb::exec(
            "insert into accounts_dep.person(id, fio) select g, 'Рабочий ' || lpad(g::text, 3, "
            "'0') from generate_series(1, 800) g");
        testdb::exec(
            "insert into cmn_gds_and_srv.gds_and_srv(id, s_caption, s_name, id_msm_bs, massa) "
            "select g, 'М-' || g, 'Изделие ' || g, 6, 0.5 from generate_series(1, 20) g");
        operationKind(1, "Сборка");
        testdb::exec(
            "insert into accounts_dep.oper(id, vid, naimen, i_id, cena_new) "
            "select 100 + g, 1, 0, g, 0 from generate_series(1, 20) g");
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

}  // namespace
