#include "ui/text_checks.h"

namespace ui {

namespace {

bool hasControlCharacters(const QString& text) {
    for (const QChar c : text)
        if (c.category() == QChar::Other_Control)
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
    if (!name.isValidUtf16() || hasControlCharacters(name))
        return QStringLiteral(
            "Текст содержит управляющие или повреждённые символы. Исправьте его.");
    if (characterCount(name) > maxLength)
        return QStringLiteral("Текст слишком длинный: допускается не более %1 символов.")
            .arg(maxLength);
    return std::nullopt;
}

std::optional<QString> throughKeyRule(const QString& text,
                                      const std::function<std::optional<QChar>(QChar)>& key) {
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

}  // namespace ui
