#pragma once

#include <QDialog>

namespace ui {

// Base of every window: a dialog its opener owns, shown and hidden as needed. Tag holds the mode
// its opener sets. FormActivate runs whenever the window becomes the active
// window coming from another window of this client (not from another application, and not when
// a message box closes); headless tests call it directly where the platform sends no activation.
class Window : public QDialog {
    Q_OBJECT
public:
    explicit Window(QWidget* parent = nullptr);

    int Tag = 0;

    virtual void FormActivate() {}
};

}  // namespace ui
