#pragma once

#include <QChar>
#include <QString>

#include <functional>
#include <optional>

// Checks of text typed or pasted into a box, before it is saved. Pasting reaches a box without
// its key filter, so the whole text is checked again on save, by the same key rule.
namespace ui {

// Why a name cannot be saved, or nothing when it can: control characters (NUL, tab, line breaks)
// and broken text (half of a UTF-16 surrogate pair, which would be stored as another character;
// U+FFFD, what a wrong decoding left of a character) are refused, and so is a name of more than
// maxLength characters (its column's size).
std::optional<QString> nameRefusal(const QString& name, int maxLength);

// What a box takes of one typed character: the character to enter, or nothing to drop it.
using KeyRule = std::function<std::optional<QChar>(QChar)>;

// A box's whole text read through the rule its typing follows: every character as key gives it,
// or nothing when key drops any of them.
std::optional<QString> throughKeyRule(const QString& text, const KeyRule& key);

// The rule of a box of whole numbers: the digits 0-9, nothing else (no sign, no digits of other
// scripts, which are digits to Unicode but no number to the column).
std::optional<QChar> digitKey(QChar typed);

// The rule of a box of decimal numbers: the digits 0-9, and both "." and "," as ",".
std::optional<QChar> decimalKey(QChar typed);

// The whole text of a decimal box read by decimalKey with "," as the decimal mark ("1.5" is 1,5
// as typed); nothing when it is no finite number ("-5", "1e308", "2,5,", a 400-digit number).
std::optional<double> decimalNumber(const QString& text);

// The whole text of a box of whole numbers read by digitKey; nothing when it is no number from 0
// to 2147483647.
std::optional<int> wholeNumber(const QString& text);

}  // namespace ui
