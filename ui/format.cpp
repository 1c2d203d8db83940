#include "ui/format.h"

#include <QLocale>
#include <cmath>

namespace ui {

namespace {
QString withSeparator(QString text, QChar separator) {
    if (separator != u'.')
        text.replace(QLatin1Char('.'), separator);
    return text;
}

// Drops a negative sign from a zero ("-0" and "-0,00" read as 0).
QString withoutNegativeZero(QString text) {
    if (text.startsWith(QLatin1Char('-'))) {
        bool allZero = true;
        for (QChar c : text.mid(1))
            if (c.isDigit() && c != u'0')
                allZero = false;
        if (allZero)
            text.remove(0, 1);
    }
    return text;
}
}  // namespace

QChar decimalSeparator() {
    const QString p = QLocale().decimalPoint();
    return p.isEmpty() ? QChar(u'.') : p.at(0);
}

double roundPrice(double value) {
    return std::nearbyint(value * 10000.0) / 10000.0;  // default rounding mode: ties to even
}

QString shortestFloat(double value, QChar separator) {
    return withSeparator(withoutNegativeZero(QString::number(value, 'g', 15)), separator);
}

QString shortestFloatOrEmpty(const QVariant& value) {
    return value.isNull() ? QString() : shortestFloat(value.toDouble());
}

QString shortestFloat(double value) {
    return shortestFloat(value, decimalSeparator());
}

QString priceText(double value, QChar separator) {
    return shortestFloat(roundPrice(value), separator);
}

QString priceText(double value) {
    return priceText(value, decimalSeparator());
}

QString formatMask(double value, const QString& mask, QChar separator) {
    QString text;
    if (mask == QLatin1String("#0.000")) {
        text = QString::number(value, 'f', 3);
    } else if (mask == QLatin1String("#0.00")) {
        text = QString::number(value, 'f', 2);
    } else if (mask == QLatin1String("#0")) {
        text = QString::number(value, 'f', 0);
    } else if (mask == QLatin1String("#0.00#")) {
        text = QString::number(value, 'f', 3);
        if (text.endsWith(QLatin1Char('0')))
            text.chop(1);
    } else {
        return shortestFloat(value, separator);
    }
    return withSeparator(withoutNegativeZero(text), separator);
}

QString formatMask(double value, const QString& mask) {
    return formatMask(value, mask, decimalSeparator());
}

QString dateText(const QDate& date) {
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

QString momentText(const QDateTime& moment) {
    if (!moment.isValid())
        return {};
    const QString day = dateText(moment.date());
    if (moment.time() == QTime(0, 0))
        return day;
    return day + QLatin1Char(' ') + moment.time().toString(QStringLiteral("H:mm:ss"));
}

QDate parseDate(const QString& text) {
    return QDate::fromString(text.trimmed(), QStringLiteral("dd.MM.yyyy"));
}

}  // namespace ui
