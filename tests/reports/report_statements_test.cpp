#include "reports/report_statements.h"
#include "data/product_kind.h"
#include "reports/report_texts.h"
#include "ui/format.h"

#include <gtest/gtest.h>

namespace {

TEST(ReportStatements, TextsAreExact) {
    EXPECT_EQ(reports::workersReportSql().toStdString(),
              "select person.s_caption fio, sum(smena.kol_vo-smena.brak)::numeric as kolvo, \n"
              "sum((kol_vo-brak)*smena.cena) as summa,vid_oper.vid,\n"
              "izdel.nom, oper.naimen, color from cmn_contractor.person "
              "person,accounts_dep.smena,accounts_dep.izdel,accounts_dep.vid_oper,\n"
              "accounts_dep.oper where w_id=s_code::integer and izdel.id=smena.i_id and "
              "vid_oper.id=oper.vid\n"
              "and oper.id=smena.o_id and smena.data<:data2 and smena.data>=:data1 \n"
              "group by fio, izdel.nom, oper.naimen, vid_oper.vid, color order by fio, izdel.nom");
    EXPECT_EQ(reports::productsReportSql().toStdString(),
              "select sum(smena.kol_vo-smena.brak)::numeric as kolvo, vid_oper.vid,\n"
              "izdel.nom, oper.naimen, color,  "
              "round((izdel.massa*sum(smena.kol_vo-smena.brak))::numeric,2) as mass\n"
              "from accounts_dep.smena,accounts_dep.izdel,accounts_dep.vid_oper, "
              "accounts_dep.oper where izdel.id=smena.i_id and vid_oper.id=oper.vid\n"
              "and oper.id=smena.o_id and smena.data<:data2 and smena.data>=:data1 \n"
              "group by izdel.nom,color, oper.naimen, vid_oper.vid, izdel.massa order by "
              "izdel.nom");
    EXPECT_EQ(reports::detailedWorkersReportSql().toStdString(),
              "select s_caption fio, izdel.marka, vid_oper.vid, oper.naimen, \n"
              "sum(smena.kol_vo)::numeric as kolvo, sum(smena.brak) as brk, "
              "sum((kol_vo-brak)*\n"
              "smena.cena) as summa, color, sum(prize*(kol_vo-brak)*cena/100) as s_prize \n"
              "from cmn_contractor.person person,accounts_dep.izdel,accounts_dep.oper,"
              "accounts_dep.smena,accounts_dep.vid_oper where \n"
              "smena.o_id=oper.id and smena.w_id=s_code::integer and smena.i_id=izdel.id \n"
              "and smena.o_id=oper.id and w_id=s_code::integer and oper.vid=vid_oper.id \n"
              "and smena.data<:data2 and smena.data>=:data1 group by fio, marka, \n"
              "vid_oper.vid, oper.naimen, color order by fio, marka, vid_oper.vid, oper.naimen");
    EXPECT_EQ(reports::detailedProductsReportSql().toStdString(),
              "select izdel.marka, vid_oper.vid vid, oper.naimen, izdel.nom,\n"
              "sum(smena.kol_vo)::numeric as kolvo, sum(smena.brak) as brk, \n"
              "sum((kol_vo-brak)*smena.cena) as summa, color, "
              "round((izdel.massa*sum(smena.kol_vo))::numeric,2) as mass \n"
              "from accounts_dep.izdel,accounts_dep.oper,accounts_dep.smena,"
              "accounts_dep.vid_oper where smena.o_id=oper.id and smena.i_id=izdel.id \n"
              "and smena.o_id=oper.id and oper.vid=vid_oper.id and smena.data<:data2 and \n"
              "smena.data>=:data1 group by izdel.nom, marka, vid_oper.vid, oper.naimen, "
              "color,massa \n"
              "order by izdel.nom,marka, vid_oper.vid, oper.naimen");
    EXPECT_EQ(reports::productionSummarySql().toStdString(),
              "select sum(smena.kol_vo-smena.brak)::numeric as kolvo, vid_oper.vid,\n"
              "izdel.nom, oper.naimen, color,izdel.massa*sum(smena.kol_vo-smena.brak) as mass \n"
              "from accounts_dep.smena,accounts_dep.izdel,accounts_dep.vid_oper, "
              "accounts_dep.oper where izdel.id=smena.i_id and vid_oper.id=oper.vid\n"
              "and oper.id=smena.o_id and smena.data<:data2 and smena.data>=:data1 \n"
              "group by izdel.nom,color, oper.naimen, vid_oper.vid, izdel.massa order by "
              "izdel.nom");
}

TEST(ReportStatements, ProductKindFilter) {
    using reports::ProductKindChoice;
    EXPECT_EQ(reports::productKindFilter(ProductKindChoice::All), "");
    EXPECT_EQ(reports::productKindFilter(ProductKindChoice::Finished), "naimen=0");
    EXPECT_EQ(reports::productKindFilter(ProductKindChoice::Blanks), "naimen=1");
}

TEST(ReportStatements, TitleNamesBothDates) {
    EXPECT_EQ(reports::reportTitle("   Отчет по рабочим за период с ", QDate(2022, 11, 1),
                                   QDate(2022, 12, 1)),
              "   Отчет по рабочим за период с 01.11.2022 по 01.12.2022");
}

TEST(ReportTexts, KindColourAndOperation) {
    EXPECT_EQ(data::productKindText(0), "Готовая продукция");
    EXPECT_EQ(data::productKindText(1), "Заготовки");
    EXPECT_EQ(data::productKindText(2), "Заготовки");

    const struct {
        int color;
        const char* printed;
        const char* summary;
    } cases[] = {
        {1, " (грунт)", "Покраска (грунт)"},
        {1013, " (RAL: 1013)", "Покраска (цвет: 1013)"},
        {9005, " (RAL: 9005)", "Покраска (цвет: 9005)"},
        {0, " ", "Покраска"},
        {-3, " ", "Покраска"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(reports::colourText(c.color), QString::fromUtf8(c.printed)) << c.color;
        EXPECT_EQ(reports::summaryOperationText("Покраска", c.color), QString::fromUtf8(c.summary))
            << c.color;
    }
}

}  // namespace
