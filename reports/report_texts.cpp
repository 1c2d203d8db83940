#include "reports/report_texts.h"

namespace reports {

QString colourText(int color) {
    if (color <= 0)
        return QStringLiteral(" ");
    if (color == 1)
        return QStringLiteral(" (грунт)");
    return QStringLiteral(" (RAL: %1)").arg(color);
}

QString summaryOperationText(const QString& vid, int color) {
    if (color <= 0)
        return vid;
    if (color == 1)
        return vid + QStringLiteral(" (грунт)");
    return vid + QStringLiteral(" (цвет: %1)").arg(color);
}

}  // namespace reports
