#include "../support/test_database.h"
#include "example_layout.h"
#include "printing/painter.h"
#include "printing/prepare.h"
#include "printing/preview.h"
#include "report_rows.h"
#include "ui/modal.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>

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
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    setUpPrinter(printer, r);
    printReport(printer, r);

    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-enc", "UTF-8", pdf, "-"});
    ASSERT_TRUE(pdftotext.waitForFinished(60000));
    const QStringList pages =
        QString::fromUtf8(pdftotext.readAllStandardOutput()).split(QChar('\f'));
    ASSERT_GE(pages.size(), static_cast<qsizetype>(r.pages.size()));
    for (size_t p = 0; p < r.pages.size(); ++p) {
        QString painted = pages[p];
        painted.remove(QRegularExpression("\\s"));
        for (const QString& text : r.texts(static_cast<int>(p))) {
            QString expected = text;
            expected.remove(QRegularExpression("\\s"));
            EXPECT_TRUE(painted.contains(expected))
                << "page " << p + 1 << ": " << text.toStdString();
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

TEST_F(PaintTest, PreviewOpensMaximisedWithEveryPage) {
    auto ds = manyRows();
    const PreparedReport r = prepare(exampleLayout("Отчет"), *ds);
    for (PreviewZoom zoom : {PreviewZoom::PageWidth, PreviewZoom::WholePage}) {
        PreparedReport shown = r;
        shown.zoom = zoom;
        int seen = 0;
        ui::setModalHook([&](QWidget* w) {
            ++seen;
            EXPECT_TRUE(w->windowState() & Qt::WindowMaximized);
            // Up and idle: the wait cursor of painting the pages is gone.
            EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
            auto* view = w->findChild<QPrintPreviewWidget*>();
            EXPECT_NE(view, nullptr);
            if (view) {
                EXPECT_EQ(view->pageCount(), static_cast<int>(r.pages.size()));
                EXPECT_EQ(view->zoomMode(), zoom == PreviewZoom::WholePage
                                                ? QPrintPreviewWidget::FitInView
                                                : QPrintPreviewWidget::FitToWidth);
            }
            return 0;
        });
        showPreview(shown);
        EXPECT_EQ(seen, 1);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
}

}  // namespace
