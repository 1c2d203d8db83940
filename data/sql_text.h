#pragma once

#include <QDate>
#include <QString>

namespace data {

// The one quoting helper: user text as an SQL string literal, apostrophes doubled.
// (The database runs with standard_conforming_strings, so backslashes stay literal.)
QString quoted(const QString& text);

// The same text without the surrounding quotes, for splicing inside an existing literal.
QString escapedInLiteral(const QString& text);

// DD.MM.YYYY, the form every composed statement writes dates in.
QString sqlDate(const QDate& date);

}  // namespace data
