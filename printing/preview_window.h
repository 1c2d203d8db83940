#pragma once

#include "printing/prepared_report.h"

#include <QAbstractScrollArea>
#include <QDialog>
#include <QImage>
#include <deque>

class QAction;
class QLabel;
class QSpinBox;

namespace printing {

// The pages of a report one under another, each painted only when it comes into view; the
// last few painted pages are kept.
class PageView : public QAbstractScrollArea {
    Q_OBJECT
public:
    enum class Zoom { PageWidth, WholePage, Custom };

    explicit PageView(const PagedReport& report, QWidget* parent = nullptr);

    Zoom zoom() const { return zoom_; }
    void setZoom(Zoom zoom);
    // Dots per inch of the pages on screen; sets the zoom to Custom.
    int dpi() const { return dpi_; }
    void setDpi(int dpi);

    int currentPage() const { return current_; }  // 0-based
    void goToPage(int index);                     // clamped to the pages there are

    // Pages painted so far, and those kept now (for checks).
    int pagesPainted() const { return painted_; }
    std::vector<int> pagesKept() const;

signals:
    void currentPageChanged(int index);
    void zoomChanged();
    void firstPageDrawn();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    struct Kept {
        int page;
        int dpi;
        QImage image;
    };

    QSize pageSize() const;  // in pixels at the current dpi
    int pageTop(int index) const;
    void fit();
    void updateScrollBars();
    void updateCurrentPage();
    const QImage& image(int index);

    const PagedReport& report_;
    Zoom zoom_ = Zoom::PageWidth;
    int dpi_ = 96;
    int current_ = 0;
    bool navigating_ = false;
    bool drawnFirst_ = false;
    int painted_ = 0;
    std::deque<Kept> kept_;
};

// The print preview: the report's pages with zoom (page width, whole page, larger, smaller),
// page navigation (first, previous, next, last, a page number), printing and saving as PDF.
class PreviewWindow : public QDialog {
    Q_OBJECT
public:
    explicit PreviewWindow(const PagedReport& report, QWidget* parent = nullptr);

    PageView* view() const { return view_; }
    // Writes every page to the PDF file; shows the error when the file cannot be written.
    bool savePdf(const QString& path);

private:
    void print();
    void askAndSavePdf();
    void showPageNumber(int index);

    const PagedReport& report_;
    PageView* view_;
    QSpinBox* pageNumber_;
    QLabel* pageCount_;
};

}  // namespace printing
