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

}  // namespace printing
