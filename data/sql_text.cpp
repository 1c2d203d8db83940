#include "data/sql_text.h"

#include <QStringList>

namespace data {

QString quotedLiteral(const QString& text) {
    QString inner = text;
    inner.replace(QLatin1Char('\''), QStringLiteral("''"));
    if (!inner.contains(QLatin1Char('\\')))
        return QLatin1Char('\'') + inner + QLatin1Char('\'');
    inner.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return QStringLiteral("E'") + inner + QLatin1Char('\'');
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
