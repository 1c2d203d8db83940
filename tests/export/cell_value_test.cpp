#include "export/cell_value.h"
#include "export/export_location.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct NumberCase {
    const char* text;
    std::optional<double> number;
};

TEST(CellValue, ReadsNumbersAsARussianWorkstationTypesThem) {
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    const NumberCase cases[] = {
        {"007", 7.0},
        {"12,5", 12.5},
        {"-3", -3.0},
        {"0", 0.0},
        {"12.5", std::nullopt},
        {"01.12.2026", std::nullopt},
        {"Марка", std::nullopt},
        {"12,5 шт", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(exporting::cellNumber(QString::fromUtf8(c.text), russian), c.number) << c.text;
    EXPECT_EQ(exporting::cellNumber("12.5", QLocale::c()), 12.5);
}

TEST(ExportLocation, NamesAreReadableAndNeverReused) {
    QTemporaryDir dir;
    const QDateTime when(QDate(2026, 12, 10), QTime(14, 5, 33));
    const QString first = exporting::workbookPath(dir.path(), "Отчет", when);
    EXPECT_TRUE(first.endsWith("/Отчет 2026-12-10 14-05-33.xlsx")) << first.toStdString();
    QFile(first).open(QIODevice::WriteOnly);
    const QString second = exporting::workbookPath(dir.path(), "Отчет", when);
    EXPECT_TRUE(second.endsWith("/Отчет 2026-12-10 14-05-33 (2).xlsx")) << second.toStdString();
}

}  // namespace
