#include "refbooks/norms_rules.h"

#include "data/book_fields.h"
#include "ui/format.h"

#include <QLocale>

namespace refbooks::norms {

namespace {
bool isPrice(const QString& field) {
    return field.compare(QLatin1String("price"), Qt::CaseInsensitive) == 0;
}

CellValue integerCell(const QString& text, const QString& problem) {
    if (const std::optional<int> value = ui::wholeNumber(text))
        return {QVariant(*value), {}};
    return {QVariant(QMetaType::fromType<int>()), problem};
}
}  // namespace

ui::KeyRule cellKeyRule(const QString& field) {
    return isPrice(field) ? ui::KeyRule(ui::decimalKey) : ui::KeyRule(ui::digitKey);
}

CellValue parseCell(const QString& field, const QString& typed) {
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return {
            QVariant(isPrice(field) ? QMetaType::fromType<double>() : QMetaType::fromType<int>()),
            {}};
    if (isPrice(field)) {
        const std::optional<double> value = ui::decimalNumber(text);
        if (!value)
            return {QVariant(QMetaType::fromType<double>()),
                    QStringLiteral("Цена должна быть неотрицательным числом, например 12,5.")};
        return {QVariant(*value), {}};
    }
    if (field.compare(QLatin1String("norma"), Qt::CaseInsensitive) == 0)
        return integerCell(text, QStringLiteral("Норматив должен быть целым числом "
                                                "от 0 до 2147483647."));
    return integerCell(text,
                       QStringLiteral("Премия, % должна быть целым числом от 0 до 2147483647."));
}

QString editText(const QString& field, const QVariant& value) {
    if (value.isNull() || !value.isValid() || value.toString().isEmpty())
        return {};
    if (!isPrice(field))
        return QString::number(value.toLongLong());
    return QString::number(value.toDouble(), 'f', QLocale::FloatingPointShortest)
        .replace(QLatin1Char('.'), QLatin1Char(','));
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
    return data::fieldText(data::normFields(), QStringLiteral("price"), price);
}

}  // namespace refbooks::norms
