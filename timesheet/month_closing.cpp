#include "timesheet/month_closing.h"

#include "data/change.h"
#include "data/command.h"
#include "data/data_module.h"
#include "data/db_error.h"
#include "data/quoted_text.h"
#include "data/server_features.h"
#include "data/session_identity.h"
#include "data/transaction.h"
#include "timesheet/month_calendar.h"
#include "timesheet/month_closing_statements.h"
#include "timesheet/month_lock.h"
#include "timesheet/month_rebuild.h"

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

namespace {
bool closedUnderLock(data::SharedData& shared, int month, const QString& year) {
    return shared.countOf(closing::closedCount(month, year)) > 0;
}
}  // namespace

CloseVerdict closeMonth(data::SharedData& shared, int month, const QString& year,
                        const QString& role, const QString& workstation, bool rebuildFirst) {
    const QDate first = firstDayOf(month, year);
    if (!first.isValid())
        throw data::DbError(data::quotedUserText(year) + QStringLiteral(" не является годом"));
    data::Transaction transaction;
    lockMonthForRebuild(month, first.year());
    // Closed meanwhile by another workstation: a rebuild now would be refused.
    if (closedUnderLock(shared, month, year))
        return {CloseVerdict::Kind::AlreadyClosed};
    if (rebuildFirst) {
        rebuildMonth(shared, month, year, [](int, int) {});
    } else if (const qint64 differing = shared.countOf(closing::differingCells(month, year));
               differing > 0) {
        return {CloseVerdict::Kind::TimesheetDiffers, differing};
    }
    if (data::monthFunctionsAvailable()) {
        data::Command close(QStringLiteral("CloseMonth"), closing::closeMonthCall(month, year));
        close.exec();
    } else {
        shared.statement.setSql(closing::closeMonth(month, year, role, workstation));
        if (shared.statement.exec() == 0)
            throw data::DbError(closing_text::alreadyClosed(month, first.year()));
    }
    data::announce(data::Change::monthState(first.year(), month));
    transaction.commit();
    return {CloseVerdict::Kind::Closed};
}

bool reopeningKeepsReason() {
    return data::monthFunctionsAvailable();
}

bool reopenMonth(data::SharedData& shared, int month, const QString& year, const QString& reason) {
    const QDate first = firstDayOf(month, year);
    if (!first.isValid())
        return false;
    data::Transaction transaction;
    lockMonthForRebuild(month, first.year());
    if (!closedUnderLock(shared, month, year))
        return false;
    if (reopeningKeepsReason()) {
        data::Command reopen(QStringLiteral("ReopenMonth"), closing::reopenMonthCall(month, year));
        reopen.setParam(QStringLiteral("reason"), reason);
        reopen.exec();
    } else {
        shared.statement.setSql(closing::reopenMonth(month, year));
        if (shared.statement.exec() == 0)
            throw data::DbError(closing_text::notClosed(month, first.year()));
    }
    data::announce(data::Change::monthState(first.year(), month));
    transaction.commit();
    return true;
}

qint64 unacceptedEntries(data::SharedData& shared, int month, const QString& year) {
    if (!firstDayOf(month, year).isValid())
        return 0;
    return shared.countOf(closing::unacceptedCount(month, year));
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

QString stateNotUpgraded() {
    return QStringLiteral(
        "Закрытие месяцев — после обновления базы:\nplant-client "
        "--upgrade-database БАЗА СЕРВЕР");
}

QString journalState(bool closed) {
    return closed ? QStringLiteral("Месяц закрыт") : QString();
}

QString closeQuestion(int month, int year, qint64 unaccepted) {
    return QStringLiteral("Закрыть месяц %1? Изменения в нём будут запрещены.\n")
               .arg(mmYyyy(month, year)) +
           (unaccepted > 0
                ? QStringLiteral("Не принято записей журнала за месяц: %1.").arg(unaccepted)
                : QStringLiteral("Все записи журнала за месяц приняты."));
}

QString closed(int month, int year) {
    return QStringLiteral("Месяц %1 закрыт.").arg(mmYyyy(month, year));
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

QString reasonPrompt(int month, int year) {
    return QStringLiteral("Причина открытия месяца %1 (сохраняется в истории изменений):")
        .arg(mmYyyy(month, year));
}

QString reopened(int month, int year) {
    return QStringLiteral("Месяц %1 открыт.").arg(mmYyyy(month, year));
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
