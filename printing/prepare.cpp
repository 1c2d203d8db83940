// Preparation: laying the bands out on pages and making a page's items when it is read.
#include "printing/prepare.h"

#include "printing/preparer.h"

#include <algorithm>
#include <limits>

namespace printing {

void Preparer::startPage() {
    pageStarts_.push_back(placements_.size());
    y_ = layout_.page.topMm;
    bodyBottom_ = layout_.page.pageHeightMm() - layout_.page.bottomMm -
                  (pageFooter_ ? pageFooter_->band->heightMm : 0.0);
    // The first page opens with the report header; the repeated header follows it there.
    if (pageStarts_.size() > 1)
        place(repeatedHeader_, Row(&rows_, -1));
    bodyTop_ = y_;
}

void Preparer::finishPage() {
    if (pageFooter_) {
        y_ = layout_.page.pageHeightMm() - layout_.page.bottomMm - pageFooter_->band->heightMm;
        const int last = rows_.recordCount() - 1;
        place(*pageFooter_, Row(&rows_, last));
    }
}

void Preparer::keepRoom(double mm) {
    if (!fits(mm) && pageHasBody()) {
        finishPage();
        startPage();
    }
}

void Preparer::place(const ResolvedBand& band, const Row& row) {
    const double h = bandHeight(band, row);
    placements_.push_back(
        Placement{band.id, row.index(), y_, h, static_cast<int>(keptTexts_.size())});
    for (const ResolvedItem& r : band.items)
        if (r.sum >= 0)
            keptTexts_.push_back(sums_[r.sum].total.text(r.item->mask, separator_));
    if (band.resetsSums)
        for (const ResolvedItem& r : band.items)
            if (r.sum >= 0 && r.item->reset == SumReset::AfterPrint)
                sums_[r.sum].total.reset();
    y_ += h;
}

void Preparer::addItems(PreparedPage& page, int pageNumber, const Placement& placement) {
    const ResolvedBand& band = *bands_[placement.band];
    const Row row(&rows_, placement.row);
    const double h = placement.height;
    const double y = placement.y;
    const double left = layout_.page.leftMm;
    if (band.boxStyle >= 0)
        page.items.push_back(PreparedItem{QString(),
                                          QRectF(left, y, layout_.page.usableWidthMm(), h),
                                          PreparedKind::Box, band.boxStyle});
    int kept = placement.firstKeptText;
    const size_t first = page.items.size();
    for (const ResolvedItem& r : band.items) {
        const Item& item = *r.item;
        QString text = r.sum >= 0 ? keptTexts_[kept++] : itemText(r, row, pageNumber);
        const double w = itemWidth(r, text);
        const double itemHeight =
            item.heightMm > 0 && !item.wrapsText() ? item.heightMm : h - item.topMm;
        page.items.push_back(PreparedItem{std::move(text),
                                          QRectF(left + item.leftMm, y + item.topMm, w, itemHeight),
                                          preparedKind(item.kind), r.style});
    }
    if (!band.items.empty())
        fitLine(band, row, &page.items[first]);
}

PreparedPage Preparer::page(int index) {
    PreparedPage page;
    const size_t end = index + 1 < pageCount() ? pageStarts_[index + 1] : placements_.size();
    for (size_t i = pageStarts_[index]; i < end; ++i)
        addItems(page, index + 1, placements_[i]);
    return page;
}

void Preparer::place(const std::vector<ResolvedBand>& bands, const Row& row) {
    for (const ResolvedBand& b : bands) {
        if (!pageStarts_.empty() && &bands != &repeatedHeader_)
            keepRoom(bandHeight(b, row));
        place(b, row);
    }
}

void Preparer::placeGroupFooters(int fromLevel, const Row& lastRow) {
    for (int g = static_cast<int>(groupFooters_.size()) - 1; g >= fromLevel; --g)
        place(groupFooters_[g], lastRow);
}

void Preparer::addToSums(int row) {
    if (sums_.empty())
        return;
    const Row r(&rows_, row);
    for (Accumulator& acc : sums_) {
        if (acc.expression) {
            acc.total.add((*acc.expression)(r));
        } else {
            const QVariant v = rows_.valueAt(row, acc.column);
            if (!v.isNull())
                acc.total.add(v.toDouble());
        }
    }
}

namespace {
constexpr int kPagesBetweenReports = 20;
}  // namespace

int Preparer::firstChangedGroup(int row) const {
    const int levels = static_cast<int>(groupColumns_.size());
    if (row == 0)
        return 0;
    for (int g = 0; g < levels; ++g) {
        const int c = groupColumns_[g];
        if (rows_.valueAt(row, c) != rows_.valueAt(row - 1, c))
            return g;
    }
    return levels;
}

void Preparer::placeGroupHeaders(int fromLevel, const Row& row) {
    const int levels = static_cast<int>(groupColumns_.size());
    if (fromLevel >= levels)
        return;
    // The headers stay with their footer, and with their first row where the row asks for more
    // room, so that no header is left alone at the foot of a page.
    const double innermostFooter = height(groupFooters_.back());
    const double detailRoom = detail_ ? bandHeight(*detail_, row) + repeatedHeaderHeight_ : 0.0;
    double block = std::max(innermostFooter, detailRoom);
    for (int g = fromLevel; g < levels; ++g)
        for (const ResolvedBand& b : groupHeaders_[g])
            block += bandHeight(b, row);
    keepRoom(block);
    for (int g = fromLevel; g < levels; ++g)
        place(groupHeaders_[g], row);
}

void Preparer::begin() {
    startPage();
    place(reportHeader_, Row(&rows_, rows_.recordCount() > 0 ? 0 : -1));
    place(repeatedHeader_, Row(&rows_, -1));
    bodyTop_ = y_;
    nextRow_ = 0;
    done_ = false;
}

bool Preparer::layOut(int untilPages, WorkProgress* progress) {
    if (done_)
        return true;
    if (pageStarts_.empty()) {
        // The report header prints over the first row: it is there first, or known not to be.
        while (rows_.recordCount() == 0 && moreRowsToCome())
            feed_->readMoreRows(progress);
        begin();
    }
    for (;;) {
        const int rows = rows_.recordCount();
        for (; nextRow_ < rows && pageCount() < untilPages; ++nextRow_) {
            const int i = nextRow_;
            // The outermost group whose value changes at this row: its footers (of the previous
            // row's groups) and headers from there inwards print here.
            const int changed = firstChangedGroup(i);
            if (i > 0)
                placeGroupFooters(changed, Row(&rows_, i - 1));
            const Row row(&rows_, i);
            placeGroupHeaders(changed, row);
            addToSums(i);
            if (detail_) {
                keepRoom(bandHeight(*detail_, row) + repeatedHeaderHeight_);
                place(*detail_, row);
            }
            if (progress && pageCount() >= reportedPages_ + kPagesBetweenReports) {
                reportedPages_ = pageCount();
                progress->pagesMade(reportedPages_, i + 1, rows);
                stopIfCancelled(progress);
            }
        }
        if (nextRow_ < rows)
            return false;
        if (!moreRowsToCome())
            break;
        if (pageCount() >= untilPages)
            return false;
        feed_->readMoreRows(progress);
    }
    const int rows = rows_.recordCount();
    const Row last(&rows_, rows - 1);
    if (rows > 0)
        placeGroupFooters(0, last);
    place(reportFooter_, last);
    finishPage();
    placements_.shrink_to_fit();
    keptTexts_.shrink_to_fit();
    done_ = true;
    return true;
}

void Preparer::run(WorkProgress* progress) {
    layOut(std::numeric_limits<int>::max(), progress);
}

LaidOutReport::LaidOutReport(const Layout& layout, const RowSource& rows, WorkProgress* progress,
                             int firstPages, RowFeed* feed)
    : layout_(layout), preparer_(std::make_unique<Preparer>(layout_, rows, feed)) {
    // A page is whole once the next one has begun.
    preparer_->layOut(firstPages > 0 ? firstPages + 1 : std::numeric_limits<int>::max(), progress);
}

LaidOutReport::~LaidOutReport() = default;

const PreparedReport& LaidOutReport::format() const {
    return preparer_->format();
}

int LaidOutReport::pageCount() const {
    // The page being laid out is not one yet.
    return preparer_->done() ? preparer_->pageCount() : preparer_->pageCount() - 1;
}

PreparedPage LaidOutReport::page(int index) const {
    return preparer_->page(index);
}

bool LaidOutReport::complete() const {
    return preparer_->done();
}

void LaidOutReport::continueLayout() const {
    preparer_->layOut(preparer_->pageCount() + kPagesPerPart);
}

void LaidOutReport::finishLayout() const {
    preparer_->layOut(std::numeric_limits<int>::max());
}

PreparedReport LaidOutReport::whole() const {
    finishLayout();
    PreparedReport report = format();
    report.pages.reserve(pageCount());
    for (int i = 0; i < pageCount(); ++i)
        report.pages.push_back(page(i));
    // Making a page may add a smaller size of a style for a number that did not fit.
    report.styles = format().styles;
    return report;
}

PreparedReport prepare(const Layout& layout, const RowSource& rows, WorkProgress* progress,
                       RowFeed* feed) {
    return LaidOutReport(layout, rows, progress, 0, feed).whole();
}

QStringList PreparedReport::texts(int page) const {
    QStringList out;
    if (page < 0 || page >= static_cast<int>(pages.size()))
        return out;
    for (const PreparedItem& item : pages[page].items)
        if (item.kind != PreparedKind::Box)
            out << item.text;
    return out;
}

}  // namespace printing
