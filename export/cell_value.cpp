#include "export/cell_value.h"

#include <algorithm>
#include <cmath>

namespace exporting {

std::optional<double> cellNumber(const QString& text, const QLocale& locale) {
    bool ok = false;
    const double value = locale.toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double fittedColumnWidth(int widestText) {
    // A little room for the cell margins; a spreadsheet column is at most 255 characters wide.
    // Narrower than the default width where the texts are short (day numbers, hours).
    return std::min(widestText * 1.1 + 2.0, 255.0);
}

}  // namespace exporting
