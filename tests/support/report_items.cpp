#include "report_items.h"

#include "printing/fonts.h"

#include <QProcess>
#include <QRegularExpression>
#include <cmath>
#include <stdexcept>

namespace testing_support {

const printing::PreparedItem* findItem(const printing::PreparedReport& report, int page,
                                       const QString& text, std::optional<double> topMm) {
    if (page < 0 || page >= static_cast<int>(report.pages.size()))
        return nullptr;
    for (const printing::PreparedItem& item : report.pages[page].items)
        if (item.kind != printing::PreparedKind::Box && item.text == text &&
            (!topMm || std::abs(item.rectMm.top() - *topMm) < 0.05))
            return &item;
    return nullptr;
}

const printing::PreparedItem& itemWithText(const printing::PreparedReport& report, int page,
                                           const QString& text) {
    if (const printing::PreparedItem* item = findItem(report, page, text))
        return *item;
    throw std::runtime_error(
        QStringLiteral("no item \"%1\" on page %2").arg(text).arg(page).toStdString());
}

QStringList allTexts(const printing::PreparedReport& report) {
    QStringList out;
    for (int p = 0; p < static_cast<int>(report.pages.size()); ++p)
        out << report.texts(p);
    return out;
}

QStringList textsAt(const printing::PreparedReport& report, printing::PreparedKind kind,
                    double left) {
    QStringList out;
    for (const auto& page : report.pages)
        for (const auto& item : page.items)
            if (item.kind == kind && std::abs(item.rectMm.left() - 10.0 - left) < 0.05)
                out << item.text;
    return out;
}

QStringList misfits(const printing::PreparedReport& report) {
    constexpr double kSlackMm = 0.05;
    printing::TextMeasure measure;
    QStringList out;
    for (size_t p = 0; p < report.pages.size(); ++p) {
        std::vector<const printing::PreparedItem*> printed;
        for (const printing::PreparedItem& item : report.pages[p].items)
            if (item.kind != printing::PreparedKind::Box && !item.text.trimmed().isEmpty())
                printed.push_back(&item);
        const QString page = QStringLiteral("page %1: ").arg(p + 1);
        for (size_t i = 0; i < printed.size(); ++i) {
            const printing::PreparedItem& item = *printed[i];
            const printing::ItemStyle& style = report.style(item);
            if (!style.wrap &&
                measure.widthMm(style.font, item.text) > item.rectMm.width() + kSlackMm)
                out << page + item.text + QStringLiteral(" is wider than its box");
            for (size_t j = i + 1; j < printed.size(); ++j) {
                const QRectF common = item.rectMm.intersected(printed[j]->rectMm);
                if (common.width() > kSlackMm && common.height() > kSlackMm)
                    out << page + item.text + QStringLiteral(" overlaps ") + printed[j]->text;
            }
        }
    }
    return out;
}

QStringList missingFromPdf(const QString& pdf, const printing::PreparedReport& report) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {"-enc", "UTF-8", pdf, "-"});
    if (!pdftotext.waitForFinished(120000) || pdftotext.exitCode() != 0)
        return {QStringLiteral("pdftotext cannot read ") + pdf};
    QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput()).split(QChar('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();  // after the last page's form feed
    QStringList missing;
    if (pages.size() != static_cast<qsizetype>(report.pages.size()))
        missing << QStringLiteral("%1 pages in the PDF, %2 prepared")
                       .arg(pages.size())
                       .arg(report.pages.size());
    static const QRegularExpression blanks(QStringLiteral("\\s"));
    for (qsizetype p = 0; p < std::min(pages.size(), qsizetype(report.pages.size())); ++p) {
        const QString painted = QString(pages[p]).remove(blanks);
        for (const QString& text : report.texts(static_cast<int>(p)))
            if (!painted.contains(QString(text).remove(blanks)))
                missing << QStringLiteral("page %1: %2").arg(p + 1).arg(text);
    }
    return missing;
}

}  // namespace testing_support
