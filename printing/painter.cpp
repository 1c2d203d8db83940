#include "printing/painter.h"

#include "printing/fonts.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

namespace printing {

namespace {

Qt::Alignment alignment(const ItemStyle& style) {
    Qt::Alignment a = Qt::AlignVCenter;
    switch (style.align) {
        case Align::Left:
            a |= Qt::AlignLeft;
            break;
        case Align::Center:
            a |= Qt::AlignHCenter;
            break;
        case Align::Right:
            a |= Qt::AlignRight;
            break;
    }
    return a;
}

// Fonts, pens and brushes are made once per style and page, not once per item.
struct StyleTools {
    bool ready = false;
    QFont font;
    QPen textPen;
    QPen framePen;
    int flags = 0;
};

void drawFrame(QPainter& p, const QRectF& r, const Frame& frame, const QPen& pen) {
    p.setPen(pen);
    if (frame.sides & TopSide)
        p.drawLine(r.topLeft(), r.topRight());
    if (frame.sides & BottomSide)
        p.drawLine(r.bottomLeft(), r.bottomRight());
    if (frame.sides & LeftSide)
        p.drawLine(r.topLeft(), r.bottomLeft());
    if (frame.sides & RightSide)
        p.drawLine(r.topRight(), r.bottomRight());
}

}  // namespace

void paintPage(QPainter& painter, const PreparedPage& page, const std::vector<ItemStyle>& styles) {
    QPaintDevice* device = painter.device();
    const double dotsPerMmX = device->logicalDpiX() / 25.4;
    const double dotsPerMmY = device->logicalDpiY() / 25.4;
    auto toDevice = [&](const QRectF& mm) {
        return QRectF(mm.x() * dotsPerMmX, mm.y() * dotsPerMmY, mm.width() * dotsPerMmX,
                      mm.height() * dotsPerMmY);
    };

    std::vector<StyleTools> tools(styles.size());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    // Backgrounds first, so that a band's background never covers the line under the band
    // before it.
    for (const PreparedItem& item : page.items) {
        const ItemStyle& style = styles[item.style];
        if (style.background.isValid())
            painter.fillRect(toDevice(item.rectMm), style.background);
    }
    for (const PreparedItem& item : page.items) {
        const ItemStyle& style = styles[item.style];
        StyleTools& t = tools[item.style];
        if (!t.ready) {
            t.ready = true;
            t.font = QFont(toQFont(style.font), device);
            t.textPen = QPen(style.color);
            t.framePen = QPen(style.frame.color, std::max(1.0, style.frame.widthMm * dotsPerMmX),
                              style.frame.style == LineStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
            // Texts are fitted to their boxes at printer resolution; on a screen, where hinting
            // makes glyphs a little wider, a fitted text stands out by a pixel rather than lose
            // its last letter.
            t.flags = int(alignment(style)) | (style.wrap ? Qt::TextWordWrap : Qt::TextDontClip);
        }
        const QRectF r = toDevice(item.rectMm);
        if (!item.text.isEmpty()) {
            painter.setFont(t.font);
            painter.setPen(t.textPen);
            painter.drawText(r, t.flags, item.text);
        }
        if (style.frame.sides != NoSides)
            drawFrame(painter, r, style.frame, t.framePen);
    }
    painter.restore();
}

void setUpPrinter(QPrinter& printer, const PreparedReport& report) {
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                      report.orientation == Orientation::Landscape
                                          ? QPageLayout::Landscape
                                          : QPageLayout::Portrait,
                                      QMarginsF(0, 0, 0, 0)));
    if (!report.title.isEmpty())
        printer.setDocName(report.title);
}

bool printReport(QPrinter& printer, const PagedReport& report) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    int from = printer.fromPage() > 0 ? printer.fromPage() : 1;
    int to = printer.toPage() > 0 ? printer.toPage() : report.pageCount();
    to = std::min(to, report.pageCount());
    for (int i = from; i <= to; ++i) {
        if (i > from)
            printer.newPage();
        paintPage(painter, report.page(i - 1), report.format().styles);
    }
    return painter.end();
}

void printReport(QPrinter& printer, const PreparedReport& report) {
    printReport(printer, WholeReport(report));
}

bool writePdf(const QString& path, const PagedReport& report) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    setUpPrinter(printer, report.format());
    return printReport(printer, report);
}

}  // namespace printing
