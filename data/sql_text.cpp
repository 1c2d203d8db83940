#include "data/sql_text.h"

#include <QStringList>

namespace data {

QString escapedInLiteral(const QString& text) {
    QString out = text;
    out.replace(QLatin1Char('\''), QStringLiteral("''"));
    return out;
}

QString sqlDate(const QDate& date) {
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

QString sqlLines(std::initializer_list<const char*> lines) {
    QStringList joined;
    for (const char* line : lines)
        joined << QString::fromUtf8(line);
    return joined.join(QLatin1Char('\n'));
}

}  // namespace data
