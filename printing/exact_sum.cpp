#include "printing/exact_sum.h"

#include "ui/format.h"

#include <cmath>

namespace printing {

void ExactSum::add(double value) {
    units_ += std::llround(value * static_cast<double>(kScale));
}

QString ExactSum::text(const QString& mask, QChar separator) const {
    int decimals = -1;
    if (mask == QLatin1String("#0.000"))
        decimals = 3;
    else if (mask == QLatin1String("#0.00"))
        decimals = 2;
    else if (mask == QLatin1String("#0"))
        decimals = 0;
    if (decimals < 0)
        return ui::formatMask(value(), mask, separator);
    qint64 step = kScale;
    for (int i = 0; i < decimals; ++i)
        step /= 10;
    const qint64 half = step / 2;
    const qint64 rounded =
        (units_ >= 0 ? (units_ + half) / step : -((-units_ + half) / step)) * step;
    return ui::formatMask(static_cast<double>(rounded) / kScale, mask, separator);
}

}  // namespace printing
