#pragma once

#include <QDate>
#include <QString>
#include <initializer_list>

namespace data {

// The one quoting helper: user text as a complete SQL string literal, its apostrophes doubled.
// A text with a backslash becomes an escape string (E'...') with its backslashes doubled, which
// the server reads the same whatever its standard_conforming_strings; any other text keeps the
// plain form ('O''Brien').
QString quotedLiteral(const QString& text);

// A statement written as lines: the lines joined by a line break, as the fixed texts are sent.
QString sqlLines(std::initializer_list<const char*> lines);

// DD.MM.YYYY, the form every composed statement writes dates in.
QString sqlDate(const QDate& date);

}  // namespace data
