#pragma once

#include <QDialog>
#include <functional>

namespace ui {

// Shows a window modally and returns its modal result (QDialog::Accepted or Rejected).
// While a hook is set (tests), the window is prepared and made visible, the hook is called with
// it and its return value is the result; no nested event loop runs. A window that closes itself
// while the hook acts has ended its showing with its own result.
int showModal(QDialog* window);

void setModalHook(std::function<int(QWidget*)> hook);
void clearModalHook();

}  // namespace ui
