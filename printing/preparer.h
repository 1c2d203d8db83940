#pragma once

// The report engine's preparation, inside: what prepare.cpp (paging) and prepare_items.cpp
// (resolving bands and making item texts) share. Not for use outside printing/.
#include "printing/exact_sum.h"
#include "printing/fonts.h"
#include "printing/prepare.h"
#include "printing/work_progress.h"
#include "ui/format.h"

#include <map>
#include <vector>

namespace printing {

inline constexpr double kEpsilonMm = 1e-6;

// A layout item with what preparation looks up once: its column, its sum, its style.
struct ResolvedItem {
    const Item* item;
    int column = -1;  // Field / Sum by field
    int sum = -1;     // index of its accumulator
    int style = 0;
};

struct ResolvedBand {
    const Band* band;
    int id = 0;         // index into Preparer::bands_
    int boxStyle = -1;  // background / frame of the band itself
    bool grows = false;
    bool resetsSums = false;
    std::vector<ResolvedItem> items;
};

struct Accumulator {
    ExactSum total;
    int column = -1;
    const NumberFunction* expression = nullptr;
};

// A band laid out on a page: which band, over which row, where; its items are made from these
// when the page is painted. Sum texts are kept, since the sums move on.
struct Placement {
    int band;
    int row;
    double y;
    double height;
    int firstKeptText;  // of the band's sum items, in item order
};

PreparedKind preparedKind(ItemKind kind);

class Preparer {
public:
    // With a feed, the rows come in parts: the layout asks for the next part when it has placed
    // every row read so far, and ends the report only once the feed has no more.
    Preparer(const Layout& layout, const RowSource& rows, RowFeed* feed = nullptr)
        : layout_(layout), rows_(rows), feed_(feed), separator_(ui::decimalSeparator()) {
        report_.title = layout.title;
        report_.orientation = layout.page.orientation;
        report_.pageWidthMm = layout.page.pageWidthMm();
        report_.pageHeightMm = layout.page.pageHeightMm();
        report_.zoom = layout.zoom;
        resolveAll();
    }

    // Lays out every page: where each band goes, over which row. With progress, tells it the
    // pages laid out every few pages and stops there (WorkCancelled) when it was cancelled.
    void run(WorkProgress* progress = nullptr);
    // Lays out rows until untilPages pages have begun or every row is placed (then the report's
    // end too); the next call goes on from there. True once the report is laid out whole.
    bool layOut(int untilPages, WorkProgress* progress = nullptr);
    bool done() const { return done_; }

    // Title, page and styles; no pages.
    const PreparedReport& format() const { return report_; }
    int pageCount() const { return static_cast<int>(pageStarts_.size()); }
    // Makes the items of a laid-out page (0-based).
    PreparedPage page(int index);

private:
    void resolveAll();
    std::vector<ResolvedBand> resolve(const std::vector<Band>& bands);
    ResolvedBand resolve(const Band& band);
    int addStyle(const ItemStyle& style);

    double height(const std::vector<ResolvedBand>& bands) const;
    double bandHeight(const ResolvedBand& band, const Row& row);
    double itemWidth(const ResolvedItem& r, const QString& text);
    // A sum's text is its running total here; pages are painted with the kept one.
    QString itemText(const ResolvedItem& r, const Row& row, int pageNumber);
    void addItems(PreparedPage& page, int pageNumber, const Placement& placement);
    bool showsNumber(const ResolvedItem& r, const Row& row) const;
    // Keeps the texts of a band's items, placed from `items` on, inside boxes that overlap nothing
    // printed beside them: a text wider than its box takes the free room beside it on its line,
    // then a smaller size of its font; only then is it cut at its end with "…" (a number never is).
    void fitLine(const ResolvedBand& band, const Row& row, PreparedItem* items);
    // Makes a text width wide fit roomWidth: a smaller size of its font, down to the smallest
    // one, then (a number never) cut with "…". Returns its width now.
    double fitText(const ResolvedItem& r, const Row& row, PreparedItem& item, double width,
                   double roomWidth);
    // The style of r in a smaller size of its font.
    int shrunkStyle(const ResolvedItem& r, double pointSize);

    void begin();  // the first page with the report header
    bool moreRowsToCome() const { return feed_ && !feed_->allRowsRead(); }
    void startPage();
    void finishPage();
    bool fits(double mm) const { return y_ + mm <= bodyBottom_ + kEpsilonMm; }
    bool pageHasBody() const { return y_ > bodyTop_ + kEpsilonMm; }
    // Starts a new page unless the rest of this one holds mm (or nothing is on it yet).
    void keepRoom(double mm);
    void place(const ResolvedBand& band, const Row& row);
    void place(const std::vector<ResolvedBand>& bands, const Row& row);
    void placeGroupFooters(int fromLevel, const Row& lastRow);
    // The outermost group level whose value changes at this row (0 at the first row; the number
    // of groups when none does).
    int firstChangedGroup(int row) const;
    // The headers of the groups from this level inwards, kept on one page with what follows them.
    void placeGroupHeaders(int fromLevel, const Row& row);
    void addToSums(int row);

    const Layout& layout_;
    const RowSource& rows_;
    RowFeed* const feed_;
    const QChar separator_;
    PreparedReport report_;
    TextMeasure measure_;

    std::vector<ResolvedBand> reportHeader_, repeatedHeader_, reportFooter_;
    std::vector<std::vector<ResolvedBand>> groupHeaders_, groupFooters_;
    std::vector<int> groupColumns_;
    std::optional<ResolvedBand> detail_, pageFooter_;
    std::vector<Accumulator> sums_;
    // Smaller sizes of a style made for texts that did not fit: (style, size) -> style.
    std::map<std::pair<int, double>, int> shrunkStyles_;
    std::vector<const ResolvedBand*> bands_;

    // The laid-out pages: each a run of placements, from its start to the next page's.
    std::vector<Placement> placements_;
    std::vector<size_t> pageStarts_;
    std::vector<QString> keptTexts_;

    double y_ = 0;
    double bodyTop_ = 0;
    double bodyBottom_ = 0;
    double repeatedHeaderHeight_ = 0;

    // Where layOut() goes on.
    int nextRow_ = 0;
    int reportedPages_ = 0;
    bool done_ = false;
};

}  // namespace printing
