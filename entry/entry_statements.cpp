#include "entry/entry_statements.h"

#include "data/sql_text.h"
#include "ui/format.h"
#include "ui/text_checks.h"

#include <cmath>

namespace entry {

namespace {
QString num(qint64 value) {
    return QString::number(value);
}
}  // namespace

bool isPaintOperation(const QString& operationText) {
    return operationText.toUpper().contains(QStringLiteral("КРАСКА"));
}

bool isComplete(const EntryBoxes& b) {
    if (b.worker.trimmed().isEmpty() || b.operation.trimmed().isEmpty() ||
        b.quantity.trimmed().isEmpty() || b.defects.trimmed().isEmpty())
        return false;
    if (isPaintOperation(b.operation) && b.colour.trimmed().isEmpty())
        return false;
    return !b.hours.trimmed().isEmpty();
}

std::optional<int> colourNumber(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return 0;
    return ui::wholeNumber(t);
}

namespace {
// A digit string, as the digit boxes take it, that fits a 32-bit integer column.
bool fitsInteger(const QString& digits) {
    return ui::wholeNumber(digits.trimmed()).has_value();
}
}  // namespace

std::optional<QString> valueRefusal(const EntryValues& v) {
    if (!fitsInteger(v.quantity))
        return QString::fromUtf8(kBadQuantityMessage);
    if (!fitsInteger(v.defects))
        return QString::fromUtf8(kBadDefectsMessage);
    const std::optional<int> hours = ui::wholeNumber(v.hours.trimmed());
    if (!hours || *hours > kMaxDayHours)
        return QString::fromUtf8(kBadHoursMessage);
    bool ok = false;
    const double written = priceText(v.price).toDouble(&ok);
    if (!ok || !std::isfinite(written))
        return QString::fromUtf8(kBadPriceMessage);
    return std::nullopt;
}

QString dayHoursMessage(qint64 total) {
    return QStringLiteral(
               "У работника за этот день и смену получится %1 ч., а больше %2 "
               "часов быть не может!")
        .arg(total)
        .arg(kMaxDayHours);
}

QString priceText(double price) {
    return ui::priceText(price, QLatin1Char('.'));
}

QString duplicateCountStatement(const EntryValues& v, std::optional<qint64> changedId) {
    QString sql = QStringLiteral("select count(id) as cnt from accounts_dep.SMENA where w_id=") +
                  num(v.workerId) + QStringLiteral(" and o_id=") + num(v.operationId) +
                  QStringLiteral(" and i_id=") + num(v.productId) +
                  QStringLiteral(" and data=to_date('") + data::sqlDate(v.date) +
                  QStringLiteral("', 'DD.MM.YYYY') and smena=") + num(v.shift);
    if (changedId)
        sql += QStringLiteral(" and id<>") + num(*changedId);
    return sql + QStringLiteral(" and color=") + num(v.colour);
}

QString insertStatement(const EntryValues& v) {
    return QStringLiteral(
               "insert into accounts_dep.SMENA(w_id, i_id, o_id, cena, kol_vo, brak, data, "
               "smena, color, time, vvod,ok, prize, id_doc, id_doc_item, f_gds_qty_use, "
               "id_gds_use, id_cons_use) values(") +
           num(v.workerId) + QStringLiteral(", ") + num(v.productId) + QStringLiteral(", ") +
           num(v.operationId) + QStringLiteral(", ") + priceText(v.price) + QStringLiteral(",") +
           v.quantity.trimmed() + QStringLiteral(", ") + v.defects.trimmed() +
           QStringLiteral(", to_date('") + data::sqlDate(v.date) +
           QStringLiteral("', 'DD.MM.YYYY HH24:MI:SS'), ") + num(v.shift) + QStringLiteral(", ") +
           num(v.colour) + QStringLiteral(", ") + v.hours.trimmed() + QStringLiteral(", '") +
           data::sqlDate(v.inputDate) + QStringLiteral("', '") + QStringLiteral("no") +
           QStringLiteral("', 0, ") + QStringLiteral("0, 0, 0, 0, 0)");
}

QString updateStatement(const EntryValues& v, qint64 id) {
    return QStringLiteral("update accounts_dep.SMENA set w_id=") + num(v.workerId) +
           QStringLiteral(", i_id=") + num(v.productId) + QStringLiteral(", o_id=") +
           num(v.operationId) + QStringLiteral(", cena=") + priceText(v.price) +
           QStringLiteral(", kol_vo=") + v.quantity.trimmed() + QStringLiteral(", brak=") +
           v.defects.trimmed() + QStringLiteral(", data=to_date('") + data::sqlDate(v.date) +
           QStringLiteral("', 'DD.MM.YYYY'), smena=") + num(v.shift) + QStringLiteral(", color=") +
           num(v.colour) + QStringLiteral(", time=") + v.hours.trimmed() +
           QStringLiteral(", vvod='") + data::sqlDate(v.inputDate) +
           QStringLiteral(
               "', prize=0, id_doc=0, id_doc_item=0, f_gds_qty_use=0, "
               "id_gds_use=0, id_cons_use=0 where id=") +
           num(id);
}

QString storedPlaceStatement(qint64 id) {
    return QStringLiteral("select w_id, smena, data from accounts_dep.smena where id=") + num(id) +
           QStringLiteral(" for update");
}

QString duplicateLockKey(const EntryValues& v) {
    return QStringLiteral("smena:%1:%2:%3:%4:%5:%6")
        .arg(v.workerId)
        .arg(v.operationId)
        .arg(v.productId)
        .arg(data::sqlDate(v.date))
        .arg(v.shift)
        .arg(v.colour);
}

QDate entryDate(const data::Dataset& journal) {
    const QVariant day = journal.value(QStringLiteral("data"));
    return day.typeId() == QMetaType::QDate || day.typeId() == QMetaType::QDateTime
               ? day.toDate()
               : ui::parseDate(day.toString().trimmed());
}

}  // namespace entry
