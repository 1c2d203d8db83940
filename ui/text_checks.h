#pragma once

#include <QChar>
#include <QString>

#include <functional>
#include <optional>

// Checks of text typed or pasted into a box, before it is saved. Pasting reaches a box without
// its key filter, so the whole text is checked again on save.
namespace ui {

// Why a name cannot be saved, or nothing when it can: control characters (NUL, tab, line breaks)
// and broken text (half of a UTF-16 surrogate pair, which would be stored as another character)
// are refused, and so is a name of more than maxLength characters (its column's size).
std::optional<QString> nameRefusal(const QString& name, int maxLength);

// A box's whole text read through the rule its typing follows: every character as key gives it,
// or nothing when key drops any of them.
std::optional<QString> throughKeyRule(const QString& text,
                                      const std::function<std::optional<QChar>(QChar)>& key);

}  // namespace ui
