#include "../support/report_items.h"
#include "../support/test_database.h"
#include "example_layout.h"
#include "printing/painter.h"
#include "printing/prepare.h"
#include "printing/preview.h"
#include "printing/preview_window.h"
#include "report_rows.h"
#include "ui/modal.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QGuiApplication>

using namespace printing;

namespace {

class PaintTest : public testdb::DbTest {
protected:
    void TearDown() override {
        clearPreviewHook();
        ui::clearModalHook();
    }

    // Enough rows for two pages.
    std::unique_ptr<data::Dataset> manyRows() {
        return queryDataset(
            "select g as n, 'Рабочий ' || (g / 40) as fio, 'Изделие ' || (g / 7) as nom, "
            "g % 2 as naimen, 'Операция ' || g as vid, g as kolvo, g * 1.5 as summa "
            "from generate_series(1, 90) g order by g");
    }
};

TEST_F(PaintTest, PdfPagesCarryThePreparedTexts) {
    auto ds = manyRows();
    const PreparedReport r = prepare(exampleLayout("Отчет по рабочим"), *ds);
    ASSERT_GE(r.pages.size(), 2u);

    // Left beside the test program so that the pages can be looked at.
    const QString pdf =
        QDir(QCoreApplication::applicationDirPath()).filePath("printing_example.pdf");
    ASSERT_TRUE(writePdf(pdf, WholeReport(r)));
    EXPECT_EQ(testing_support::missingFromPdf(pdf, r), QStringList());
}

// Pages made one at a time, as the preview and the printout make them, are the pages prepared
// whole.
TEST_F(PaintTest, LaidOutPagesAreThePreparedPages) {
    auto ds = manyRows();
    const Layout layout = exampleLayout("Отчет");
    const PreparedReport whole = prepare(layout, *ds);
    const LaidOutReport laidOut(layout, *ds);
    ASSERT_EQ(laidOut.pageCount(), static_cast<int>(whole.pages.size()));
    for (int p : {laidOut.pageCount() - 1, 0}) {  // in any order
        const PreparedPage page = laidOut.page(p);
        ASSERT_EQ(page.items.size(), whole.pages[p].items.size());
        for (size_t i = 0; i < page.items.size(); ++i) {
            EXPECT_EQ(page.items[i].text, whole.pages[p].items[i].text);
            EXPECT_EQ(page.items[i].rectMm, whole.pages[p].items[i].rectMm);
            EXPECT_EQ(page.items[i].style, whole.pages[p].items[i].style);
        }
    }
}

TEST_F(PaintTest, PreviewHandsThePreparedReportToTheHook) {
    auto ds = manyRows();
    int calls = 0;
    size_t pages = 0;
    setPreviewHook([&](const PreparedReport& r) {
        ++calls;
        pages = r.pages.size();
        EXPECT_EQ(r.title, "Пример отчёта");
    });
    previewReport(exampleLayout("Отчет"), *ds);
    EXPECT_EQ(calls, 1);
    EXPECT_GE(pages, 2u);
}

TEST_F(PaintTest, WaitCursorWhilePreparingOnlyThen) {
    auto ds = manyRows();
    Layout layout = exampleLayout("Отчет");
    int rowsUnderWaitCursor = 0;
    layout.detail->add(computedText([&](const Row&) {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        rowsUnderWaitCursor += cursor && cursor->shape() == Qt::WaitCursor;
        return QString();
    }));
    setPreviewHook(
        [](const PreparedReport&) { EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr); });
    previewReport(layout, *ds);
    EXPECT_EQ(rowsUnderWaitCursor, 90);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(PaintTest, PreviewOpensMaximisedAtTheLayoutsZoom) {
    auto ds = manyRows();
    const PreparedReport r = prepare(exampleLayout("Отчет"), *ds);
    for (PreviewZoom zoom : {PreviewZoom::PageWidth, PreviewZoom::WholePage}) {
        PreparedReport shown = r;
        shown.zoom = zoom;
        int seen = 0;
        ui::setModalHook([&](QWidget* w) {
            ++seen;
            EXPECT_TRUE(w->windowState() & Qt::WindowMaximized);
            auto* view = w->findChild<PageView*>("pages");
            EXPECT_NE(view, nullptr);
            if (view) {
                EXPECT_EQ(view->zoom(), zoom == PreviewZoom::WholePage ? PageView::Zoom::WholePage
                                                                       : PageView::Zoom::PageWidth);
                // The page fills the view's width, or the whole page its height.
                const int width = qRound(210 * view->dpi() / 25.4);
                const int height = qRound(297 * view->dpi() / 25.4);
                const QSize room = view->viewport()->size();
                EXPECT_LE(width, room.width());
                if (zoom == PreviewZoom::WholePage) {
                    EXPECT_LE(height, room.height());
                    EXPECT_GT(height, room.height() * 0.8);
                } else {
                    EXPECT_GT(width, room.width() * 0.8);
                }
            }
            return 0;
        });
        showPreview(shown);
        EXPECT_EQ(seen, 1);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
}

}  // namespace
