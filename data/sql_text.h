#pragma once

#include <QDate>
#include <QString>
#include <initializer_list>

namespace data {

// The one quoting helper: user text for splicing inside an SQL string literal, apostrophes
// doubled. (The database runs with standard_conforming_strings, so backslashes stay literal.)
QString escapedInLiteral(const QString& text);

// A statement written as lines: the lines joined by a line break, as the fixed texts are sent.
QString sqlLines(std::initializer_list<const char*> lines);

// DD.MM.YYYY, the form every composed statement writes dates in.
QString sqlDate(const QDate& date);

}  // namespace data
