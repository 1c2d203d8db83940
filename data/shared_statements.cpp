#include "data/shared_statements.h"

#include "data/sql_text.h"

namespace data::statements {

QString workers() {
    return QStringLiteral("select * from accounts_dep.person order by fio");
}

QString products() {
    return QStringLiteral("select marka, id, nom, massa  from accounts_dep.IZDEL order by marka");
}

QString operations() {
    return data::sqlLines({
        "select izdel.MARKA, vid_oper.VID, oper.NAIMEN, (SELECT (CASE naimen WHEN 0 THEN "
        "'Готовая продукция' ELSE 'Заготовки' END)) as nmn,",
        "count(o_id) norma, min(price)::numeric cena,",
        "oper.id, oper.i_id, oper.VID as oper_vid from "
        "accounts_dep.norm,accounts_dep.OPER,accounts_dep.IZDEL,accounts_dep.VID_OPER where "
        "OPER.i_id=IZDEL.id and norm.o_id=oper.id",
        "and oper.vid=vid_oper.id group by izdel.MARKA, vid_oper.VID, oper.NAIMEN, oper.id, "
        "oper.i_id, oper.VID order by izdel.marka, vid_oper.vid, oper.naimen",
    });
}

QString operationKinds() {
    return QStringLiteral("select * from accounts_dep.VID_OPER order by vid");
}

QString journal(int shift) {
    const QString s = QString::number(shift);
    const bool first = shift == 1;
    return data::sqlLines({
               "select smena.id, smena.data, smena.smena, smena.i_id, smena.o_id, smena.w_id, ",
               "smena.cena,person.s_caption fio, izdel.marka, vid_oper.vid, (SELECT (CASE naimen "
               "WHEN 0 THEN 'Готовая продукция' ELSE 'Заготовки' END)) as nmn, oper.naimen,  "
               "smena.brak, smena.kol_vo::numeric,",
               "round((kol_vo-brak)*smena.cena::numeric, 2) as summa, smena.prize, color,time, "
               "smena.ok, vvod, smena.id_doc, smena.id_doc_item, smena.f_gds_qty_use, "
               "smena.id_gds_use, smena.id_cons_use",
               "from cmn_contractor.person person, "
               "accounts_dep.izdel,accounts_dep.oper,accounts_dep.smena,accounts_dep.vid_oper ",
               "where smena.i_id=izdel.id and smena.o_id=oper.id and (w_id=person.id or "
               "s_code::t_id=w_id) and ",
           }) +
           QStringLiteral("\noper.vid=vid_oper.id and smena.smena=") + s +
           QStringLiteral(" and smena.data=:data and ok") +
           (first ? QStringLiteral("!=") : QStringLiteral("<>")) + QStringLiteral(":ok order by ") +
           (first ? QStringLiteral("\nfio, izdel.marka, vid_oper.vid, oper.naimen, color")
                  : QStringLiteral("\nfio"));
}

QString shiftTimesheet(int shift) {
    return data::sqlLines({
               "select person.s_caption fio, h_tabel.*,(d1+d2+d3+d4+d5+d6+d7+d8+d9+d10+d11",
               "+d12+d13+d14+d15+d16+d17+d18+d19+d20+d21+d22+d23+d24+d25",
               "+d26+d27+d28+d29+d30+d31) as summ from accounts_dep.h_tabel, "
               "cmn_contractor.person where ",
           }) +
           QStringLiteral("\nh_tabel.w_id=person.s_code::integer and h_tabel.smena=") +
           QString::number(shift) + QStringLiteral(" and month=:mnth and \nyear=:yea order by fio");
}

QString deleteOperation() {
    return QStringLiteral("delete from accounts_dep.oper where id=:id");
}

}  // namespace data::statements
