#include "refbooks/operations_statements.h"

#include "data/product_kind.h"
#include "data/row_filter.h"

namespace refbooks::operations {

namespace {
QString combination(int kindId, int productKind, int productId) {
    return QStringLiteral("vid=%1 and naimen=%2 and i_id=%3")
        .arg(kindId)
        .arg(productKind)
        .arg(productId);
}
}  // namespace

QString duplicateOnAdd(int kindId, int productKind, int productId) {
    return QStringLiteral("select count(ID) as cnt from accounts_dep.OPER where ") +
           combination(kindId, productKind, productId);
}

QString duplicateOnChange(int kindId, int productKind, int productId, int ownId) {
    return QStringLiteral("select count(*) as cnt from accounts_dep.OPER where ") +
           combination(kindId, productKind, productId) + QStringLiteral(" and id<>%1").arg(ownId);
}

QString insertOperation(int kindId, int productKind, int productId) {
    return QStringLiteral(
               "insert into accounts_dep.oper(vid, naimen, i_id, cena_new)values (%1, "
               "%2, %3, 0) returning id")
        .arg(kindId)
        .arg(productKind)
        .arg(productId);
}

QString updateOperation(int kindId, int productKind, int productId, int id) {
    return QStringLiteral("update accounts_dep.oper set vid=%1, naimen=%2,  i_id=%3 where id=%4")
        .arg(kindId)
        .arg(productKind)
        .arg(productId)
        .arg(id);
}

QString combinationLockKey(int kindId, int productKind, int productId) {
    return QStringLiteral("oper:%1:%2:%3").arg(kindId).arg(productKind).arg(productId);
}

QString insertFirstNorm() {
    return QStringLiteral("insert into accounts_dep.norm(o_id, price) \nvalues (:o_id, :price)");
}

QString priceList() {
    return QStringLiteral(
        "select izdel.MARKA, vid_oper.VID, oper.NAIMEN,(SELECT (CASE naimen WHEN 0 THEN "
        "'Готовая продукция' ELSE 'Заготовки' END)) as nmn, oper.CENA_new as cena, oper.id, "
        "oper.i_id,\n"
        " oper.VID as oper_vid from accounts_dep.OPER,accounts_dep.IZDEL,accounts_dep.VID_OPER "
        "where OPER.i_id=IZDEL.id \n"
        "and oper.vid=vid_oper.id order by izdel.marka, vid_oper.vid, oper.naimen");
}

QString markFilter(const QString& typed) {
    if (typed.trimmed().isEmpty())
        return {};
    return data::prefixFilter(QStringLiteral("marka"), typed);
}

QString productMark(int productId) {
    return QStringLiteral("select marka from accounts_dep.izdel where id=%1").arg(productId);
}

double finalPrice(double basePrice, bool dayOff, int shift) {
    double price = basePrice;
    if (dayOff)
        price *= 2;
    if (shift == 3)
        price *= 1.2;
    else if (shift == 4)
        price *= 1.5;
    return price;
}

QString operationText(const QString& mark, const QString& kind, int productKind) {
    return mark.trimmed() + QStringLiteral("; ") + kind.trimmed() + QStringLiteral("; ") +
           data::productKindText(productKind);
}

}  // namespace refbooks::operations
