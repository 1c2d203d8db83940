#include "../support/message_log.h"
#include "../support/report_items.h"
#include "../support/test_database.h"
#include "example_layout.h"
#include "printing/painter.h"
#include "printing/prepare.h"
#include "printing/preview.h"
#include "printing/preview_window.h"
#include "report_rows.h"
#include "ui/modal.h"

#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollBar>

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

// The preview paints the part of the pages in view; what it shows is the page painted whole, and
// at the highest zoom a scroll through the report keeps no more images than the view's bound.
TEST_F(PaintTest, PreviewPaintsWhatIsInViewWithinItsMemory) {
    auto ds = manyRows();
    const PreparedReport r = prepare(exampleLayout("Отчет"), *ds);
    ASSERT_GE(r.pages.size(), 2u);
    const WholeReport report(r);
    PageView view(report);
    view.resize(1000, 800);
    view.show();

    // The first page at a small zoom, against the same page painted in one piece.
    view.setDpi(80);
    const QImage shown = view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QImage whole(qRound(210 * 80 / 25.4), qRound(297 * 80 / 25.4), QImage::Format_RGB32);
    whole.setDotsPerMeterX(qRound(80 / 0.0254));
    whole.setDotsPerMeterY(qRound(80 / 0.0254));
    whole.fill(Qt::white);
    {
        QPainter p(&whole);
        paintPage(p, r.pages[0], r.styles);
    }
    // Dotted lines may start their dots afresh where a piece of the page begins: a pixel of the
    // view counts as the page's when the page has it within two pixels along its row or column.
    const QPoint at((view.viewport()->width() - whole.width()) / 2, 12);
    auto nearby = [&](int x, int y, QRgb colour) {
        for (int d = -2; d <= 2; ++d)
            if ((whole.valid(x + d, y) && whole.pixel(x + d, y) == colour) ||
                (whole.valid(x, y + d) && whole.pixel(x, y + d) == colour))
                return true;
        return false;
    };
    int differing = 0;
    for (int y = 0; y < whole.height() && at.y() + y < shown.height(); ++y)
        for (int x = 0; x < whole.width(); ++x)
            differing += !nearby(x, y, shown.pixel(at + QPoint(x, y)));
    EXPECT_EQ(differing, 0);

    // 600 dpi: a page alone would take 139 MB.
    view.setDpi(600);
    ASSERT_EQ(view.dpi(), 600);
    QScrollBar* bar = view.verticalScrollBar();
    qint64 most = 0;
    for (int x : {0, view.horizontalScrollBar()->maximum() / 2}) {
        view.horizontalScrollBar()->setValue(x);
        for (int y = 0; y <= bar->maximum(); y += bar->pageStep() / 2) {
            bar->setValue(y);
            view.viewport()->grab();
            most = std::max(most, view.imageBytesKept());
        }
    }
    EXPECT_GT(most, 0);
    EXPECT_LE(most, PageView::kImageBytesKept);
    EXPECT_LE(PageView::kImageBytesKept, 48 << 20);
    // Each page's items made once for the whole scroll.
    EXPECT_EQ(view.pagesPainted(), static_cast<int>(r.pages.size()));
}

// "Печать" says when the printer cannot be started, as "Сохранить в PDF" does.
TEST_F(PaintTest, PrintingIntoAFileThatCannotBeWrittenSaysSo) {
    auto ds = manyRows();
    const PreparedReport r = prepare(exampleLayout("Отчет"), *ds);
    const QString written = QDir(QCoreApplication::applicationDirPath()).filePath("printed.pdf");
    const QString unwritable = QStringLiteral("/nonexistent-folder/printed.pdf");
    for (const QString& path : {written, unwritable}) {
        SCOPED_TRACE(path.toStdString());
        QFile::remove(path);
        testing_support::MessageLog messages;
        ui::setModalHook([&](QWidget* w) {
            auto* dialog = qobject_cast<QPrintDialog*>(w);
            EXPECT_NE(dialog, nullptr);
            if (!dialog)
                return int(QDialog::Rejected);
            dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
            dialog->printer()->setOutputFileName(path);
            return int(QDialog::Accepted);
        });
        const WholeReport report(r);
        PreviewWindow window(report);
        window.findChild<QAction*>("print")->trigger();
        if (path == written) {
            EXPECT_EQ(messages.count(), 0);
            EXPECT_EQ(testing_support::missingFromPdf(path, r), QStringList());
        } else {
            ASSERT_EQ(messages.count(), 1);
            const ui::Message& m = messages.messages()[0];
            EXPECT_EQ(m.text, "Не удалось записать файл /nonexistent-folder/printed.pdf");
            EXPECT_EQ(m.caption, "Ошибка");
            EXPECT_EQ(m.icon, ui::Icon::Stop);
        }
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
}

// A long report shows its first page before the rest is laid out: the preview says "из …" until
// the last part, lays out the rest between its events, and the pages are those prepared whole;
// printing before then prints every page.
TEST_F(PaintTest, PreviewShowsTheFirstPageWhileTheRestIsLaidOut) {
    auto ds = queryDataset(
        "select g as n, 'Рабочий ' || (g / 40) as fio, 'Изделие ' || (g / 7) as nom, "
        "g % 2 as naimen, 'Операция ' || g as vid, g as kolvo, g * 1.5 as summa "
        "from generate_series(1, 3000) g order by g");
    const Layout layout = exampleLayout("Отчет");
    const PreparedReport whole = prepare(layout, *ds);
    const int pages = static_cast<int>(whole.pages.size());
    ASSERT_GT(pages, LaidOutReport::kPagesPerPart + 2);

    for (const bool printFirst : {false, true}) {
        SCOPED_TRACE(printFirst ? "printed at once" : "laid out while shown");
        const LaidOutReport report(layout, *ds, nullptr, 1);
        ASSERT_EQ(report.pageCount(), 1);
        ASSERT_FALSE(report.complete());
        PreviewWindow window(report);
        auto* count = window.findChild<QLabel*>("pageCount");
        EXPECT_EQ(count->text(), " из … ");
        if (printFirst) {
            const QString path =
                QDir(QCoreApplication::applicationDirPath()).filePath("printed_early.pdf");
            ui::setModalHook([&](QWidget* w) {
                auto* dialog = qobject_cast<QPrintDialog*>(w);
                dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
                dialog->printer()->setOutputFileName(path);
                return int(QDialog::Accepted);
            });
            window.findChild<QAction*>("print")->trigger();
            EXPECT_EQ(testing_support::missingFromPdf(path, whole), QStringList());
        } else {
            // The layout goes on once the first page is painted; a window that is never
            // painted waits a moment, then goes on all the same.
            for (int turns = 0; turns < 100; ++turns)
                QCoreApplication::processEvents();
            EXPECT_EQ(report.pageCount(), 1);
            QElapsedTimer waited;
            waited.start();
            while (!report.complete() && waited.elapsed() < 10000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        ASSERT_TRUE(report.complete());
        EXPECT_EQ(count->text(), QString(" из %1 ").arg(pages));
        ASSERT_EQ(report.pageCount(), pages);
        for (int p = 0; p < pages; ++p) {
            QStringList texts;
            for (const PreparedItem& item : report.page(p).items)
                if (item.kind != PreparedKind::Box)
                    texts << item.text;
            ASSERT_EQ(texts, whole.texts(p)) << "page " << p;
        }
    }
}

}  // namespace
