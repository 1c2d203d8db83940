#include "refbooks/products_statements.h"

#include "data/quoted_text.h"
#include "data/row_filter.h"
#include "data/sql_text.h"
#include "ui/text_checks.h"

#include <stdexcept>

namespace refbooks::products {

using data::quotedLiteral;

QString markFilter(const QString& typed) {
    return data::prefixFilter(QStringLiteral("marka"), typed);
}

QString duplicateMarkOnAdd(const QString& mark) {
    return QStringLiteral("select count(*) as cnt from accounts_dep.izdel where upper(marka)=") +
           quotedLiteral(mark.toUpper());
}

QString duplicateMarkOnChange(const QString& mark, qint64 ownId) {
    return duplicateMarkOnAdd(mark) + QStringLiteral("and id<>") + QString::number(ownId);
}

QString insertProduct(const QString& mark, double quantity) {
    return QStringLiteral(
               "INSERT INTO cmn_gds_and_srv.gds_and_srv(s_caption, s_description, id_msm_bs, "
               "massa)VALUES(") +
           quotedLiteral(mark) + QStringLiteral(", '', 6, ") + quantityLiteral(quantity) +
           QLatin1Char(')');
}

QString updateProduct(qint64 id, const QString& mark, double quantity) {
    return QStringLiteral("UPDATE cmn_gds_and_srv.gds_and_srv SET s_caption=") +
           quotedLiteral(mark) + QStringLiteral(", massa=") + quantityLiteral(quantity) +
           QStringLiteral(" WHERE id=") + QString::number(id);
}

QString quantityLiteral(double quantity) {
    return QString::number(quantity, 'g', 15);
}

double parseQuantity(const QString& text) {
    // Pasted text reaches the box without its key rule: it is read through the same rule here, so
    // "1.5" is 1,5 as typed, and a sign or an exponent ("-5", "1e308") is no number.
    const std::optional<double> value = ui::decimalNumber(text);
    if (!value)
        throw std::invalid_argument(
            (data::quotedUserText(text) + QStringLiteral(" не является правильным числом"))
                .toStdString());
    return *value;
}

}  // namespace refbooks::products
