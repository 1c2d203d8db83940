#include "reports/report_look.h"

#include "data/product_kind.h"
#include "reports/report_texts.h"
#include "ui/colors.h"

namespace reports::look {

using namespace printing;

namespace {
const QString kSansSerif = QStringLiteral("MS Sans Serif");
const QString kArial = QStringLiteral("Arial");
constexpr double kMarginMm = 10;
constexpr double kUsableWidthMm = 210 - 2 * kMarginMm;  // A4 portrait

QColor reportHeaderGrey() {
    return ui::color(0x00F4F4F4);
}
QColor groupHeaderGrey() {
    return ui::color(0x00E0E0E0);
}
QColor footerGrey() {
    return ui::color(0x00DCDCDC);
}
QColor sumGrey() {
    return ui::color(0x00EFEFEF);
}
}  // namespace

Layout page(const QString& caption) {
    Layout l;
    l.title = caption;
    l.page.orientation = Orientation::Portrait;
    l.page.leftMm = l.page.topMm = l.page.rightMm = l.page.bottomMm = kMarginMm;
    l.page.baseFont = Font{kArial, 10, false};
    l.zoom = PreviewZoom::PageWidth;
    return l;
}

void addReportHeader(Layout& layout, Band header) {
    header.withBackground(reportHeaderGrey());
    layout.reportHeader.push_back(std::move(header));
    layout.reportHeader.push_back(gapBand(0.5));
}

Item title(const QString& text, double left, double pointSize) {
    return fixedText(text).at(left).withFont(kArial, pointSize, Weight::Bold).growing();
}

Item columnHeading(const QString& text, double left, double pointSize) {
    return fixedText(text)
        .at(left)
        .withFont(kArial, pointSize, Weight::Bold)
        .withBackground(Qt::white);
}

Band firstGroupHeader(double height, const QString& field) {
    return groupHeader(height, field).withBackground(groupHeaderGrey());
}

Band groupHeader(double height, const QString& field) {
    // Across the band's usable width, up to the right margin.
    constexpr double kLeft = 0.3;
    return band(height).add(
        fieldText(field).at(kLeft, kUsableWidthMm - kLeft).withFont(kArial, 10, Weight::Bold));
}

Item detail(Item item, double left, double width, Align align, double pointSize) {
    return item.at(left, width, align).withFont(kSansSerif, pointSize);
}

Item groupSum(const QString& field, double left, double width, const QString& mask) {
    return sumOf(field, mask, SumReset::AfterPrint)
        .at(left, width, Align::Center)
        .withFont(kSansSerif, 9, Weight::Bold)
        .withBackground(sumGrey());
}

Item reportSum(const QString& field, double left, double width, const QString& mask) {
    return sumOf(field, mask, SumReset::Never)
        .at(left, width, Align::Center)
        .withFont(kSansSerif, 11, Weight::Bold)
        .withBackground(sumGrey());
}

Item totalLabel(double left) {
    return fixedText(QStringLiteral("Итого:")).at(left).withFont(kSansSerif, 11, Weight::Bold);
}

Band reportFooter(double height) {
    return band(height).withBackground(footerGrey()).withFrame(AllSides);
}

Band pageFooter() {
    return band(4.2).add(pageNumber().at(176.2, 0, Align::Left).withFont(kArial, 9));
}

Item kindText() {
    return computedText([](const Row& r) { return data::productKindText(r.integer("naimen")); })
        .reading({QStringLiteral("naimen")});
}

Item colourText() {
    return computedText([](const Row& r) { return reports::colourText(r.integer("color")); })
        .reading({QStringLiteral("color")});
}

}  // namespace reports::look
