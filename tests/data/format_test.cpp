#include "ui/format.h"
#include "ui/colors.h"

#include "../support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

TEST(Format, PriceTextRoundsToFourDecimalsTiesToEven) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {12.5, "12,5"},      {300, "300"}, {0.0001, "0,0001"}, {0.03125, "0,0312"},
        {0.09375, "0,0938"}, {0, "0"},     {24, "24"},         {12.34567, "12,3457"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ui::priceText(c.value), QString::fromUtf8(c.text)) << c.value;
    EXPECT_EQ(ui::priceText(12.5, QChar('.')), "12.5");
}

TEST(Format, Masks) {
    EXPECT_EQ(ui::formatMask(1234.5, "#0.000"), "1234,500");
    EXPECT_EQ(ui::formatMask(1234.5, "#0.00"), "1234,50");
    EXPECT_EQ(ui::formatMask(1234.4, "#0"), "1234");
    EXPECT_EQ(ui::formatMask(1234.5, "#0"), "1235");
    EXPECT_EQ(ui::formatMask(1235.7, "#0"), "1236");
    EXPECT_EQ(ui::formatMask(7, "#0.00#"), "7,00");
    EXPECT_EQ(ui::formatMask(12.125, "#0.00#"), "12,125");
    EXPECT_EQ(ui::formatMask(0.25 * 10, ""), "2,5");
    EXPECT_EQ(ui::formatMask(1e6, "#0.00"), "1000000,00");  // no thousands separator
}

TEST(Format, ShortestFloatAndDates) {
    EXPECT_EQ(ui::shortestFloat(2.5), "2,5");
    EXPECT_EQ(ui::shortestFloat(10), "10");
    EXPECT_EQ(ui::shortestFloat(0.1 + 0.2), "0,3");
    EXPECT_EQ(ui::dateText(QDate(2022, 11, 5)), "05.11.2022");
    EXPECT_EQ(ui::parseDate("05.11.2022"), QDate(2022, 11, 5));
    EXPECT_FALSE(ui::parseDate("2022-11-05").isValid());
}

TEST(Colors, BgrValuesAndSystemColours) {
    EXPECT_EQ(ui::color(0x000000FF), QColor(255, 0, 0));
    EXPECT_EQ(ui::color(0x00008000), QColor(0, 128, 0));
    EXPECT_EQ(ui::color(0x00FFE4E1), QColor(0xE1, 0xE4, 0xFF));
    EXPECT_TRUE(ui::color(ui::kSysWindowText).isValid());
}

}  // namespace
