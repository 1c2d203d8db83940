#include "timesheet/month_closing.h"

#include "data/data_module.h"
#include "data/db_error.h"
#include "data/server_features.h"
#include "data/session_identity.h"
#include "data/transaction.h"
#include "timesheet/month_calendar.h"
#include "timesheet/month_closing_statements.h"
#include "timesheet/month_lock.h"
#include "timesheet/month_rebuild.h"
#include "ui/quoted_text.h"

namespace timesheet {

bool monthClosed(data::SharedData& shared, int month, int year) {
    if (!data::closedMonthsAvailable())
        return false;
    return shared.countOf(closing::closedCount(month, QString::number(year))) > 0;
}

void refuseIfClosed(data::SharedData& shared, const QDate& day) {
    if (day.isValid() && monthClosed(shared, day.month(), day.year()))
        throw data::closedMonthError(day.month(), day.year());
}

CloseVerdict closeMonth(data::SharedData& shared, int month, const QString& year,
                        const QString& role, const QString& workstation, bool rebuildFirst) {
    const QDate first = firstDayOf(month, year);
    if (!first.isValid())
        throw data::DbError(ui::quotedUserText(year) + QStringLiteral(" не является годом"));
    data::Transaction transaction;
    lockMonthForRebuild(month, first.year());
    if (rebuildFirst) {
        rebuildMonth(shared, month, year, [](int, int) {});
    } else if (const qint64 differing = shared.countOf(closing::differingCells(month, year));
               differing > 0) {
        return {CloseVerdict::Kind::TimesheetDiffers, differing};
    }
    shared.statement.setSql(closing::closeMonth(month, year, role, workstation));
    const bool closed = shared.statement.exec() > 0;
    transaction.commit();
    if (closed || rebuildFirst)
        emit shared.timesheetChanged(first.year(), month);
    return {closed ? CloseVerdict::Kind::Closed : CloseVerdict::Kind::AlreadyClosed};
}

bool reopenMonth(data::SharedData& shared, int month, const QString& year) {
    const QDate first = firstDayOf(month, year);
    if (!first.isValid())
        return false;
    data::Transaction transaction;
    lockMonthForRebuild(month, first.year());
    shared.statement.setSql(closing::reopenMonth(month, year));
    const bool reopened = shared.statement.exec() > 0;
    transaction.commit();
    if (reopened)
        emit shared.timesheetChanged(first.year(), month);
    return reopened;
}

namespace closing_text {

namespace {
QString mmYyyy(int month, int year) {
    return QStringLiteral("%1.%2").arg(month, 2, 10, QLatin1Char('0')).arg(year);
}
}  // namespace

QString state(bool closed) {
    return closed ? QStringLiteral("Месяц закрыт") : QStringLiteral("Месяц открыт");
}

QString closeQuestion(int month, int year) {
    return QStringLiteral("Закрыть месяц %1? Изменения в нём будут запрещены.")
        .arg(mmYyyy(month, year));
}

QString rebuildQuestion(int month, int year, qint64 differingCells) {
    return QStringLiteral(
               "Табель месяца %1 отличается от журнала в ячейках: %2. Перестроить табель и "
               "закрыть месяц?")
        .arg(mmYyyy(month, year))
        .arg(differingCells);
}

QString alreadyClosed(int month, int year) {
    return QStringLiteral("Месяц %1 уже закрыт.").arg(mmYyyy(month, year));
}

QString reopenQuestion(int month, int year) {
    return QStringLiteral("Открыть месяц %1? Изменения в нём снова будут разрешены.")
        .arg(mmYyyy(month, year));
}

QString notClosed(int month, int year) {
    return QStringLiteral("Месяц %1 не закрыт.").arg(mmYyyy(month, year));
}

QString upgradeFirst() {
    return QStringLiteral(
        "Закрывать и открывать месяцы можно после обновления базы данных. Обновите её "
        "командой\nplant-client --upgrade-database БАЗА СЕРВЕР\n(на любом компьютере, откуда "
        "доступен сервер; клиенты могут работать дальше).");
}

}  // namespace closing_text

QString workstationName() {
    return data::thisWorkstation();
}

}  // namespace timesheet
