#pragma once

#include "printing/prepared_report.h"

#include <QAbstractScrollArea>
#include <QDialog>
#include <QImage>
#include <deque>

class QAction;
class QLabel;
class QSpinBox;
class QTimer;
class QToolBar;

namespace printing {

// The pages of a report one under another, each painted only where it comes into view: the
// parts of pages in view are painted as tiles at screen resolution, and the most recently shown
// tiles are kept up to a fixed amount of memory whatever the zoom.
class PageView : public QAbstractScrollArea {
    Q_OBJECT
public:
    enum class Zoom { PageWidth, WholePage, Custom };

    // Image memory the kept tiles stay within (more only while one screenful needs more).
    static constexpr qint64 kImageBytesKept = 48 << 20;

    explicit PageView(const PagedReport& report, QWidget* parent = nullptr);

    Zoom zoom() const { return zoom_; }
    void setZoom(Zoom zoom);
    // Dots per inch of the pages on screen; sets the zoom to Custom.
    int dpi() const { return dpi_; }
    void setDpi(int dpi);

    int currentPage() const { return current_; }  // 0-based
    // The report has more pages than before: the scroll range follows.
    void pagesAdded();
    void goToPage(int index);  // clamped to the pages there are

    // Pages made for painting so far, and the bytes of the images kept now (for checks).
    int pagesPainted() const { return painted_; }
    qint64 imageBytesKept() const;

signals:
    void currentPageChanged(int index);
    void zoomChanged();
    void firstPageDrawn();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    struct Tile {
        int page;
        int dpi;
        QPoint origin;  // on the page, in pixels
        QImage image;
        quint64 used;  // the paint that last drew it
    };

    QSize pageSize() const;  // in pixels at the current dpi
    int pageTop(int index) const;
    void fit();
    void updateScrollBars();
    void updateCurrentPage();
    const PreparedPage& items(int index);
    const QImage& tile(int index, const QPoint& origin);
    void dropTilesNotUsedSince(quint64 paint);

    const PagedReport& report_;
    Zoom zoom_ = Zoom::PageWidth;
    int dpi_ = 96;
    int current_ = 0;
    bool navigating_ = false;
    bool drawnFirst_ = false;
    int painted_ = 0;
    quint64 paints_ = 0;
    std::vector<Tile> tiles_;
    std::deque<std::pair<int, PreparedPage>> pages_;  // the items of the last pages painted
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
    // The tool bar's parts: zoom, page navigation with the page number, print/PDF/close.
    void addZoomActions(QToolBar* bar);
    void addPageActions(QToolBar* bar);
    void addOutputActions(QToolBar* bar);
    // Prints through the print dialog; says so when the printer or its file cannot be started.
    void print();
    void showFailure(const QString& text);
    void askAndSavePdf();
    void showPageNumber(int index);
    // A part of a report still being laid out, between the window's events; the page count shows
    // "из …" until the last part.
    void layOutNextPart();
    void showPageCount();
    // Printing, saving and going to the last page need every page.
    void completeLayout();

    const PagedReport& report_;
    PageView* view_;
    QSpinBox* pageNumber_;
    QLabel* pageCount_;
    QTimer* layingOut_;
    // The layout goes on once the first page is painted, waiting at most this long for it.
    static constexpr int kFirstPaintWaitMs = 20;
    static constexpr int kFirstPaintWaits = 10;
    int waitedForFirstPaint_ = 0;
};

}  // namespace printing
