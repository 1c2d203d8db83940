#include "data/quoted_text.h"

namespace data {

namespace {

// A character that shows as itself: not a control, not a format character (a direction mark,
// a zero-width one), not a line or paragraph separator, not half of a surrogate pair.
bool showsAsItself(char32_t c) {
    switch (QChar::category(c)) {
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Other_Surrogate:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            return false;
        default:
            return true;
    }
}

// Escapes rather than the control pictures ("␀"): the plant's fonts have no glyphs for those.
QString visible(char32_t c) {
    if (showsAsItself(c))
        return QString::fromUcs4(&c, 1);
    switch (c) {
        case u'\t':
            return QStringLiteral("\\t");
        case u'\n':
            return QStringLiteral("\\n");
        case u'\r':
            return QStringLiteral("\\r");
        default:
            return QStringLiteral("\\u") +
                   QString::number(uint(c), 16).toUpper().rightJustified(4, QLatin1Char('0'));
    }
}

}  // namespace

QString shownUserText(const QString& text) {
    QString shown;
    int characters = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (characters == kShownCharacters)
            return shown + QStringLiteral("…");
        char32_t c = text.at(i).unicode();
        // A whole surrogate pair is one character; a half alone is shown by its code.
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        }
        shown += visible(c);
        ++characters;
    }
    return shown;
}

QString quotedUserText(const QString& text) {
    return QLatin1Char('\'') + shownUserText(text) + QLatin1Char('\'');
}

}  // namespace data
