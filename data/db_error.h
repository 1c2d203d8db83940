#pragma once

#include <QString>
#include <stdexcept>

namespace data {

// What kind of refusal a DbError is, for those a caller may answer differently.
enum class DbErrorKind {
    Other,
    // A lock another workstation holds was not granted within the wait limit (SQLSTATE 55P03):
    // the statement, and the transaction around it, did nothing.
    Busy,
    // The server refused a write into a closed month (its SQLSTATE, never its text).
    ClosedMonth,
};

// The message of a Busy refusal.
inline constexpr const char* kBusyMessage =
    "Данные заняты другим рабочим местом. Повторите действие позже.";

// Raised by the data layer when the database or the driver refuses something.
// what() and message() carry the driver's own text, which the error display shows as it is.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message, DbErrorKind kind = DbErrorKind::Other)
        : std::runtime_error(message.toStdString()), message_(message), kind_(kind) {}
    const QString& message() const { return message_; }
    DbErrorKind kind() const { return kind_; }

private:
    QString message_;
    DbErrorKind kind_;
};

// The SQLSTATE the server's closed-month triggers raise (db/upgrade/01-closed-months.sql).
inline constexpr const char* kClosedMonthState = "PM001";

// "Месяц 11.2026 закрыт. Изменения в нём запрещены.": the client's refusal and the server's,
// alike.
inline QString closedMonthMessage(int month, int year) {
    return QStringLiteral("Месяц %1.%2 закрыт. Изменения в нём запрещены.")
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(year);
}
inline DbError closedMonthError(int month, int year) {
    return DbError(closedMonthMessage(month, year), DbErrorKind::ClosedMonth);
}

// The refusal of a write aimed at one existing row that changed none: another workstation
// deleted the row meanwhile.
inline constexpr const char* kRowGoneMessage = "Запись была удалена с другого рабочего места.";
class RowGoneError : public DbError {
public:
    RowGoneError() : DbError(QString::fromUtf8(kRowGoneMessage)) {}
};

// Throws RowGoneError unless the write changed a row.
inline void requireRowChanged(int rowsAffected) {
    if (rowsAffected == 0)
        throw RowGoneError();
}

}  // namespace data
