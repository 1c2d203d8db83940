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

void Preparer::fitLine(const ResolvedBand& band, const Row& row, PreparedItem* items) {
    const size_t n = band.items.size();
    std::vector<double> widths(n, 0.0);
    std::vector<bool> tooWide(n, false);
    bool any = false;
    for (size_t i = 0; i < n; ++i) {
        if (band.items[i].item->grows) {  // as wide as its text already
            widths[i] = items[i].rectMm.width();
            continue;
        }
        if (items[i].text.isEmpty())
            continue;
        widths[i] = measure_.widthMm(report_.styles[items[i].style].font, items[i].text);
        tooWide[i] = widths[i] > items[i].rectMm.width() + kSlackMm;
        any = any || tooWide[i];
    }
    if (!any)
        return;

    // What an item covers on paper: its box when it has a background or frame or is still too wide
    // for it, its text where the text fits, nothing for a blank text.
    auto printed = [&](size_t j) -> std::optional<Span> {
        const ItemStyle& style = report_.styles[items[j].style];
        const QRectF& box = items[j].rectMm;
        if (style.background.isValid() || style.frame.sides != NoSides || tooWide[j])
            return Span{box.left(), box.right()};
        if (items[j].text.trimmed().isEmpty())
            return std::nullopt;
        return inkOf(box, style.align, widths[j]);
    };

    std::vector<size_t> order(n);
    for (size_t i = 0; i < n; ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(),
              [&](size_t a, size_t b) { return items[a].rectMm.left() < items[b].rectMm.left(); });
    std::vector<bool> widened(n, false);
    const double pageLeft = layout_.page.leftMm;
    const double pageRight = pageLeft + layout_.page.usableWidthMm();
    for (size_t i : order) {
        if (!tooWide[i])
            continue;
        const ResolvedItem& r = band.items[i];
        PreparedItem& item = items[i];
        const QRectF box = item.rectMm;
        const Align align = report_.styles[item.style].align;

        // The free room beside the box up to the next printed item on the line, or the page edge.
        Span free{pageLeft, pageRight};
        for (size_t j = 0; j < n; ++j) {
            if (j == i || !sameLine(box, items[j].rectMm))
                continue;
            if (const auto other = printed(j)) {
                if (other->centre() >= box.center().x())
                    free.right = std::min(free.right, other->left - kGapMm);
                else
                    free.left = std::max(free.left, other->right + kGapMm);
            }
        }
        // Never less than the box, short of the gap it keeps where it meets its neighbour.
        const double inside = box.width() > 4 * kGapMm ? kGapMm / 2 : 0.0;
        free.left = std::min(free.left, box.left() + inside);
        free.right = std::max(free.right, box.right() - inside);
        Span room = free;
        if (align == Align::Left) {
            room.left = box.left();
        } else if (align == Align::Right) {
            room.right = box.right();
        } else {
            const double half =
                std::min(box.center().x() - free.left, free.right - box.center().x());
            room = {box.center().x() - half, box.center().x() + half};
        }
        const double roomWidth = room.right - room.left;

        Font font = report_.styles[item.style].font;
        const bool number = showsNumber(r, row);
        double width = widths[i];
        if (width > roomWidth + kSlackMm) {
            const double smallest = number ? kSmallestNumberSize : kSmallestTextSize;
            while (font.pointSize - kSizeStep >= smallest - kEpsilonMm && width > roomWidth) {
                font.pointSize -= kSizeStep;
                width = measure_.widthMm(font, item.text);
            }
            if (width <= roomWidth + kSlackMm || number) {
                item.style = shrunkStyle(r, font.pointSize);
            } else {
                const Font& own = report_.styles[item.style].font;
                item.text = measure_.elided(own, item.text, roomWidth);
                width = measure_.widthMm(own, item.text);
            }
        }
        item.rectMm =
            boxWithin(box, align, std::min(roomWidth, std::max(width, box.width())), room);
        widths[i] = width;
        tooWide[i] = false;
        widened[i] = true;
    }

    // A neighbour whose box the widened text now reaches keeps only the part its text covers.
    for (size_t j = 0; j < n; ++j) {
        if (widened[j])
            continue;
        const auto covered = printed(j);
        if (!covered)
            continue;
        for (size_t i = 0; i < n; ++i) {
            if (widened[i] && items[i].rectMm.intersects(items[j].rectMm)) {
                items[j].rectMm.setLeft(covered->left);
                items[j].rectMm.setRight(covered->right);
                break;
            }
        }
    }
}

}  // namespace printing
