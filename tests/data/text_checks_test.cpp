#include "ui/text_checks.h"
#include "data/quoted_text.h"

#include <gtest/gtest.h>

namespace {

const QString broken = "Текст содержит управляющие или повреждённые символы. Исправьте его.";

QString tooLong(int limit) {
    return QString("Текст слишком длинный: допускается не более %1 символов.").arg(limit);
}

TEST(TextChecks, NamesWithControlOrBrokenCharactersOrTooLongAreRefused) {
    const QString smile = QString::fromUcs4(U"\U0001F600");
    const struct {
        QString name;
        int limit;
        std::optional<QString> refusal;
    } cases[] = {
        {"Иванов И.И.", 254, std::nullopt},
        {"О'Брайен-Смит (мл.)", 254, std::nullopt},
        {QString(254, QChar(u'я')), 254, std::nullopt},
        {QString(255, QChar(u'я')), 254, tooLong(254)},
        {QString(10000, QChar(u'a')), 512, tooLong(512)},
        {smile + smile, 2, std::nullopt},  // a surrogate pair is one character of the column
        {smile + smile + "x", 2, tooLong(2)},
        {QString("a") + QChar(0) + "b", 254, broken},
        {"a\tb", 254, broken},
        {"a\nb", 254, broken},
        {"a\u007Fb", 254, broken},
        {QString("a") + QChar(0xD83D) + "b", 254, broken},  // high half alone
        {QString("a") + QChar(0xDE00), 254, broken},        // low half alone
        {QString(QChar(0xD83D)), 254, broken},              // at the end
        {"Иван\uFFFD\uFFFDв", 254, broken},  // UTF-8 pasted as another encoding and back
        {"\uFFFD", 254, broken},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ui::nameRefusal(c.name, c.limit), c.refusal) << c.name.left(20).toStdString();
}

// The rules of the number boxes, read over a whole (pasted) text as over typed keys.
TEST(TextChecks, NumberBoxesTakeDigitsAndADecimalCommaOnly) {
    for (QChar c : {QChar('0'), QChar('7'), QChar('9')}) {
        EXPECT_EQ(ui::digitKey(c), c);
        EXPECT_EQ(ui::decimalKey(c), c);
    }
    EXPECT_EQ(ui::decimalKey('.'), QChar(','));
    EXPECT_EQ(ui::decimalKey(','), QChar(','));
    EXPECT_FALSE(ui::digitKey(',').has_value());
    // Digits of other scripts would pass the box and fail the number's reading later.
    for (QChar dropped : {QChar('a'), QChar('-'), QChar('+'), QChar(' '), QChar('e'), QChar(0x0663),
                          QChar(0x06F3), QChar(0xFF13), QChar(0)}) {
        EXPECT_FALSE(ui::digitKey(dropped).has_value()) << int(dropped.unicode());
        EXPECT_FALSE(ui::decimalKey(dropped).has_value()) << int(dropped.unicode());
    }

    const struct {
        QString text;
        std::optional<double> decimal;
        std::optional<int> whole;
    } cases[] = {
        {"12", 12, 12},
        {"007", 7, 7},
        {"2,5", 2.5, std::nullopt},
        {"1.5", 1.5, std::nullopt},
        {"2147483647", 2147483647.0, 2147483647},
        {"2147483648", 2147483648.0, std::nullopt},
        {"", std::nullopt, std::nullopt},
        {",", std::nullopt, std::nullopt},
        {"2,5,", std::nullopt, std::nullopt},
        {"1.5.2", std::nullopt, std::nullopt},
        {"-5", std::nullopt, std::nullopt},
        {"+1", std::nullopt, std::nullopt},
        {" 1", std::nullopt, std::nullopt},
        {"1e308", std::nullopt, std::nullopt},
        {"1e3", std::nullopt, std::nullopt},
        {"١٢", std::nullopt, std::nullopt},
        {QString("7") + QChar(0) + "8", std::nullopt, std::nullopt},
        {QString(400, QChar('9')), std::nullopt, std::nullopt},  // beyond a double
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ui::decimalNumber(c.text), c.decimal) << c.text.left(20).toStdString();
        EXPECT_EQ(ui::wholeNumber(c.text), c.whole) << c.text.left(20).toStdString();
    }
}

TEST(QuotedText, UserTextIsShortenedAndItsInvisibleCharactersShown) {
    const QString smile = QString::fromUcs4(U"\U0001F600");
    const struct {
        QString text;
        QString quoted;
    } cases[] = {
        {"1e308", "'1e308'"},
        {"", "''"},
        {QString("7") + QChar(0) + "8", "'7\\u00008'"},
        {"a\tb\r\nc\u007F\u001B", "'a\\tb\\r\\nc\\u007F\\u001B'"},
        {"a\u0085b", "'a\\u0085b'"},                          // a C1 control
        {"abc\u202Edef", "'abc\\u202Edef'"},                  // a right-to-left override
        {"a\u200Bb\u2028c", "'a\\u200Bb\\u2028c'"},           // zero width space, line separator
        {QString("a") + QChar(0xD83D) + "b", "'a\\uD83Db'"},  // half a pair
        {"Иванов " + smile, "'Иванов " + smile + "'"},
        {QString(40, QChar('1')), "'" + QString(40, QChar('1')) + "'"},
        {QString(10000, QChar('1')), "'" + QString(40, QChar('1')) + "…'"},
        {QString(39, QChar('x')) + smile + "y", "'" + QString(39, QChar('x')) + smile + "…'"},
        {QString(45, QChar('\n')), "'" + QString("\\n").repeated(40) + "…'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(data::quotedUserText(c.text), c.quoted) << c.quoted.toStdString();
    EXPECT_EQ(data::shownUserText(QString("7") + QChar(0) + "8"), "7\\u00008");
}

}  // namespace
