#include "ui/text_checks.h"

#include <QLocale>
#include <cmath>

namespace ui {

namespace {

bool hasControlOrReplacementCharacters(const QString& text) {
    for (const QChar c : text)
        if (c.category() == QChar::Other_Control || c == QChar::ReplacementCharacter)
            return true;
    return false;
}

// The column counts characters, not UTF-16 units: a surrogate pair (valid text here) is one.
qsizetype characterCount(const QString& text) {
    qsizetype pairs = 0;
    for (const QChar c : text)
        pairs += c.isHighSurrogate() ? 1 : 0;
    return text.size() - pairs;
}

}  // namespace

std::optional<QString> nameRefusal(const QString& name, int maxLength) {
    if (!name.isValidUtf16() || hasControlOrReplacementCharacters(name))
        return QStringLiteral(
            "Текст содержит управляющие или повреждённые символы. Исправьте его.");
    if (characterCount(name) > maxLength)
        return QStringLiteral("Текст слишком длинный: допускается не более %1 символов.")
            .arg(maxLength);
    return std::nullopt;
}

std::optional<QString> throughKeyRule(const QString& text, const KeyRule& key) {
    QString read;
    read.reserve(text.size());
    for (const QChar c : text) {
        const std::optional<QChar> taken = key(c);
        if (!taken)
            return std::nullopt;
        read += *taken;
    }
    return read;
}

std::optional<QChar> digitKey(QChar typed) {
    if (typed >= QLatin1Char('0') && typed <= QLatin1Char('9'))
        return typed;
    return std::nullopt;
}

std::optional<QChar> decimalKey(QChar typed) {
    if (typed == QLatin1Char('.') || typed == QLatin1Char(','))
        return QLatin1Char(',');
    return digitKey(typed);
}

std::optional<double> decimalNumber(const QString& text) {
    static const QLocale russian(QLocale::Russian);
    const std::optional<QString> typed = throughKeyRule(text, decimalKey);
    bool ok = false;
    const double value = typed ? russian.toDouble(*typed, &ok) : 0.0;
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> wholeNumber(const QString& text) {
    const std::optional<QString> typed = throughKeyRule(text, digitKey);
    bool ok = false;
    const int value = typed ? typed->toInt(&ok, 10) : 0;
    if (!ok)
        return std::nullopt;
    return value;
}

}  // namespace ui
