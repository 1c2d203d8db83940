#pragma once

#include <QElapsedTimer>

namespace ui {

// Installs the real message box as the presenter of ui::showMessage.
void installMessageBoxPresenter();

// True for a short moment after a message box closed: the window it returns to is not being
// activated by the user, so activation handlers leave it alone.
bool messageBoxJustClosed();

}  // namespace ui
