#pragma once

#include "printing/row_source.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <optional>
#include <vector>

// The banded report layout: plain data describing a printed document. Preparation (prepare.h)
// turns it and the rows of a RowSource into pages of positioned texts; painting draws those.
// All measurements are millimetres. Item positions are relative to their band: left from the
// left margin, top from the band's top edge.
namespace printing {

enum class Align { Left, Center, Right };
enum class Orientation { Portrait, Landscape };
enum class PreviewZoom { PageWidth, WholePage };

enum class Weight { Normal, Bold };

struct Font {
    QString family = QStringLiteral("Arial");
    double pointSize = 10;
    bool bold = false;
};

// Sides of a frame, combined with |.
enum Side : int {
    NoSides = 0,
    LeftSide = 1,
    TopSide = 2,
    RightSide = 4,
    BottomSide = 8,
    AllSides = 15
};
enum class LineStyle { Solid, Dotted };

struct Frame {
    int sides = NoSides;
    LineStyle style = LineStyle::Solid;
    QColor color = Qt::black;
    double widthMm = 0.2;
};

// One row as computed texts and sum expressions see it. A row of no rows (-1) reads every field
// as NULL.
class Row {
public:
    Row(const RowSource* rows, int row) : rows_(rows), row_(row) {}

    // Throws UnknownFieldError for a field the rows do not have.
    QVariant value(const QString& field) const;
    QVariant value(int column) const;
    double number(const QString& field) const;  // NULL reads as 0
    int integer(const QString& field) const;    // NULL reads as 0; rounded, not cut
    int index() const { return row_; }          // the row of the rows; -1: none

private:
    const RowSource* rows_;
    int row_;
};

using TextFunction = std::function<QString(const Row&)>;
using NumberFunction = std::function<double(const Row&)>;

enum class ItemKind {
    Text,        // fixed text
    Field,       // a field of the current row, through the item's mask when it is a number
    Computed,    // a function of the current row
    PageNumber,  // the page number; a text with %1 (page) and %2 (pages) is used as a pattern
    Sum,         // the sum of an expression over the detail rows printed since the last reset
};

// When a sum starts from zero again: after its band printed (group totals) or never (report
// totals). Every sum starts from zero when a report is prepared.
enum class SumReset { AfterPrint, Never };

struct Item {
    ItemKind kind = ItemKind::Text;
    QString text;          // Text: the text; PageNumber: optional pattern
    QString field;         // Field: the field; Sum: the summed field when no expression is given
    TextFunction compute;  // Computed
    NumberFunction expression;  // Sum: the value a detail row adds
    // Computed, Sum by expression: the fields the function reads, resolved with the layout.
    QStringList reads;
    SumReset reset = SumReset::AfterPrint;
    QString mask;  // "#0.000", "#0.00", "#0"; empty: the plain shortest form of a number

    double leftMm = 0;
    double topMm = 0;
    double widthMm = 0;   // 0: as wide as the text
    double heightMm = 0;  // 0: down to the bottom of the band
    Align align = Align::Left;
    // The item widens with its text (up to the right margin), then wraps and makes its band
    // taller: for titles whose text is set at run time.
    bool grows = false;
    // The item keeps its width and breaks its text into lines, making its band taller: for a
    // column whose texts are printed whole however long they are.
    bool wraps = false;
    bool wrapsText() const { return grows || wraps; }

    std::optional<Font> font;  // the layout's base font when not given
    QColor color = Qt::black;
    QColor background;  // invalid: transparent
    Frame frame;

    // Fluent setters, so that layouts read as tables.
    Item& at(double left, double width = 0, Align a = Align::Left);
    Item& top(double mm);
    Item& withFont(const QString& family, double pointSize, Weight weight = Weight::Normal);
    Item& bold();
    Item& withBackground(const QColor& c);
    Item& withFrame(int sides, LineStyle style = LineStyle::Solid, const QColor& c = Qt::black);
    Item& growing();
    Item& wrapping();
    Item& reading(QStringList fields);
};

Item fixedText(const QString& text);
Item fieldText(const QString& field, const QString& mask = {});
Item computedText(TextFunction compute);
Item pageNumber(const QString& pattern = {});
Item sumOf(const QString& field, const QString& mask = {}, SumReset reset = SumReset::AfterPrint);
Item sumOf(NumberFunction expression, const QString& mask = {},
           SumReset reset = SumReset::AfterPrint);

struct Band {
    double heightMm = 0;
    QColor background;  // invalid: transparent
    Frame frame;        // lines on the band's own edges, across the usable width
    std::vector<Item> items;

    Band& add(Item item);
    Band& withBackground(const QColor& c);
    Band& withFrame(int sides, LineStyle style = LineStyle::Solid, const QColor& c = Qt::black);
};

Band band(double heightMm);
// An empty band of a fixed height: a gap between two bands.
Band gapBand(double heightMm);

// A group by the value of a field: its header prints before the first row and whenever the
// value changes from one row to the next (not again at the top of a new page); its footer after
// the last row of the group. Field items in a header read the group's first row, in a footer
// its last row.
struct Group {
    QString field;
    std::vector<Band> header;
    std::vector<Band> footer;
};

struct PageSetup {
    Orientation orientation = Orientation::Portrait;  // A4
    double leftMm = 10, topMm = 10, rightMm = 10, bottomMm = 10;
    Font baseFont;  // Arial 10 pt

    double pageWidthMm() const { return orientation == Orientation::Portrait ? 210.0 : 297.0; }
    double pageHeightMm() const { return orientation == Orientation::Portrait ? 297.0 : 210.0; }
    double usableWidthMm() const { return pageWidthMm() - leftMm - rightMm; }
};

// Bands in print order on the first page: report header, repeated header, then for every row
// the headers of the groups whose value changed (outermost first), the detail band, and after
// a group's last row its footers (innermost first); after the last row the report footer.
// The repeated header also opens every further page; the page footer closes every page.
//
// Keep-with rules: the innermost group header (with the outer headers printed at the same row)
// starts a new page when the rest of the page cannot hold it and the innermost footer (or its
// first detail row, when that row asks for more room); a detail row starts a new page when the
// rest of the page cannot hold it and the repeated header.
// Any other band that does not fit starts a new page.
struct Layout {
    QString title;  // the preview window's caption
    PageSetup page;
    PreviewZoom zoom = PreviewZoom::PageWidth;

    std::vector<Band> reportHeader;    // once, before the first row (a gap band too)
    std::vector<Band> repeatedHeader;  // after the report header and atop every page
    std::vector<Group> groups;         // outermost first
    std::optional<Band> detail;        // once per row
    std::vector<Band> reportFooter;    // once, after the last row
    std::optional<Band> pageFooter;    // at the bottom of every page
};

}  // namespace printing
