#include "printing/preview_window.h"

#include "printing/painter.h"
#include "ui/dialogs.h"
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
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <optional>

namespace printing {

namespace {
constexpr int kMarginPx = 12;  // around the pages and between them
constexpr size_t kPagesKept = 6;
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

const QImage& PageView::image(int index) {
    for (auto it = kept_.begin(); it != kept_.end(); ++it) {
        if (it->page == index && it->dpi == dpi_) {
            if (it != kept_.begin()) {  // the most recently used first
                Kept k = std::move(*it);
                kept_.erase(it);
                kept_.push_front(std::move(k));
            }
            return kept_.front().image;
        }
    }
    QImage image(pageSize(), QImage::Format_RGB32);
    const int dotsPerMetre = qRound(dpi_ / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        paintPage(p, report_.page(index), report_.format().styles);
    }
    ++painted_;
    kept_.push_front(Kept{index, dpi_, std::move(image)});
    if (kept_.size() > kPagesKept)
        kept_.pop_back();
    return kept_.front().image;
}

std::vector<int> PageView::pagesKept() const {
    std::vector<int> pages;
    for (const Kept& k : kept_)
        pages.push_back(k.page);
    return pages;
}

void PageView::paintEvent(QPaintEvent* event) {
    QPainter p(viewport());
    p.fillRect(event->rect(), palette().color(QPalette::Dark));
    const int pages = report_.pageCount();
    if (pages == 0)
        return;
    const QSize size = pageSize();
    const int top = verticalScrollBar()->value();
    const int bottom = top + viewport()->height();
    const int x = std::max(kMarginPx, (viewport()->width() - size.width()) / 2) -
                  horizontalScrollBar()->value();
    const int first = std::clamp((top - kMarginPx) / (size.height() + kMarginPx), 0, pages - 1);
    for (int i = first; i < pages && pageTop(i) < bottom; ++i) {
        const QRect target(QPoint(x, pageTop(i) - top), size);
        if (!target.intersects(event->rect()))
            continue;
        p.drawImage(target.topLeft(), image(i));
        p.setPen(Qt::black);
        p.drawRect(target.adjusted(-1, -1, 0, 0));
    }
    if (!drawnFirst_) {
        drawnFirst_ = true;
        emit firstPageDrawn();
    }
}

PreviewWindow::PreviewWindow(const PagedReport& report, QWidget* parent)
    : QDialog(parent), report_(report) {
    setObjectName(QStringLiteral("PreviewWindow"));
    setWindowTitle(report.format().title.isEmpty() ? QStringLiteral("Предварительный просмотр")
                                                   : report.format().title);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);

    view_ = new PageView(report, this);
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("toolbar"));
    auto action = [&](const char* name, const QString& text, const QKeySequence& key, auto slot) {
        QAction* a = bar->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        a->setToolTip(key.isEmpty()
                          ? text
                          : text + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) +
                                QLatin1Char(')'));
        if (!key.isEmpty())
            a->setShortcut(key);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    action("fitWidth", QStringLiteral("По ширине"), QKeySequence(),
           [this] { view_->setZoom(PageView::Zoom::PageWidth); });
    action("wholePage", QStringLiteral("Страница целиком"), QKeySequence(),
           [this] { view_->setZoom(PageView::Zoom::WholePage); });
    action("zoomIn", QStringLiteral("Крупнее"), QKeySequence::ZoomIn,
           [this] { view_->setDpi(qRound(view_->dpi() * kZoomStep)); });
    action("zoomOut", QStringLiteral("Мельче"), QKeySequence::ZoomOut,
           [this] { view_->setDpi(qRound(view_->dpi() / kZoomStep)); });
    bar->addSeparator();
    action("firstPage", QStringLiteral("Первая"), QKeySequence(Qt::CTRL | Qt::Key_Home),
           [this] { view_->goToPage(0); });
    action("previousPage", QStringLiteral("Предыдущая"), QKeySequence(Qt::Key_PageUp),
           [this] { view_->goToPage(view_->currentPage() - 1); });
    pageNumber_ = new QSpinBox(bar);
    pageNumber_->setObjectName(QStringLiteral("pageNumber"));
    pageNumber_->setRange(1, std::max(1, report.pageCount()));
    pageNumber_->setKeyboardTracking(false);
    bar->addWidget(pageNumber_);
    pageCount_ = new QLabel(QStringLiteral(" из %1 ").arg(report.pageCount()), bar);
    pageCount_->setObjectName(QStringLiteral("pageCount"));
    bar->addWidget(pageCount_);
    action("nextPage", QStringLiteral("Следующая"), QKeySequence(Qt::Key_PageDown),
           [this] { view_->goToPage(view_->currentPage() + 1); });
    action("lastPage", QStringLiteral("Последняя"), QKeySequence(Qt::CTRL | Qt::Key_End),
           [this] { view_->goToPage(report_.pageCount() - 1); });
    bar->addSeparator();
    action("print", QStringLiteral("Печать"), QKeySequence::Print, [this] { print(); });
    action("savePdf", QStringLiteral("Сохранить в PDF"), QKeySequence(),
           [this] { askAndSavePdf(); });
    action("close", QStringLiteral("Закрыть"), QKeySequence(), [this] { reject(); });

    connect(pageNumber_, &QSpinBox::valueChanged, this, [this](int number) {
        if (number - 1 != view_->currentPage())
            view_->goToPage(number - 1);
    });
    connect(view_, &PageView::currentPageChanged, this, &PreviewWindow::showPageNumber);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(view_, 1);
    view_->setZoom(report.format().zoom == PreviewZoom::WholePage ? PageView::Zoom::WholePage
                                                                  : PageView::Zoom::PageWidth);
    view_->setFocus();
}

void PreviewWindow::showPageNumber(int index) {
    const QSignalBlocker block(pageNumber_);
    pageNumber_->setValue(index + 1);
}

void PreviewWindow::print() {
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer, report_.format());
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, std::max(1, report_.pageCount()));
    if (dialog.exec() == QDialog::Accepted) {
        const ui::WaitCursor wait;
        printReport(printer, report_);
    }
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
    std::optional<ui::WaitCursor> wait(std::in_place);
    if (writePdf(path, report_))
        return true;
    wait.reset();
    ui::showMessage({QStringLiteral("Не удалось записать файл ") + path, QStringLiteral("Ошибка"),
                     ui::Icon::Stop, ui::Buttons::Ok});
    return false;
}

}  // namespace printing
