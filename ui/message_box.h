#pragma once

namespace ui {

// Installs the real message box as the presenter of ui::showMessage.
void installMessageBoxPresenter();

// True while a message box waits for the user. The window activated then is the box, and the
// window it returns to afterwards is not being activated by the user.
bool messageBoxShown();

}  // namespace ui
