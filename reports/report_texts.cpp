#include "reports/report_texts.h"

namespace reports {

QString colourText(int color) {
    if (color <= 0)
        return QStringLiteral(" ");
    if (color == 1)
        return QStringLiteral(" (грунт)");
    return QStringLiteral(" (RAL: %1)").arg(color);
}

QString summaryOperationText(const QString& kind, int color) {
    if (color <= 0)
        return kind;
    if (color == 1)
        return kind + QStringLiteral(" (грунт)");
    return kind + QStringLiteral(" (цвет: %1)").arg(color);
}

}  // namespace reports
