#pragma once

#include <QString>
#include <optional>

namespace ui {

// A question answered by a line of text that may not be blank (the reason of an action).
struct TextQuestion {
    QString objectName;  // the window's
    QString caption;
    QString label;  // above the box
    int maxLength = 500;
};

// Asks the question in a modal window (ui::showModal): the box "promptEdit", "ОК"
// ("promptOkButton", enabled only while the box holds more than blanks) and "Отмена"
// ("promptCancelButton"). Text the box cannot take (control or broken characters, too long) is
// refused with its reason and the window stays open. Gives the text without its outer blanks, or
// nothing when cancelled.
std::optional<QString> askText(const TextQuestion& question);

}  // namespace ui
