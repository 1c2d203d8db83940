#include "reports/report_statements.h"

#include "data/sql_text.h"
#include "ui/format.h"

namespace reports {

QString workersReportSql() {
    return data::sqlLines({
        "select person.s_caption fio, sum(smena.kol_vo-smena.brak)::numeric as kolvo, ",
        "sum((kol_vo-brak)*smena.cena) as summa,vid_oper.vid,",
        "izdel.nom, oper.naimen, color from cmn_contractor.person "
        "person,accounts_dep.smena,accounts_dep.izdel,accounts_dep.vid_oper,",
        "accounts_dep.oper where w_id=s_code::integer and izdel.id=smena.i_id and "
        "vid_oper.id=oper.vid",
        "and oper.id=smena.o_id and smena.data<:data2 and smena.data>=:data1 ",
        "group by fio, izdel.nom, oper.naimen, vid_oper.vid, color order by fio, izdel.nom",
    });
}

QString productsReportSql() {
    return data::sqlLines({
        "select sum(smena.kol_vo-smena.brak)::numeric as kolvo, vid_oper.vid,",
        "izdel.nom, oper.naimen, color,  "
        "round((izdel.massa*sum(smena.kol_vo-smena.brak))::numeric,2) as mass",
        "from accounts_dep.smena,accounts_dep.izdel,accounts_dep.vid_oper, accounts_dep.oper "
        "where izdel.id=smena.i_id and vid_oper.id=oper.vid",
        "and oper.id=smena.o_id and smena.data<:data2 and smena.data>=:data1 ",
        "group by izdel.nom,color, oper.naimen, vid_oper.vid, izdel.massa order by izdel.nom",
    });
}

QString detailedWorkersReportSql() {
    return data::sqlLines({
        "select s_caption fio, izdel.marka, vid_oper.vid, oper.naimen, ",
        "sum(smena.kol_vo)::numeric as kolvo, sum(smena.brak) as brk, sum((kol_vo-brak)*",
        "smena.cena) as summa, color, sum(prize*(kol_vo-brak)*cena/100) as s_prize ",
        "from cmn_contractor.person "
        "person,accounts_dep.izdel,accounts_dep.oper,accounts_dep.smena,accounts_dep.vid_oper "
        "where ",
        "smena.o_id=oper.id and smena.w_id=s_code::integer and smena.i_id=izdel.id ",
        "and smena.o_id=oper.id and w_id=s_code::integer and oper.vid=vid_oper.id ",
        "and smena.data<:data2 and smena.data>=:data1 group by fio, marka, ",
        "vid_oper.vid, oper.naimen, color order by fio, marka, vid_oper.vid, oper.naimen",
    });
}

QString detailedProductsReportSql() {
    return data::sqlLines({
        "select izdel.marka, vid_oper.vid vid, oper.naimen, izdel.nom,",
        "sum(smena.kol_vo)::numeric as kolvo, sum(smena.brak) as brk, ",
        "sum((kol_vo-brak)*smena.cena) as summa, color, "
        "round((izdel.massa*sum(smena.kol_vo))::numeric,2) as mass ",
        "from accounts_dep.izdel,accounts_dep.oper,accounts_dep.smena,accounts_dep.vid_oper "
        "where smena.o_id=oper.id and smena.i_id=izdel.id ",
        "and smena.o_id=oper.id and oper.vid=vid_oper.id and smena.data<:data2 and ",
        "smena.data>=:data1 group by izdel.nom, marka, vid_oper.vid, oper.naimen, color,massa ",
        "order by izdel.nom,marka, vid_oper.vid, oper.naimen",
    });
}

QString productionSummarySql() {
    return data::sqlLines({
        "select sum(smena.kol_vo-smena.brak)::numeric as kolvo, vid_oper.vid,",
        "izdel.nom, oper.naimen, color,izdel.massa*sum(smena.kol_vo-smena.brak) as mass ",
        "from accounts_dep.smena,accounts_dep.izdel,accounts_dep.vid_oper, accounts_dep.oper "
        "where izdel.id=smena.i_id and vid_oper.id=oper.vid",
        "and oper.id=smena.o_id and smena.data<:data2 and smena.data>=:data1 ",
        "group by izdel.nom,color, oper.naimen, vid_oper.vid, izdel.massa order by izdel.nom",
    });
}

QString productKindFilter(ProductKindChoice kind) {
    switch (kind) {
        case ProductKindChoice::Finished:
            return QStringLiteral("naimen=0");
        case ProductKindChoice::Blanks:
            return QStringLiteral("naimen=1");
        case ProductKindChoice::All:
            break;
    }
    return {};
}

QString reportTitle(const QString& heading, const QDate& from, const QDate& to) {
    return heading + ui::dateText(from) + QStringLiteral(" по ") + ui::dateText(to);
}

}  // namespace reports
