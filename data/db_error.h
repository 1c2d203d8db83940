#pragma once

#include <QString>
#include <stdexcept>

namespace data {

// Raised by the data layer when the database or the driver refuses something.
// what() and message() carry the driver's own text, which the error display shows as it is.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

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
