#include "refbooks/shown_rows.h"

#include "data/dataset.h"
#include "refbooks/norms_rules.h"
#include "ui/format.h"

namespace refbooks::shown {

namespace {

QString text(const data::Dataset& row, const char* field) {
    return row.text(QString::fromLatin1(field)).trimmed();
}

QString lockedRow(const char* columns, const char* table, qint64 id) {
    return QStringLiteral("select %1 from %2 where id=%3 for update")
        .arg(QString::fromLatin1(columns), QString::fromLatin1(table))
        .arg(id);
}

}  // namespace

data::RowSnapshot worker(const data::Dataset& row) {
    return {{QStringLiteral("fio"), text(row, "fio")},
            {QStringLiteral("s_staffpos_hl"), text(row, "s_staffpos_hl")}};
}

data::GuardedRow guardedWorker(qint64 id) {
    // The editor writes its "Подразделение" choice into s_staffpos_hl.
    return {lockedRow("id, fio, s_staffpos_hl", "accounts_dep.person", id),
            worker,
            {{QStringLiteral("fio"), QStringLiteral("ФИО")},
             {QStringLiteral("s_staffpos_hl"), QStringLiteral("Подразделение")}}};
}

data::RowSnapshot product(const data::Dataset& row) {
    return {{QStringLiteral("marka"), text(row, "marka")},
            {QStringLiteral("massa"),
             ui::shortestFloatOrEmpty(row.value(QStringLiteral("massa"))).trimmed()}};
}

data::GuardedRow guardedProduct(qint64 id) {
    return {lockedRow("id, s_caption as marka, massa", "cmn_gds_and_srv.gds_and_srv", id),
            product,
            {{QStringLiteral("marka"), QStringLiteral("Марка")},
             {QStringLiteral("massa"), QStringLiteral("Расценка")}}};
}

data::RowSnapshot kind(const data::Dataset& row) {
    return {{QStringLiteral("vid"), text(row, "vid")}};
}

data::GuardedRow guardedKind(qint64 id) {
    return {lockedRow("id, vid", "accounts_dep.vid_oper", id),
            kind,
            {{QStringLiteral("vid"), QStringLiteral("Операция")}}};
}

data::RowSnapshot operation(const data::Dataset& row) {
    // The editor's list: 0 is finished goods, anything else blanks.
    const bool finished = row.asInt(QStringLiteral("naimen")) == 0;
    return {{QStringLiteral("i_id"), text(row, "i_id")},
            {QStringLiteral("marka"), text(row, "marka")},
            {QStringLiteral("oper_vid"), text(row, "oper_vid")},
            {QStringLiteral("vid"), text(row, "vid")},
            {QStringLiteral("naimen"),
             finished ? QStringLiteral("Готовая продукция") : QStringLiteral("Заготовки")}};
}

data::GuardedRow guardedOperation(qint64 id) {
    return {QStringLiteral("select oper.id, oper.i_id, oper.vid as oper_vid, oper.naimen, "
                           "izdel.marka, vid_oper.vid from accounts_dep.oper oper "
                           "left join accounts_dep.izdel izdel on izdel.id=oper.i_id "
                           "left join accounts_dep.vid_oper vid_oper on vid_oper.id=oper.vid "
                           "where oper.id=") +
                QString::number(id) + QStringLiteral(" for update of oper"),
            operation,
            {{QStringLiteral("marka"), QStringLiteral("Марка изделия"), QStringLiteral("i_id")},
             {QStringLiteral("vid"), QStringLiteral("Операция"), QStringLiteral("oper_vid")},
             {QStringLiteral("naimen"), QStringLiteral("Вид")}}};
}

data::RowSnapshot norm(const data::Dataset& row) {
    auto whole = [&row](const char* field) {
        const QVariant v = row.value(QString::fromLatin1(field));
        return v.isNull() ? QString() : QString::number(v.toLongLong());
    };
    const QVariant price = row.value(QStringLiteral("price"));
    return {{QStringLiteral("norma"), whole("norma")},
            {QStringLiteral("price"), norms::priceText(price)},
            // Compared in full: the grid shows three decimals of it.
            {QStringLiteral("price_value"),
             price.isNull() ? QString() : QString::number(price.toDouble(), 'g', 17)},
            {QStringLiteral("prize"), whole("prize")}};
}

data::GuardedRow guardedNorm(qint64 id) {
    return {lockedRow("id, o_id, norma, price, prize", "accounts_dep.norm", id),
            norm,
            {{QStringLiteral("norma"), QStringLiteral("Норматив")},
             {QStringLiteral("price"), QStringLiteral("Цена"), QStringLiteral("price_value")},
             {QStringLiteral("prize"), QStringLiteral("Премия, %")}}};
}

}  // namespace refbooks::shown
