#include "printing/preview_window.h"

#include "printing/painter.h"
#include "ui/dialogs.h"
#include "ui/modal.h"
#include "ui/wait_cursor.h"

#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QSpinBox>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <optional>

namespace printing {

namespace {
constexpr int kMarginPx = 12;  // around the pages and between them
constexpr int kTilePx = 256;
constexpr size_t kPagesOfItemsKept = 4;
constexpr double kOverhangMm = 2;
constexpr int kMinDpi = 10;
constexpr int kMaxDpi = 600;
constexpr double kZoomStep = 1.25;
constexpr double kMmPerInch = 25.4;
}  // namespace

PageView::PageView(const PagedReport& report, QWidget* parent)
    : QAbstractScrollArea(parent), report_(report) {
    setObjectName(QStringLiteral("pages"));
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    verticalScrollBar()->setSingleStep(40);
    horizontalScrollBar()->setSingleStep(40);
}

QSize PageView::pageSize() const {
    const PreparedReport& f = report_.format();
    return QSize(qRound(f.pageWidthMm * dpi_ / kMmPerInch),
                 qRound(f.pageHeightMm * dpi_ / kMmPerInch));
}

int PageView::pageTop(int index) const {
    return kMarginPx + index * (pageSize().height() + kMarginPx);
}

void PageView::fit() {
    const PreparedReport& f = report_.format();
    const double width = std::max(1, viewport()->width() - 2 * kMarginPx);
    const double height = std::max(1, viewport()->height() - 2 * kMarginPx);
    double dpi = width * kMmPerInch / f.pageWidthMm;
    if (zoom_ == Zoom::WholePage)
        dpi = std::min(dpi, height * kMmPerInch / f.pageHeightMm);
    dpi_ = std::clamp(static_cast<int>(std::floor(dpi)), kMinDpi, kMaxDpi);
}

void PageView::setZoom(Zoom zoom) {
    zoom_ = zoom;
    const int page = current_;
    if (zoom_ != Zoom::Custom)
        fit();
    updateScrollBars();
    goToPage(page);
    viewport()->update();
    emit zoomChanged();
}

void PageView::setDpi(int dpi) {
    dpi_ = std::clamp(dpi, kMinDpi, kMaxDpi);
    setZoom(Zoom::Custom);
}

void PageView::updateScrollBars() {
    const QSize page = pageSize();
    const int pages = report_.pageCount();
    const int contentHeight = kMarginPx + pages * (page.height() + kMarginPx);
    const int contentWidth = page.width() + 2 * kMarginPx;
    const QSize room = viewport()->size();
    verticalScrollBar()->setPageStep(room.height());
    verticalScrollBar()->setRange(0, std::max(0, contentHeight - room.height()));
    horizontalScrollBar()->setPageStep(room.width());
    horizontalScrollBar()->setRange(0, std::max(0, contentWidth - room.width()));
}

void PageView::goToPage(int index) {
    index = std::clamp(index, 0, std::max(0, report_.pageCount() - 1));
    navigating_ = true;
    verticalScrollBar()->setValue(pageTop(index) - kMarginPx);
    navigating_ = false;
    if (index != current_) {
        current_ = index;
        emit currentPageChanged(current_);
    }
}

void PageView::pagesAdded() {
    updateScrollBars();
    viewport()->update();
}

void PageView::updateCurrentPage() {
    if (navigating_ || report_.pageCount() == 0)
        return;
    // The page at the middle of the view, or of the page's height where a page is taller.
    const int height = pageSize().height();
    const int y = verticalScrollBar()->value() + std::min(viewport()->height(), height) / 2;
    const int page =
        std::clamp((y - kMarginPx / 2) / (height + kMarginPx), 0, report_.pageCount() - 1);
    if (page != current_) {
        current_ = page;
        emit currentPageChanged(current_);
    }
}

void PageView::scrollContentsBy(int, int) {
    updateCurrentPage();
    viewport()->update();
}

void PageView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    const int page = current_;
    if (zoom_ != Zoom::Custom)
        fit();
    updateScrollBars();
    goToPage(page);
}

const PreparedPage& PageView::items(int index) {
    for (const auto& [page, items] : pages_)
        if (page == index)
            return items;
    pages_.emplace_front(index, report_.page(index));
    ++painted_;
    if (pages_.size() > kPagesOfItemsKept)
        pages_.pop_back();
    return pages_.front().second;
}

const QImage& PageView::tile(int index, const QPoint& origin) {
    for (Tile& t : tiles_) {
        if (t.page == index && t.dpi == dpi_ && t.origin == origin) {
            t.used = paints_;
            return t.image;
        }
    }
    const QSize page = pageSize();
    const QSize size(std::min(kTilePx, page.width() - origin.x()),
                     std::min(kTilePx, page.height() - origin.y()));
    QImage image(size, QImage::Format_RGB32);
    const int dotsPerMetre = qRound(dpi_ / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);

    // The items that reach into the tile, with a little room for lines and glyphs that stand out
    // of their boxes.
    const double mmPerPx = kMmPerInch / dpi_;
    const QRectF area = QRectF(origin.x() * mmPerPx, origin.y() * mmPerPx, size.width() * mmPerPx,
                               size.height() * mmPerPx)
                            .adjusted(-kOverhangMm, -kOverhangMm, kOverhangMm, kOverhangMm);
    PreparedPage part;
    for (const PreparedItem& item : items(index).items)
        if (item.rectMm.left() <= area.right() && item.rectMm.right() >= area.left() &&
            item.rectMm.top() <= area.bottom() && item.rectMm.bottom() >= area.top())
            part.items.push_back(item);
    {
        QPainter p(&image);
        p.translate(-origin);
        paintPage(p, part, report_.format().styles);
    }
    tiles_.push_back(Tile{index, dpi_, origin, std::move(image), paints_});
    return tiles_.back().image;
}

void PageView::dropTilesNotUsedSince(quint64 paint) {
    std::sort(tiles_.begin(), tiles_.end(),
              [](const Tile& a, const Tile& b) { return a.used > b.used; });
    qint64 bytes = 0;
    size_t keep = 0;
    for (; keep < tiles_.size(); ++keep) {
        bytes += tiles_[keep].image.sizeInBytes();
        if (bytes > kImageBytesKept && tiles_[keep].used < paint)
            break;
    }
    tiles_.resize(keep);
}

qint64 PageView::imageBytesKept() const {
    qint64 bytes = 0;
    for (const Tile& t : tiles_)
        bytes += t.image.sizeInBytes();
    return bytes;
}

void PageView::paintEvent(QPaintEvent* event) {
    QPainter p(viewport());
    p.fillRect(event->rect(), palette().color(QPalette::Dark));
    const int pages = report_.pageCount();
    if (pages == 0)
        return;
    ++paints_;
    const QSize size = pageSize();
    const int top = verticalScrollBar()->value();
    const int bottom = top + viewport()->height();
    const int x = std::max(kMarginPx, (viewport()->width() - size.width()) / 2) -
                  horizontalScrollBar()->value();
    const int first = std::clamp((top - kMarginPx) / (size.height() + kMarginPx), 0, pages - 1);
    for (int i = first; i < pages && pageTop(i) < bottom; ++i) {
        const QRect target(QPoint(x, pageTop(i) - top), size);
        // The part of the page to paint, in the page's own pixels.
        const QRect shown = target.intersected(event->rect()).translated(-target.topLeft());
        if (shown.isEmpty())
            continue;
        for (int ty = shown.top() / kTilePx * kTilePx; ty <= shown.bottom(); ty += kTilePx)
            for (int tx = shown.left() / kTilePx * kTilePx; tx <= shown.right(); tx += kTilePx)
                p.drawImage(target.topLeft() + QPoint(tx, ty), tile(i, QPoint(tx, ty)));
        p.setPen(Qt::black);
        p.drawRect(target.adjusted(-1, -1, 0, 0));
    }
    dropTilesNotUsedSince(paints_);
    if (!drawnFirst_) {
        drawnFirst_ = true;
        emit firstPageDrawn();
    }
}

namespace {

// A named tool bar action; its tooltip names its shortcut, if it has one.
QAction* addTool(QToolBar* bar, const char* name, const QString& text,
                 const QKeySequence& key = {}) {
    QAction* a = bar->addAction(text);
    a->setObjectName(QString::fromLatin1(name));
    a->setToolTip(key.isEmpty() ? text
                                : text + QStringLiteral(" (") +
                                      key.toString(QKeySequence::NativeText) + QLatin1Char(')'));
    if (!key.isEmpty())
        a->setShortcut(key);
    return a;
}

}  // namespace

PreviewWindow::PreviewWindow(const PagedReport& report, QWidget* parent)
    : QDialog(parent), report_(report) {
    setObjectName(QStringLiteral("PreviewWindow"));
    setWindowTitle(report.format().title.isEmpty() ? QStringLiteral("Предварительный просмотр")
                                                   : report.format().title);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);

    view_ = new PageView(report, this);
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("toolbar"));
    addZoomActions(bar);
    bar->addSeparator();
    addPageActions(bar);
    bar->addSeparator();
    addOutputActions(bar);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(view_, 1);
    view_->setZoom(report.format().zoom == PreviewZoom::WholePage ? PageView::Zoom::WholePage
                                                                  : PageView::Zoom::PageWidth);
    view_->setFocus();

    layingOut_ = new QTimer(this);
    layingOut_->setInterval(0);
    connect(layingOut_, &QTimer::timeout, this, [this] { layOutNextPart(); });
    if (!report_.complete())
        layingOut_->start();
}

void PreviewWindow::layOutNextPart() {
    // The first page is on the screen before the layout goes on: the next part may read rows
    // from the server first. A window that is not painted within a moment (hidden, or on a
    // screen that never draws it) goes on all the same.
    if (view_->pagesPainted() == 0 && waitedForFirstPaint_ < kFirstPaintWaits) {
        ++waitedForFirstPaint_;
        layingOut_->start(kFirstPaintWaitMs);
        return;
    }
    layingOut_->stop();
    layingOut_->setInterval(0);
    // A part that fails (its rows could not be read) is not tried again by itself: its error is
    // shown and the count stays "из …"; printing or saving try once more and show it again.
    report_.continueLayout();
    showPageCount();
}

void PreviewWindow::completeLayout() {
    if (report_.complete())
        return;
    const ui::WaitCursor wait;
    report_.finishLayout();
    showPageCount();
}

void PreviewWindow::showPageCount() {
    if (report_.complete())
        layingOut_->stop();
    else
        layingOut_->start();
    pageNumber_->setRange(1, std::max(1, report_.pageCount()));
    pageCount_->setText(report_.complete() ? QStringLiteral(" из %1 ").arg(report_.pageCount())
                                           : QStringLiteral(" из … "));
    view_->pagesAdded();
}

void PreviewWindow::addZoomActions(QToolBar* bar) {
    connect(addTool(bar, "fitWidth", QStringLiteral("По ширине")), &QAction::triggered, this,
            [this] { view_->setZoom(PageView::Zoom::PageWidth); });
    connect(addTool(bar, "wholePage", QStringLiteral("Страница целиком")), &QAction::triggered,
            this, [this] { view_->setZoom(PageView::Zoom::WholePage); });
    connect(addTool(bar, "zoomIn", QStringLiteral("Крупнее"), QKeySequence::ZoomIn),
            &QAction::triggered, this, [this] { view_->setDpi(qRound(view_->dpi() * kZoomStep)); });
    connect(addTool(bar, "zoomOut", QStringLiteral("Мельче"), QKeySequence::ZoomOut),
            &QAction::triggered, this, [this] { view_->setDpi(qRound(view_->dpi() / kZoomStep)); });
}

void PreviewWindow::addPageActions(QToolBar* bar) {
    connect(
        addTool(bar, "firstPage", QStringLiteral("Первая"), QKeySequence(Qt::CTRL | Qt::Key_Home)),
        &QAction::triggered, this, [this] { view_->goToPage(0); });
    connect(
        addTool(bar, "previousPage", QStringLiteral("Предыдущая"), QKeySequence(Qt::Key_PageUp)),
        &QAction::triggered, this, [this] { view_->goToPage(view_->currentPage() - 1); });
    pageNumber_ = new QSpinBox(bar);
    pageNumber_->setObjectName(QStringLiteral("pageNumber"));
    pageNumber_->setRange(1, std::max(1, report_.pageCount()));
    pageNumber_->setKeyboardTracking(false);
    bar->addWidget(pageNumber_);
    pageCount_ = new QLabel(bar);
    pageCount_->setObjectName(QStringLiteral("pageCount"));
    pageCount_->setText(report_.complete() ? QStringLiteral(" из %1 ").arg(report_.pageCount())
                                           : QStringLiteral(" из … "));
    bar->addWidget(pageCount_);
    connect(addTool(bar, "nextPage", QStringLiteral("Следующая"), QKeySequence(Qt::Key_PageDown)),
            &QAction::triggered, this, [this] { view_->goToPage(view_->currentPage() + 1); });
    connect(
        addTool(bar, "lastPage", QStringLiteral("Последняя"), QKeySequence(Qt::CTRL | Qt::Key_End)),
        &QAction::triggered, this, [this] {
            completeLayout();
            view_->goToPage(report_.pageCount() - 1);
        });

    connect(pageNumber_, &QSpinBox::valueChanged, this, [this](int number) {
        if (number - 1 != view_->currentPage())
            view_->goToPage(number - 1);
    });
    connect(view_, &PageView::currentPageChanged, this, &PreviewWindow::showPageNumber);
}

void PreviewWindow::addOutputActions(QToolBar* bar) {
    connect(addTool(bar, "print", QStringLiteral("Печать"), QKeySequence::Print),
            &QAction::triggered, this, [this] { print(); });
    connect(addTool(bar, "savePdf", QStringLiteral("Сохранить в PDF")), &QAction::triggered, this,
            [this] { askAndSavePdf(); });
    connect(addTool(bar, "close", QStringLiteral("Закрыть")), &QAction::triggered, this,
            [this] { reject(); });
}

void PreviewWindow::showPageNumber(int index) {
    const QSignalBlocker block(pageNumber_);
    pageNumber_->setValue(index + 1);
}

void PreviewWindow::print() {
    completeLayout();
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer, report_.format());
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, std::max(1, report_.pageCount()));
    if (ui::showModal(&dialog) != QDialog::Accepted)
        return;
    std::optional<ui::WaitCursor> wait(std::in_place);
    if (printReport(printer, report_))
        return;
    wait.reset();
    // Printing into a file fails as saving one does.
    showFailure(printer.outputFileName().isEmpty()
                    ? QStringLiteral("Не удалось напечатать на принтере ") + printer.printerName()
                    : QStringLiteral("Не удалось записать файл ") + printer.outputFileName());
}

void PreviewWindow::showFailure(const QString& text) {
    ui::showMessage({text, QStringLiteral("Ошибка"), ui::Icon::Stop, ui::Buttons::Ok});
}

void PreviewWindow::askAndSavePdf() {
    const QString name =
        report_.format().title.isEmpty() ? QStringLiteral("report") : report_.format().title;
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Сохранить в PDF"),
                                     name + QStringLiteral(".pdf"), QStringLiteral("PDF (*.pdf)"));
    if (!path.isEmpty())
        savePdf(path);
}

bool PreviewWindow::savePdf(const QString& path) {
    completeLayout();
    std::optional<ui::WaitCursor> wait(std::in_place);
    if (writePdf(path, report_))
        return true;
    wait.reset();
    showFailure(QStringLiteral("Не удалось записать файл ") + path);
    return false;
}

}  // namespace printing
