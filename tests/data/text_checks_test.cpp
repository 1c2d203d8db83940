#include "ui/text_checks.h"

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
    };
    for (const auto& c : cases)
        EXPECT_EQ(ui::nameRefusal(c.name, c.limit), c.refusal) << c.name.left(20).toStdString();
}

}  // namespace
