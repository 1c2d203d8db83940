// Fitting the texts of a band into their line: free room beside a text first, then a smaller size
// of its font, and only then "…".
#include "printing/preparer.h"

#include <algorithm>
#include <optional>

namespace printing {

namespace {

constexpr double kSlackMm = 0.05;
// A text made to fit keeps a little room from what is printed beside it.
constexpr double kGapMm = 0.6;
// Smallest sizes a text is shrunk to: numbers go further, since they are never cut.
constexpr double kSmallestNumberSize = 5;
constexpr double kSmallestTextSize = 7;
constexpr double kSizeStep = 0.5;

struct Span {
    double left;
    double right;
    double centre() const { return (left + right) / 2; }
};

// Where a text of this width is printed inside its box.
Span inkOf(const QRectF& box, Align align, double textWidth) {
    switch (align) {
        case Align::Left:
            return {box.left(), box.left() + textWidth};
        case Align::Right:
            return {box.right() - textWidth, box.right()};
        case Align::Center:
            break;
    }
    const double c = box.center().x();
    return {c - textWidth / 2, c + textWidth / 2};
}

// The box of a text of this width inside the span it may use, widened only as far as it needs.
QRectF boxWithin(const QRectF& box, Align align, double width, const Span& room) {
    QRectF r = box;
    switch (align) {
        case Align::Left:
            r.setLeft(room.left);
            r.setWidth(width);
            break;
        case Align::Right:
            r.setLeft(room.right - width);
            r.setWidth(width);
            break;
        case Align::Center:
            r.setLeft(room.centre() - width / 2);
            r.setWidth(width);
            break;
    }
    return r;
}

bool sameLine(const QRectF& a, const QRectF& b) {
    return std::min(a.bottom(), b.bottom()) - std::max(a.top(), b.top()) > kEpsilonMm;
}

// The room a text may take inside the free span beside its box: a left-aligned text keeps its
// left edge, a right-aligned one its right edge, a centred one its centre.
Span roomWithin(const QRectF& box, Align align, Span free) {
    switch (align) {
        case Align::Left:
            free.left = box.left();
            return free;
        case Align::Right:
            free.right = box.right();
            return free;
        case Align::Center:
            break;
    }
    const double c = box.center().x();
    const double half = std::min(c - free.left, free.right - c);
    return {c - half, c + half};
}

// The items of one band on one row while their texts are made to fit: how wide each text is,
// which are still too wide for their boxes and which have been widened.
class Line {
public:
    Line(const std::vector<ItemStyle>& styles, PreparedItem* items, size_t count)
        : styles_(styles),
          items_(items),
          widths_(count, 0.0),
          tooWide_(count, false),
          widened_(count, false) {}

    // Measures every text; whether any is wider than its box.
    bool measure(const ResolvedBand& band, TextMeasure& measure) {
        bool any = false;
        for (size_t i = 0; i < size(); ++i) {
            if (band.items[i].item->wrapsText()) {  // its lines fit already
                widths_[i] = items_[i].rectMm.width();
                continue;
            }
            if (items_[i].text.isEmpty())
                continue;
            widths_[i] = measure.widthMm(styles_[items_[i].style].font, items_[i].text);
            tooWide_[i] = widths_[i] > items_[i].rectMm.width() + kSlackMm;
            any = any || tooWide_[i];
        }
        return any;
    }

    size_t size() const { return widths_.size(); }
    bool tooWide(size_t i) const { return tooWide_[i]; }
    double width(size_t i) const { return widths_[i]; }

    // The items from left to right.
    std::vector<size_t> leftToRight() const {
        std::vector<size_t> order(size());
        for (size_t i = 0; i < size(); ++i)
            order[i] = i;
        std::sort(order.begin(), order.end(), [this](size_t a, size_t b) {
            return items_[a].rectMm.left() < items_[b].rectMm.left();
        });
        return order;
    }

    // The free room beside item i up to the next printed item on the line, or the page's edge;
    // never less than its box, short of the gap it keeps where it meets its neighbour.
    Span freeRoomBeside(size_t i, const Span& page) const {
        const QRectF& box = items_[i].rectMm;
        Span free = page;
        for (size_t j = 0; j < size(); ++j) {
            if (j == i || !sameLine(box, items_[j].rectMm))
                continue;
            if (const auto other = printed(j)) {
                if (other->centre() >= box.center().x())
                    free.right = std::min(free.right, other->left - kGapMm);
                else
                    free.left = std::max(free.left, other->right + kGapMm);
            }
        }
        const double inside = box.width() > 4 * kGapMm ? kGapMm / 2 : 0.0;
        free.left = std::min(free.left, box.left() + inside);
        free.right = std::max(free.right, box.right() - inside);
        return free;
    }

    // Item i's text, now width wide, takes its place in room: its box widened only as far as the
    // text needs.
    void widen(size_t i, const Span& room, double width) {
        PreparedItem& item = items_[i];
        const double roomWidth = room.right - room.left;
        item.rectMm = boxWithin(item.rectMm, styles_[item.style].align,
                                std::min(roomWidth, std::max(width, item.rectMm.width())), room);
        widths_[i] = width;
        tooWide_[i] = false;
        widened_[i] = true;
    }

    // A neighbour whose box a widened text now reaches keeps only the part its text covers.
    void trimNeighbours() {
        for (size_t j = 0; j < size(); ++j) {
            if (widened_[j])
                continue;
            const auto covered = printed(j);
            if (!covered)
                continue;
            for (size_t i = 0; i < size(); ++i) {
                if (widened_[i] && items_[i].rectMm.intersects(items_[j].rectMm)) {
                    items_[j].rectMm.setLeft(covered->left);
                    items_[j].rectMm.setRight(covered->right);
                    break;
                }
            }
        }
    }

private:
    // What an item covers on paper: its box when it has a background or frame or is still too
    // wide for it, its text where the text fits, nothing for a blank text.
    std::optional<Span> printed(size_t j) const {
        const ItemStyle& style = styles_[items_[j].style];
        const QRectF& box = items_[j].rectMm;
        if (style.background.isValid() || style.frame.sides != NoSides || tooWide_[j])
            return Span{box.left(), box.right()};
        if (items_[j].text.trimmed().isEmpty())
            return std::nullopt;
        return inkOf(box, style.align, widths_[j]);
    }

    // The report's styles: fitting adds smaller sizes to them, so they are read afresh each time.
    const std::vector<ItemStyle>& styles_;
    PreparedItem* items_;
    std::vector<double> widths_;
    std::vector<bool> tooWide_;
    std::vector<bool> widened_;
};

}  // namespace

int Preparer::shrunkStyle(const ResolvedItem& r, double pointSize) {
    const auto key = std::make_pair(r.style, pointSize);
    auto found = shrunkStyles_.find(key);
    if (found == shrunkStyles_.end()) {
        ItemStyle style = report_.styles[r.style];
        style.font.pointSize = pointSize;
        found = shrunkStyles_.emplace(key, addStyle(style)).first;
    }
    return found->second;
}

double Preparer::fitText(const ResolvedItem& r, const Row& row, PreparedItem& item, double width,
                         double roomWidth) {
    if (width <= roomWidth + kSlackMm)
        return width;
    Font font = report_.styles[item.style].font;
    const bool number = showsNumber(r, row);
    const double smallest = number ? kSmallestNumberSize : kSmallestTextSize;
    while (font.pointSize - kSizeStep >= smallest - kEpsilonMm && width > roomWidth) {
        font.pointSize -= kSizeStep;
        width = measure_.widthMm(font, item.text);
    }
    if (width <= roomWidth + kSlackMm || number) {
        item.style = shrunkStyle(r, font.pointSize);
        return width;
    }
    const Font& own = report_.styles[item.style].font;
    item.text = measure_.elided(own, item.text, roomWidth);
    return measure_.widthMm(own, item.text);
}

void Preparer::fitLine(const ResolvedBand& band, const Row& row, PreparedItem* items) {
    Line line(report_.styles, items, band.items.size());
    if (!line.measure(band, measure_))
        return;
    const Span page{layout_.page.leftMm, layout_.page.leftMm + layout_.page.usableWidthMm()};
    for (size_t i : line.leftToRight()) {
        if (!line.tooWide(i))
            continue;
        const Span room = roomWithin(items[i].rectMm, report_.styles[items[i].style].align,
                                     line.freeRoomBeside(i, page));
        const double width =
            fitText(band.items[i], row, items[i], line.width(i), room.right - room.left);
        line.widen(i, room, width);
    }
    line.trimNeighbours();
}

}  // namespace printing
