#pragma once

#include <QString>
#include <stdexcept>

namespace data {

// Raised by the data layer when the database or the driver refuses something.
// what() and message() carry the driver's own text, which the error display shows as it is.
class DbError : public std::runtime_error {
public:
    // What the refusal was, for callers that answer one kind in their own way. The server's
    // refusal of a write into a closed month is told by its SQLSTATE, never by its text.
    enum class Kind { Driver, ClosedMonth };

    explicit DbError(const QString& message, Kind kind = Kind::Driver)
        : std::runtime_error(message.toStdString()), message_(message), kind_(kind) {}
    const QString& message() const { return message_; }
    Kind kind() const { return kind_; }

private:
    QString message_;
    Kind kind_;
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
    return DbError(closedMonthMessage(month, year), DbError::Kind::ClosedMonth);
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
