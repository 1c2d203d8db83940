#pragma once

#include "printing/report_layout.h"

#include <QRectF>
#include <QString>
#include <QStringList>
#include <vector>

// A prepared report: every page laid out as positioned primitives, ready to paint on any device.
namespace printing {

enum class PreparedKind {
    Box,         // a band's background and frame; no text
    Text,        // fixed text
    Field,       // field text
    Computed,    // computed text
    PageNumber,  // page number
    Sum,         // sum
};

// How a prepared item looks; items of one layout item share one style.
struct ItemStyle {
    Font font;
    Align align = Align::Left;
    bool wrap = false;  // the text breaks into lines inside its box
    QColor color = Qt::black;
    QColor background;  // invalid: transparent
    Frame frame;
};

struct PreparedItem {
    QString text;
    QRectF rectMm;  // box on the page, mm from the page's top-left corner
    PreparedKind kind = PreparedKind::Text;
    int style = 0;  // index into PreparedReport::styles
};

struct PreparedPage {
    std::vector<PreparedItem> items;
};

struct PreparedReport {
    std::vector<PreparedPage> pages;
    QString title;
    Orientation orientation = Orientation::Portrait;
    double pageWidthMm = 210;
    double pageHeightMm = 297;
    PreviewZoom zoom = PreviewZoom::PageWidth;
    std::vector<ItemStyle> styles;

    const ItemStyle& style(const PreparedItem& item) const { return styles[item.style]; }

    // Texts of a page (0-based) in paint order, boxes left out: what checks usually look for.
    QStringList texts(int page) const;
};

// A report read page by page, as painting, printing and the preview read it: a report whose pages
// are made only when they are painted, or one prepared whole.
class PagedReport {
public:
    virtual ~PagedReport() = default;
    // Title, page size, zoom and styles (its pages are not read).
    virtual const PreparedReport& format() const = 0;
    virtual int pageCount() const = 0;
    // The items of a page (0-based).
    virtual PreparedPage page(int index) const = 0;
    // A report whose pages are still being laid out: pageCount() grows with each part until
    // it is complete.
    virtual bool complete() const { return true; }
    virtual void continueLayout() const {}  // lays out the next part
    virtual void finishLayout() const {}    // lays out every page left
};

// A prepared report read page by page.
class WholeReport : public PagedReport {
public:
    explicit WholeReport(const PreparedReport& report) : report_(report) {}
    const PreparedReport& format() const override { return report_; }
    int pageCount() const override { return static_cast<int>(report_.pages.size()); }
    PreparedPage page(int index) const override { return report_.pages[index]; }

private:
    const PreparedReport& report_;
};

}  // namespace printing
