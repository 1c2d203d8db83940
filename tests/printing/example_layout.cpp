#include "example_layout.h"

#include "data/product_kind.h"
#include "ui/colors.h"

using namespace printing;

Layout exampleLayout(const QString& title) {
    Layout l;
    l.title = QStringLiteral("Пример отчёта");
    l.page.orientation = Orientation::Portrait;  // A4, margins 10 mm, base font Arial 10 pt
    l.zoom = PreviewZoom::PageWidth;

    const Font detailFont{QStringLiteral("MS Sans Serif"), 9};
    const QColor sumBackground = ui::color(0x00EFEFEF);

    // Report header: a title that grows with its text, then a gap band.
    l.reportHeader.push_back(
        band(7.7)
            .withBackground(ui::color(0x00F4F4F4))
            .add(fixedText(title).at(0.3).bold().growing())
            .add(fixedText(QStringLiteral("Количество")).at(130, 25, Align::Center).bold()));
    l.reportHeader.push_back(gapBand(0.5));

    // Repeated header: column titles after the report header and at the top of every page.
    l.repeatedHeader.push_back(
        band(5)
            .withFrame(TopSide | BottomSide, LineStyle::Dotted, Qt::gray)
            .add(fixedText(QStringLiteral("Вид")).at(13.2, 40))
            .add(fixedText(QStringLiteral("Операция")).at(56.9, 40, Align::Center))
            .add(fixedText(QStringLiteral("Сумма")).at(160, 30, Align::Right)));

    // Outer group by worker: light grey header; footer with the worker's total and a line under it.
    Group byWorker;
    byWorker.field = QStringLiteral("fio");
    byWorker.header.push_back(
        band(6.6).withBackground(ui::color(0x00E0E0E0)).add(fieldText("fio").at(0.3).bold()));
    byWorker.footer.push_back(band(6.1)
                                  .withFrame(BottomSide)
                                  .add(sumOf("summa", "#0.00")
                                           .at(163, 27, Align::Center)
                                           .withFont(detailFont.family, 9, Weight::Bold)
                                           .withBackground(sumBackground)));
    l.groups.push_back(byWorker);

    // Inner group by product: its header moves to a new page with its footer when they do not fit.
    Group byProduct;
    byProduct.field = QStringLiteral("nom");
    byProduct.header.push_back(band(5.3).add(fieldText("nom").at(0.3).bold()));
    byProduct.footer.push_back(
        band(5.3)
            .add(sumOf("kolvo")
                     .at(130, 25, Align::Center)
                     .withFont(detailFont.family, 9, Weight::Bold))
            .add(sumOf([](const Row& r) { return r.number("summa"); }, "#0.000")
                     .at(163, 27, Align::Center)
                     .withFont(detailFont.family, 9, Weight::Bold)
                     .withBackground(sumBackground)));
    l.groups.push_back(byProduct);

    // Detail: computed text, field texts, a masked number, a dotted frame.
    l.detail =
        band(4.2)
            .add(computedText(
                     [](const Row& r) { return data::productKindText(r.integer("naimen")); })
                     .at(13.2, 40)
                     .withFont(detailFont.family, 9))
            .add(fieldText("vid").at(56.9, 40, Align::Center).withFont(detailFont.family, 9))
            .add(fieldText("kolvo").at(130, 25, Align::Center).withFont(detailFont.family, 9))
            .add(fieldText("summa", "#0.000")
                     .at(163, 27, Align::Center)
                     .withFont(detailFont.family, 9)
                     .withFrame(LeftSide | RightSide, LineStyle::Dotted, Qt::gray));

    // Report footer: framed grey band with the never-reset total.
    l.reportFooter.push_back(band(5.8)
                                 .withBackground(ui::color(0x00DCDCDC))
                                 .withFrame(AllSides)
                                 .add(fixedText(QStringLiteral("Итого:"))
                                          .at(137.8)
                                          .withFont(detailFont.family, 11, Weight::Bold))
                                 .add(sumOf("summa", "#0.00", SumReset::Never)
                                          .at(160.9, 29, Align::Center)
                                          .withFont(detailFont.family, 11, Weight::Bold)));

    // Page footer: the page number (a pattern with the page count).
    l.pageFooter = band(4.2).add(pageNumber(QStringLiteral("Страница %1 из %2"))
                                     .at(150, 40, Align::Right)
                                     .withFont("Arial", 9));
    return l;
}
