#pragma once

#include <QString>
#include <QtGlobal>

namespace printing {

// A running total kept in millionths, so that adding many money values does not drift; it is
// rounded (half away from zero) only when printed.
class ExactSum {
public:
    void add(double value);
    void reset() { units_ = 0; }
    double value() const { return static_cast<double>(units_) / kScale; }
    // The total through a mask ("#0.000", "#0.00", "#0"; otherwise the plain shortest form).
    QString text(const QString& mask, QChar separator) const;

private:
    static constexpr qint64 kScale = 1000000;
    qint64 units_ = 0;
};

}  // namespace printing
