#include "history/history_texts.h"

#include "data/book_fields.h"
#include "data/journal_fields.h"
#include "people/person_rules.h"

#include <QDate>
#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QStringList>
#include <algorithm>
#include <utility>
#include <vector>

namespace history {

namespace {

// A recorded column and its caption.
using Field = data::RecordedField;

// The fields of each table in the order the editors show them, with their captions: the tables'
// own field lists, and the shared register and the people here. Columns not listed are shown by
// their own names when they change, and left out of additions and deletions (keys and columns
// this system writes as 0).
const std::vector<Field>& fieldsOf(const QString& table) {
    static const std::vector<Field> none;
    static const std::vector<std::pair<QString, std::vector<Field>>> tables = {
        {QStringLiteral("smena"), data::recordedFields(data::journalFields())},
        {QStringLiteral("oper"), data::recordedFields(data::operationFields())},
        {QStringLiteral("norm"), data::recordedFields(data::normFields())},
        {QStringLiteral("person"), data::recordedFields(data::workerFields())},
        {QStringLiteral("izdel"), data::recordedFields(data::productFields())},
        {QStringLiteral("vid_oper"), data::recordedFields(data::operationKindFields())},
        {QStringLiteral("contractor"), std::vector<Field>{{"s_caption", "ФИО"}, {"s_code", "Код"}}},
        {QStringLiteral("plant_person"),
         std::vector<Field>{{"login", "Имя входа"},
                            {"full_name", "ФИО"},
                            {"job", "Должность"},
                            {"enabled", "Вход разрешён"},
                            {"must_change_password", "Сменить пароль при входе"}}},
    };
    for (const auto& [name, fields] : tables)
        if (name == table)
            return fields;
    return none;
}

// A timesheet's day column (d1..d31) as its day of the month, else 0.
int dayOf(const QString& table, const QString& column) {
    if (table != QLatin1String("h_tabel") || !column.startsWith(u'd'))
        return 0;
    bool ok = false;
    const int day = column.mid(1).toInt(&ok);
    return ok && day >= 1 && day <= 31 ? day : 0;
}

QString valueText(const QString& table, const QString& column, const QJsonValue& v) {
    if (v.isNull() || v.isUndefined())
        return QStringLiteral("—");
    if (v.isDouble()) {
        if (table == QLatin1String("oper") && column == QLatin1String("naimen"))
            return v.toDouble() == 0 ? QStringLiteral("Готовая продукция")
                                     : QStringLiteral("Заготовки");
        return QLocale().toString(v.toDouble(), 'g', 15);
    }
    if (table == QLatin1String("plant_person") && column == QLatin1String("job"))
        return people::jobText(v.toString());
    if (v.isBool())
        return v.toBool() ? QStringLiteral("да") : QStringLiteral("нет");
    const QString text = v.toString();
    // Dates and times as the rest of the client shows them.
    const QDate date = QDate::fromString(text, Qt::ISODate);
    if (date.isValid())
        return date.toString(QStringLiteral("dd.MM.yyyy"));
    const QDateTime moment = QDateTime::fromString(text, Qt::ISODate);
    if (moment.isValid())
        return moment.time() == QTime(0, 0)
                   ? moment.toString(QStringLiteral("dd.MM.yyyy"))
                   : moment.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
    return text;
}

}  // namespace

QString actionText(const QString& table, const QString& action) {
    if (table == QLatin1String("closed_month")) {
        if (action == QLatin1String("insert"))
            return QStringLiteral("Закрытие месяца");
        if (action == QLatin1String("delete"))
            return QStringLiteral("Открытие месяца");
    }
    if (action == QLatin1String("rebuild"))
        return QStringLiteral("Перестроение табеля");
    if (table == QLatin1String("h_tabel")) {
        // A timesheet row's cells written other than by a rebuild.
        if (action == QLatin1String("insert"))
            return QStringLiteral("Добавление строки табеля");
        if (action == QLatin1String("update"))
            return QStringLiteral("Изменение табеля");
    }
    if (table == QLatin1String("contractor") && action == QLatin1String("update"))
        return QStringLiteral("Изменение рабочего");
    if (table == QLatin1String("plant_person")) {
        if (action == QLatin1String("insert"))
            return QStringLiteral("Добавление пользователя");
        if (action == QLatin1String("update"))
            return QStringLiteral("Изменение пользователя");
        if (action == QLatin1String("delete"))
            return QStringLiteral("Удаление пользователя");
    }
    if (action == QLatin1String("insert"))
        return QStringLiteral("Добавление");
    if (action == QLatin1String("update"))
        return QStringLiteral("Изменение");
    if (action == QLatin1String("delete"))
        return QStringLiteral("Удаление");
    return action;
}

QString roleText(const QString& role) {
    if (role == QLatin1String("Administrator"))
        return QStringLiteral("Администратор");
    if (role == QLatin1String("Foreman"))
        return QStringLiteral("Бригадир");
    if (role == QLatin1String("Storekeeper"))
        return QStringLiteral("Кладовщик");
    if (role == QLatin1String("Reviewer"))
        return QStringLiteral("Контролёр");
    if (role.isEmpty())
        return QStringLiteral("Другая программа");
    return role;
}

QString changesText(const QString& changesJson) {
    const QJsonObject all = QJsonDocument::fromJson(changesJson.toUtf8()).object();
    const QString table = all.value(QLatin1String("t")).toString();
    const QJsonObject before = all.value(QLatin1String("o")).toObject();
    const QJsonObject after = all.value(QLatin1String("n")).toObject();
    const bool changed = all.value(QLatin1String("a")).toString() == QLatin1String("update");
    const std::vector<Field>& fields = fieldsOf(table);

    QStringList parts;
    auto caption = [&fields, &table](const QString& column) {
        if (const int day = dayOf(table, column))
            return QStringLiteral("День %1").arg(day);
        for (const Field& f : fields)
            if (column == f.column)
                return f.caption;
        return column;
    };
    if (changed) {
        // Known fields in the editors' order first, then any other column that changed.
        QStringList columns;
        for (const Field& f : fields)
            if (before.contains(f.column))
                columns << f.column;
        QStringList others;
        for (const QString& c : before.keys())
            if (!columns.contains(c))
                others << c;
        // Days in calendar order (the keys come sorted as text: d1, d10, d11, ..., d2).
        std::stable_sort(others.begin(), others.end(),
                         [&table](const QString& a, const QString& b) {
                             return dayOf(table, a) < dayOf(table, b);
                         });
        columns << others;
        for (const QString& c : columns)
            parts << caption(c) + QStringLiteral(": ") + valueText(table, c, before.value(c)) +
                         QStringLiteral(" → ") + valueText(table, c, after.value(c));
    } else {
        const QJsonObject& row = after.isEmpty() ? before : after;
        if (table == QLatin1String("h_tabel")) {
            // A new timesheet row: its days as written.
            QStringList days = row.keys();
            std::stable_sort(days.begin(), days.end(),
                             [&table](const QString& a, const QString& b) {
                                 return dayOf(table, a) < dayOf(table, b);
                             });
            for (const QString& c : days)
                parts << caption(c) + QStringLiteral(": ") + valueText(table, c, row.value(c));
        }
        for (const Field& f : fields)
            if (row.contains(f.column))
                parts << f.caption + QStringLiteral(": ") +
                             valueText(table, f.column, row.value(f.column));
    }
    // Why a month was reopened, as the administrator gave it.
    const QString reason = all.value(QLatin1String("r")).toString();
    if (!reason.isEmpty())
        parts << QStringLiteral("Причина: ") + reason;
    return parts.join(QStringLiteral("; "));
}

}  // namespace history
