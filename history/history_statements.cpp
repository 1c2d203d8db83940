#include "history/history_statements.h"

#include "data/sql_text.h"

namespace history {

QStringList tablesOf(Kind kind) {
    switch (kind) {
        case Kind::Journal:
            return {QStringLiteral("smena")};
        case Kind::PricesAndOperations:
            return {QStringLiteral("oper"), QStringLiteral("norm")};
        case Kind::ReferenceBooks:
            return {QStringLiteral("person"), QStringLiteral("izdel"), QStringLiteral("vid_oper")};
        case Kind::Months:
            break;
    }
    return {QStringLiteral("closed_month"), QStringLiteral("h_tabel")};
}

QString availabilityCheck() {
    return QStringLiteral(
        "select (to_regclass('accounts_dep.change_log') is not null)::integer as cnt");
}

namespace {

// Every row with its names looked up where they still exist: a journal row by its date, shift,
// worker, product and operation kind; an operation by its product, kind and product kind; a norm
// by its operation's; a month by MM.YYYY.
QString selectRows() {
    return data::sqlLines({
        "select l.id, to_char(l.changed_at, 'DD.MM.YYYY HH24:MI:SS') as changed,",
        " coalesce(l.workstation, concat_ws(', ', l.program, host(l.client_addr))) as workstation,",
        " l.role, l.program, l.table_name, l.row_id, l.table_name || ':' || l.action as what,",
        " case l.table_name",
        "  when 'smena' then concat_ws(', ', to_char((l.row_key->>'data')::date, 'DD.MM.YYYY'),",
        "   case l.row_key->>'smena' when '4' then 'Переработка' else 'смена ' || "
        "(l.row_key->>'smena') end,",
        "   coalesce(w.fio, 'рабочий ' || (l.row_key->>'w_id')),",
        "   coalesce(i.marka, 'изделие ' || (l.row_key->>'i_id')),",
        "   coalesce(k.vid, 'операция ' || (l.row_key->>'o_id')))",
        "  when 'oper' then concat_ws(', ', coalesce(i.marka, 'изделие ' || (l.row_key->>'i_id')),",
        "   coalesce(k.vid, 'операция ' || (l.row_key->>'vid')),",
        "   case l.row_key->>'naimen' when '0' then 'Готовая продукция' else 'Заготовки' end)",
        "  when 'norm' then concat_ws(', ', 'Норма', coalesce(i.marka, 'операция ' || "
        "(l.row_key->>'o_id')), k.vid)",
        "  when 'person' then 'Рабочий ' || (l.row_key->>'fio')",
        "  when 'izdel' then 'Изделие ' || (l.row_key->>'s_caption')",
        "  when 'vid_oper' then 'Вид операции ' || (l.row_key->>'vid')",
        "  when 'closed_month' then 'Месяц ' || lpad(l.row_key->>'month', 2, '0') || '.' || "
        "(l.row_key->>'year')",
        "  when 'h_tabel' then 'Табель ' || lpad(l.row_key->>'month', 2, '0') || '.' || "
        "(l.row_key->>'year')",
        "  else l.table_name || ' ' || l.row_id end as object,",
        " jsonb_build_object('t', l.table_name, 'a', l.action, 'o', l.old_values, 'n', "
        "l.new_values,",
        "  'r', case when l.table_name = 'closed_month' then to_jsonb(l)->'reason' end)::text as "
        "changes",
        "from accounts_dep.change_log l",
        "left join accounts_dep.person w on l.table_name = 'smena' and w.id = "
        "(l.row_key->>'w_id')::integer",
        "left join accounts_dep.oper op on l.table_name in ('smena', 'norm') and op.id = "
        "(l.row_key->>'o_id')::integer",
        "left join accounts_dep.izdel i on i.id = case l.table_name when 'norm' then op.i_id "
        "else (l.row_key->>'i_id')::integer end",
        "left join accounts_dep.vid_oper k on k.id = case l.table_name when 'oper' then "
        "(l.row_key->>'vid')::integer else op.vid end",
    });
}

QString newestFirst() {
    return QStringLiteral("\norder by l.changed_at desc, l.id desc");
}

}  // namespace

QString periodRows(const QDate& from, const QDate& to, const QStringList& tables, int limit) {
    QStringList names;
    for (const QString& t : tables)
        names << data::quotedLiteral(t);
    if (names.isEmpty())
        names << QStringLiteral("''");
    return selectRows() + QStringLiteral("\nwhere l.changed_at >= to_date('") +
           data::sqlDate(from) + QStringLiteral("', 'DD.MM.YYYY') and l.changed_at < to_date('") +
           data::sqlDate(to.addDays(1)) + QStringLiteral("', 'DD.MM.YYYY') and l.table_name in (") +
           names.join(QStringLiteral(", ")) + QLatin1Char(')') + newestFirst() +
           (limit > 0 ? QStringLiteral("\nlimit ") + QString::number(limit) : QString());
}

QString rowHistory(const QString& table, qint64 rowId) {
    return selectRows() + QStringLiteral("\nwhere l.table_name = ") + data::quotedLiteral(table) +
           QStringLiteral(" and l.row_id = ") + QString::number(rowId) + newestFirst();
}

}  // namespace history
