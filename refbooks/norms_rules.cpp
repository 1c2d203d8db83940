#include "refbooks/norms_rules.h"

#include "ui/format.h"

#include <cmath>
#include <limits>

namespace refbooks::norms {

namespace {
CellValue integerCell(const QString& text, const QString& problem) {
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (!ok || value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return {QVariant(QMetaType::fromType<int>()), problem};
    return {QVariant(int(value)), {}};
}
}  // namespace

CellValue parseCell(const QString& field, const QString& typed, const QLocale& locale) {
    const QString text = typed.trimmed();
    if (text.isEmpty()) {
        const bool price = field.compare(QLatin1String("price"), Qt::CaseInsensitive) == 0;
        return {QVariant(price ? QMetaType::fromType<double>() : QMetaType::fromType<int>()), {}};
    }
    if (field.compare(QLatin1String("price"), Qt::CaseInsensitive) == 0) {
        QString normal = text;
        normal.replace(QLatin1Char(','), QLatin1Char('.'));
        normal.replace(locale.decimalPoint(), QStringLiteral("."));
        bool ok = false;
        const double value = QLocale::c().toDouble(normal, &ok);
        if (!ok || !std::isfinite(value) || value < 0)
            return {QVariant(QMetaType::fromType<double>()),
                    QStringLiteral("Цена должна быть неотрицательным числом, например 12,5.")};
        return {QVariant(value), {}};
    }
    if (field.compare(QLatin1String("norma"), Qt::CaseInsensitive) == 0)
        return integerCell(text, QStringLiteral("Норматив должен быть целым числом "
                                                "не больше 2147483647."));
    return integerCell(text,
                       QStringLiteral("Премия, % должна быть целым числом не больше 2147483647."));
}

QString rowProblem(const QVariant& price) {
    if (price.isNull() || !price.isValid())
        return QStringLiteral("Укажите цену нормы.");
    return {};
}

QString normsTableStatement() {
    return QStringLiteral("select * from accounts_dep.norm order by norma");
}

QString priceText(const QVariant& price) {
    if (price.isNull() || !price.isValid())
        return {};
    return ui::formatMask(price.toDouble(), QStringLiteral("#0.00#"));
}

}  // namespace refbooks::norms
