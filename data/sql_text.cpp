#include "data/sql_text.h"

namespace data {

QString escapedInLiteral(const QString& text) {
    QString out = text;
    out.replace(QLatin1Char('\''), QStringLiteral("''"));
    return out;
}

QString quoted(const QString& text) {
    return QLatin1Char('\'') + escapedInLiteral(text) + QLatin1Char('\'');
}

QString sqlDate(const QDate& date) {
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

}  // namespace data
