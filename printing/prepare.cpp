#include "printing/prepare.h"

#include "printing/exact_sum.h"
#include "printing/fonts.h"
#include "ui/format.h"

#include <algorithm>
#include <map>

namespace printing {

namespace {

constexpr double kEpsilonMm = 1e-6;

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

PreparedKind preparedKind(ItemKind kind) {
    switch (kind) {
        case ItemKind::Text:
            return PreparedKind::Text;
        case ItemKind::Field:
            return PreparedKind::Field;
        case ItemKind::Computed:
            return PreparedKind::Computed;
        case ItemKind::PageNumber:
            return PreparedKind::PageNumber;
        case ItemKind::Sum:
            return PreparedKind::Sum;
    }
    return PreparedKind::Text;
}

// A number through a mask, rounded on its decimal value as sums are.
QString maskedText(double value, const QString& mask, QChar separator) {
    if (mask.isEmpty())
        return ui::shortestFloat(value, separator);
    ExactSum s;
    s.add(value);
    return s.text(mask, separator);
}

QString valueText(const QVariant& v, const QString& mask, QChar separator) {
    if (v.isNull())
        return {};
    switch (v.typeId()) {
        case QMetaType::Double:
        case QMetaType::Float:
            return maskedText(v.toDouble(), mask, separator);
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
            return mask.isEmpty() ? v.toString() : maskedText(v.toDouble(), mask, separator);
        case QMetaType::QDate:
            return ui::dateText(v.toDate());
        case QMetaType::QDateTime:
            return ui::dateText(v.toDateTime().date());
        case QMetaType::QString: {
            if (!mask.isEmpty()) {
                bool ok = false;
                const double d = v.toString().toDouble(&ok);
                if (ok)
                    return maskedText(d, mask, separator);
            }
            return v.toString();
        }
        default:
            return v.toString();
    }
}

}  // namespace

class Preparer {
public:
    Preparer(const Layout& layout, const RowSource& rows)
        : layout_(layout), rows_(rows), separator_(ui::decimalSeparator()) {
        report_.title = layout.title;
        report_.orientation = layout.page.orientation;
        report_.pageWidthMm = layout.page.pageWidthMm();
        report_.pageHeightMm = layout.page.pageHeightMm();
        report_.zoom = layout.zoom;
        resolveAll();
    }

    // Lays out every page: where each band goes, over which row.
    void run();

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
    // Keeps the text inside its box: a number in a smaller size of its font (never cut), any
    // other text cut at its end with "…". Answers the style to paint with.
    int fitInBox(const ResolvedItem& r, const Row& row, QString& text, double widthMm);

    void startPage();
    void finishPage();
    bool fits(double mm) const { return y_ + mm <= bodyBottom_ + kEpsilonMm; }
    bool pageHasBody() const { return y_ > bodyTop_ + kEpsilonMm; }
    // Starts a new page unless the rest of this one holds mm (or nothing is on it yet).
    void keepRoom(double mm);
    void place(const ResolvedBand& band, const Row& row);
    void place(const std::vector<ResolvedBand>& bands, const Row& row);
    void placeGroupFooters(int fromLevel, const Row& lastRow);
    void addToSums(int row);

    const Layout& layout_;
    const RowSource& rows_;
    const QChar separator_;
    PreparedReport report_;
    TextMeasure measure_;

    std::vector<ResolvedBand> reportHeader_, repeatedHeader_, reportFooter_;
    std::vector<std::vector<ResolvedBand>> groupHeaders_, groupFooters_;
    std::vector<int> groupColumns_;
    std::optional<ResolvedBand> detail_, pageFooter_;
    std::vector<Accumulator> sums_;
    // Smaller sizes of a style made for numbers that did not fit: (style, size) -> style.
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
};

int Preparer::addStyle(const ItemStyle& style) {
    report_.styles.push_back(style);
    return static_cast<int>(report_.styles.size()) - 1;
}

ResolvedBand Preparer::resolve(const Band& band) {
    ResolvedBand rb;
    rb.band = &band;
    if (band.background.isValid() || band.frame.sides != NoSides) {
        ItemStyle box;
        box.background = band.background;
        box.frame = band.frame;
        rb.boxStyle = addStyle(box);
    }
    for (const Item& item : band.items) {
        ResolvedItem r{&item};
        ItemStyle style;
        style.font = item.font.value_or(layout_.page.baseFont);
        style.align = item.align;
        style.wrap = item.grows;
        style.color = item.color;
        style.background = item.background;
        style.frame = item.frame;
        r.style = addStyle(style);
        if (!item.field.isEmpty())
            r.column = rows_.fieldIndex(item.field);
        if (item.kind == ItemKind::Sum) {
            Accumulator acc;
            acc.column = r.column;
            if (item.expression)
                acc.expression = &item.expression;
            sums_.push_back(acc);
            r.sum = static_cast<int>(sums_.size()) - 1;
            if (item.reset == SumReset::AfterPrint)
                rb.resetsSums = true;
        }
        rb.grows = rb.grows || item.grows;
        rb.items.push_back(r);
    }
    return rb;
}

std::vector<ResolvedBand> Preparer::resolve(const std::vector<Band>& bands) {
    std::vector<ResolvedBand> out;
    out.reserve(bands.size());
    for (const Band& b : bands)
        out.push_back(resolve(b));
    return out;
}

void Preparer::resolveAll() {
    reportHeader_ = resolve(layout_.reportHeader);
    repeatedHeader_ = resolve(layout_.repeatedHeader);
    for (const Group& g : layout_.groups) {
        groupHeaders_.push_back(resolve(g.header));
        groupFooters_.push_back(resolve(g.footer));
        groupColumns_.push_back(rows_.fieldIndex(g.field));
    }
    if (layout_.detail)
        detail_ = resolve(*layout_.detail);
    reportFooter_ = resolve(layout_.reportFooter);
    if (layout_.pageFooter)
        pageFooter_ = resolve(*layout_.pageFooter);
    repeatedHeaderHeight_ = height(repeatedHeader_);

    auto number = [this](ResolvedBand& b) {
        b.id = static_cast<int>(bands_.size());
        bands_.push_back(&b);
    };
    for (auto* list : {&reportHeader_, &repeatedHeader_, &reportFooter_})
        for (ResolvedBand& b : *list)
            number(b);
    for (auto* lists : {&groupHeaders_, &groupFooters_})
        for (auto& list : *lists)
            for (ResolvedBand& b : list)
                number(b);
    if (detail_)
        number(*detail_);
    if (pageFooter_)
        number(*pageFooter_);
}

double Preparer::height(const std::vector<ResolvedBand>& bands) const {
    double h = 0;
    for (const ResolvedBand& b : bands)
        h += b.band->heightMm;
    return h;
}

QString Preparer::itemText(const ResolvedItem& r, const Row& row, int pageNumber) {
    const Item& item = *r.item;
    switch (item.kind) {
        case ItemKind::Text:
            return item.text;
        case ItemKind::Field:
            return valueText(row.value(r.column), item.mask, separator_);
        case ItemKind::Computed:
            return item.compute ? item.compute(row) : QString();
        case ItemKind::PageNumber: {
            const QString number = QString::number(pageNumber);
            return item.text.isEmpty()
                       ? number
                       : QString(item.text)
                             .replace(QLatin1String("%1"), number)
                             .replace(QLatin1String("%2"), QString::number(pageCount()));
        }
        case ItemKind::Sum:
            return sums_[r.sum].total.text(item.mask, separator_);
    }
    return {};
}

double Preparer::itemWidth(const ResolvedItem& r, const QString& text) {
    const Item& item = *r.item;
    const double room = std::max(0.0, layout_.page.usableWidthMm() - item.leftMm);
    if (item.widthMm > 0 && !item.grows)
        return item.widthMm;
    const double textWidth = measure_.widthMm(report_.styles[r.style].font, text);
    return std::min(room, std::max(item.widthMm, textWidth));
}

bool Preparer::showsNumber(const ResolvedItem& r, const Row& row) const {
    switch (r.item->kind) {
        case ItemKind::Sum:
        case ItemKind::PageNumber:
            return true;
        case ItemKind::Field: {
            const QVariant v = row.value(r.column);
            return v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float ||
                   v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong ||
                   v.typeId() == QMetaType::UInt || v.typeId() == QMetaType::ULongLong ||
                   v.typeId() == QMetaType::Short || v.typeId() == QMetaType::UShort;
        }
        case ItemKind::Text:
        case ItemKind::Computed:
            return false;
    }
    return false;
}

int Preparer::fitInBox(const ResolvedItem& r, const Row& row, QString& text, double widthMm) {
    constexpr double kSlackMm = 0.05;
    constexpr double kSmallestPointSize = 5;
    const Font& font = report_.styles[r.style].font;
    if (r.item->grows || text.isEmpty() || measure_.widthMm(font, text) <= widthMm + kSlackMm)
        return r.style;
    // A text made to fit keeps a little room from the box beside it.
    constexpr double kGapMm = 0.6;
    const double room = widthMm > 4 * kGapMm ? widthMm - kGapMm : widthMm;
    if (!showsNumber(r, row)) {
        text = measure_.elided(font, text, room);
        return r.style;
    }
    Font smaller = font;
    while (smaller.pointSize > kSmallestPointSize && measure_.widthMm(smaller, text) > room)
        smaller.pointSize -= 0.5;
    const auto key = std::make_pair(r.style, smaller.pointSize);
    auto found = shrunkStyles_.find(key);
    if (found == shrunkStyles_.end()) {
        ItemStyle style = report_.styles[r.style];
        style.font = smaller;
        found = shrunkStyles_.emplace(key, addStyle(style)).first;
    }
    return found->second;
}

double Preparer::bandHeight(const ResolvedBand& band, const Row& row) {
    double h = band.band->heightMm;
    if (!band.grows)
        return h;
    for (const ResolvedItem& r : band.items) {
        if (!r.item->grows)
            continue;
        const QString text = itemText(r, row, pageCount());
        const double w = itemWidth(r, text);
        const double textHeight = measure_.wrappedHeightMm(report_.styles[r.style].font, text, w);
        h = std::max(h, r.item->topMm + std::max(r.item->heightMm, textHeight));
    }
    return h;
}

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
    for (const ResolvedItem& r : band.items) {
        const Item& item = *r.item;
        QString text = r.sum >= 0 ? keptTexts_[kept++] : itemText(r, row, pageNumber);
        const double w = itemWidth(r, text);
        const int style = fitInBox(r, row, text, w);
        const double itemHeight = item.heightMm > 0 && !item.grows ? item.heightMm : h - item.topMm;
        page.items.push_back(PreparedItem{std::move(text),
                                          QRectF(left + item.leftMm, y + item.topMm, w, itemHeight),
                                          preparedKind(item.kind), style});
    }
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

void Preparer::run() {
    const int rows = rows_.recordCount();
    const int levels = static_cast<int>(groupColumns_.size());
    const double innermostFooter = levels > 0 ? height(groupFooters_.back()) : 0.0;

    startPage();
    place(reportHeader_, Row(&rows_, rows > 0 ? 0 : -1));
    place(repeatedHeader_, Row(&rows_, -1));
    bodyTop_ = y_;

    for (int i = 0; i < rows; ++i) {
        // The outermost group whose value changes at this row: its footers (of the previous
        // row's groups) and headers from there inwards print here.
        int changed = levels;
        if (i == 0) {
            changed = 0;
        } else {
            for (int g = 0; g < levels; ++g) {
                const int c = groupColumns_[g];
                if (rows_.valueAt(i, c) != rows_.valueAt(i - 1, c)) {
                    changed = g;
                    break;
                }
            }
            placeGroupFooters(changed, Row(&rows_, i - 1));
        }
        const Row row(&rows_, i);
        if (changed < levels) {
            // The headers stay with their footer, and with their first row where the row asks
            // for more room, so that no header is left alone at the foot of a page.
            const double detailRoom =
                detail_ ? bandHeight(*detail_, row) + repeatedHeaderHeight_ : 0.0;
            double block = std::max(innermostFooter, detailRoom);
            for (int g = changed; g < levels; ++g)
                for (const ResolvedBand& b : groupHeaders_[g])
                    block += bandHeight(b, row);
            keepRoom(block);
            for (int g = changed; g < levels; ++g)
                place(groupHeaders_[g], row);
        }
        addToSums(i);
        if (detail_) {
            keepRoom(bandHeight(*detail_, row) + repeatedHeaderHeight_);
            place(*detail_, row);
        }
    }
    const Row last(&rows_, rows - 1);
    if (rows > 0)
        placeGroupFooters(0, last);
    place(reportFooter_, last);
    finishPage();
    placements_.shrink_to_fit();
    keptTexts_.shrink_to_fit();
}

LaidOutReport::LaidOutReport(const Layout& layout, const RowSource& rows)
    : layout_(layout), preparer_(std::make_unique<Preparer>(layout_, rows)) {
    preparer_->run();
}

LaidOutReport::~LaidOutReport() = default;

const PreparedReport& LaidOutReport::format() const {
    return preparer_->format();
}

int LaidOutReport::pageCount() const {
    return preparer_->pageCount();
}

PreparedPage LaidOutReport::page(int index) const {
    return preparer_->page(index);
}

PreparedReport LaidOutReport::whole() const {
    PreparedReport report = format();
    report.pages.reserve(pageCount());
    for (int i = 0; i < pageCount(); ++i)
        report.pages.push_back(page(i));
    // Making a page may add a smaller size of a style for a number that did not fit.
    report.styles = format().styles;
    return report;
}

PreparedReport prepare(const Layout& layout, const RowSource& rows) {
    return LaidOutReport(layout, rows).whole();
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
