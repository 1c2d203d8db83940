#include "report_items.h"

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

}  // namespace testing_support
