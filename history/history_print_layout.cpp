#include "history/history_print_layout.h"

#include "data/dataset_model.h"

namespace history {

namespace {
const QString kArial = QStringLiteral("Arial");
const QColor kLineGrey(0x80, 0x80, 0x80);
constexpr double kMarginMm = 10;
constexpr double kTextInsetMm = 0.5;  // a text keeps off its column's edges and the line above
}  // namespace

printing::Layout printLayout(const QString& heading, const std::vector<data::GridColumn>& columns) {
    using namespace printing;
    Layout layout;
    layout.title = QStringLiteral("История изменений");
    layout.page.orientation = Orientation::Landscape;
    layout.page.leftMm = layout.page.topMm = layout.page.rightMm = layout.page.bottomMm = kMarginMm;
    layout.page.baseFont = Font{kArial, 8, false};
    layout.zoom = PreviewZoom::PageWidth;

    std::vector<const data::GridColumn*> shown;
    int fixedPixels = 0;
    bool stretched = false;
    for (const data::GridColumn& c : columns) {
        if (c.hidden)
            continue;
        shown.push_back(&c);
        fixedPixels += c.width;
        stretched = stretched || c.width <= 0;
    }
    const double usable = layout.page.usableWidthMm();
    const double rest = stretched ? usable / 3 : 0;
    const double mmPerPixel = fixedPixels > 0 ? (usable - rest) / fixedPixels : 0;
    const double stretchedWidth =
        stretched ? usable - fixedPixels * mmPerPixel : 0;  // the rest, shared by the stretched
    int stretchedCount = 0;
    for (const data::GridColumn* c : shown)
        stretchedCount += c->width <= 0 ? 1 : 0;

    Band title = band(7);
    title.add(fixedText(heading).at(0).withFont(kArial, 10, Weight::Bold).growing());
    layout.reportHeader.push_back(title);
    layout.reportHeader.push_back(gapBand(1));

    Band header = band(5.5).withFrame(TopSide | BottomSide);
    Band detail = band(5).withFrame(BottomSide, LineStyle::Dotted, kLineGrey);
    double left = 0;
    for (const data::GridColumn* c : shown) {
        const double width =
            c->width > 0 ? c->width * mmPerPixel : stretchedWidth / std::max(1, stretchedCount);
        const double textWidth = width - 2 * kTextInsetMm;
        header.add(fixedText(c->caption)
                       .at(left + kTextInsetMm, textWidth)
                       .top(kTextInsetMm)
                       .bold()
                       .wrapping());
        const data::GridColumn column = *c;
        detail.add(computedText([column](const Row& row) {
                       const QVariant v = row.value(column.field);
                       return column.format ? column.format(v) : v.toString();
                   })
                       .reading({column.field})
                       .at(left + kTextInsetMm, textWidth)
                       .top(kTextInsetMm)
                       .wrapping());
        left += width;
    }
    layout.repeatedHeader.push_back(header);
    layout.detail = detail;
    layout.pageFooter =
        band(5).add(pageNumber(QStringLiteral("Лист %1 из %2")).at(0, usable, Align::Right));
    return layout;
}

}  // namespace history
