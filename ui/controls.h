#pragma once

#include "ui/text_checks.h"

#include <QString>

class QDialog;
class QLineEdit;
class QObject;
class QPushButton;
class QValidator;
class QWidget;

namespace ui {

// A button named after its control. Enter on it while it has the focus presses it; Enter in
// another control of the window presses it only when the window makes it the default button.
QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption);

// A "..." button beside a box, opening a picker; narrow, of the given width in pixels.
QPushButton* makePickerButton(QWidget* parent, const char* name, int width);

// The save and cancel buttons every editor dialog has under its group.
struct EditorButtons {
    QPushButton* save;    // Button1, the default button
    QPushButton* cancel;  // Button2 "Отмена", closes the dialog with the cancel result
};

// Lays an editor out as its group above a right-aligned row of Button1 (saveCaption) and
// Button2 "Отмена". A fixed editor sizes itself to its contents.
EditorButtons layOutEditor(QDialog* dialog, QWidget* group, const QString& saveCaption,
                           bool fixedSize = true);

// Typing into box follows rule: a typed character is entered as the rule gives it or dropped;
// Backspace and the editing keys work as usual. Pasted text is not filtered: the save reads the
// whole text by the same rule.
void filterKeys(QLineEdit* box, KeyRule rule);

// A validator taking a text, typed or pasted, only when rule takes every character of it as it
// is: a box that refuses a paste its key rule would not have typed.
QValidator* keyRuleValidator(QObject* parent, KeyRule rule);

}  // namespace ui
