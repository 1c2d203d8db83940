#include "refbooks/shown_rows.h"

#include "data/book_fields.h"
#include "data/dataset.h"
#include "refbooks/norms_rules.h"

namespace refbooks::shown {

namespace {

// A whole number as the norms grid's cell editor shows it; NULL shows nothing.
QString whole(const data::Dataset& row, const char* field) {
    const QVariant v = row.value(QString::fromLatin1(field));
    return v.isNull() ? QString() : QString::number(v.toLongLong());
}

QString lockedRow(const char* columns, const char* table, qint64 id) {
    return QStringLiteral("select %1 from %2 where id=%3 for update")
        .arg(QString::fromLatin1(columns), QString::fromLatin1(table))
        .arg(id);
}

}  // namespace

data::RowSnapshot worker(const data::Dataset& row) {
    return data::comparedRow(data::workerFields(), row);
}

data::GuardedRow guardedWorker(qint64 id) {
    return {lockedRow("id, fio, s_staffpos_hl", "accounts_dep.person", id), worker,
            data::comparedFields(data::workerFields())};
}

data::RowSnapshot product(const data::Dataset& row) {
    static const data::ShownTexts texts{
        {QStringLiteral("massa"), [](const data::Dataset& r) {
             return data::fieldText(data::productFields(), QStringLiteral("massa"),
                                    r.value(QStringLiteral("massa")))
                 .trimmed();
         }}};
    return data::comparedRow(data::productFields(), row, texts);
}

data::GuardedRow guardedProduct(qint64 id) {
    return {lockedRow("id, s_caption as marka, massa", "cmn_gds_and_srv.gds_and_srv", id), product,
            data::comparedFields(data::productFields())};
}

data::RowSnapshot kind(const data::Dataset& row) {
    return data::comparedRow(data::operationKindFields(), row);
}

data::GuardedRow guardedKind(qint64 id) {
    return {lockedRow("id, vid", "accounts_dep.vid_oper", id), kind,
            data::comparedFields(data::operationKindFields())};
}

data::RowSnapshot operation(const data::Dataset& row) {
    static const data::ShownTexts texts{
        // The editor's list: 0 is finished goods, anything else blanks.
        {QStringLiteral("naimen"), [](const data::Dataset& r) {
             return r.asInt(QStringLiteral("naimen")) == 0 ? QStringLiteral("Готовая продукция")
                                                           : QStringLiteral("Заготовки");
         }}};
    return data::comparedRow(data::operationFields(), row, texts);
}

data::GuardedRow guardedOperation(qint64 id) {
    return {QStringLiteral("select oper.id, oper.i_id, oper.vid as oper_vid, oper.naimen, "
                           "izdel.marka, vid_oper.vid from accounts_dep.oper oper "
                           "left join accounts_dep.izdel izdel on izdel.id=oper.i_id "
                           "left join accounts_dep.vid_oper vid_oper on vid_oper.id=oper.vid "
                           "where oper.id=") +
                QString::number(id) + QStringLiteral(" for update of oper"),
            operation, data::comparedFields(data::operationFields())};
}

data::RowSnapshot norm(const data::Dataset& row) {
    static const data::ShownTexts texts{
        {QStringLiteral("norma"), [](const data::Dataset& r) { return whole(r, "norma"); }},
        {QStringLiteral("price"),
         [](const data::Dataset& r) { return norms::priceText(r.value(QStringLiteral("price"))); }},
        {QStringLiteral("price_value"),
         [](const data::Dataset& r) {
             const QVariant price = r.value(QStringLiteral("price"));
             return price.isNull() ? QString() : QString::number(price.toDouble(), 'g', 17);
         }},
        {QStringLiteral("prize"), [](const data::Dataset& r) { return whole(r, "prize"); }}};
    return data::comparedRow(data::normFields(), row, texts);
}

data::GuardedRow guardedNorm(qint64 id) {
    return {lockedRow("id, o_id, norma, price, prize", "accounts_dep.norm", id), norm,
            data::comparedFields(data::normFields())};
}

}  // namespace refbooks::shown
