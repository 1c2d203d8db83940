#pragma once

#include <QString>

// User text inside a message: a message box that quotes what was typed or pasted must stay
// readable and whole whatever the text holds.
namespace data {

// The most characters of user text a message shows.
inline constexpr int kShownCharacters = 40;

// The text as a message shows it: at most kShownCharacters characters, a longer text cut with
// "…"; the characters that would not show, or would cut or reorder the message, made visible as
// escapes: tab, line feed and carriage return as "\t", "\n", "\r", every other control, format
// (direction marks, zero-width characters) and line or paragraph separator character and half a
// surrogate pair as "\uXXXX" (NUL "\u0000").
QString shownUserText(const QString& text);

// The same between apostrophes: '7\u00008'.
QString quotedUserText(const QString& text);

}  // namespace data
