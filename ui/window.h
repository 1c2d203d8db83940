#pragma once

#include <QDialog>

namespace ui {

// Base of every window: a dialog its opener owns, shown and hidden as needed. windowActivated
// runs whenever the window becomes the active window coming from another window of this client (not
// from another application, and not when a message box closes); headless tests call it directly
// where the platform sends no activation.
class Window : public QDialog {
    Q_OBJECT
public:
    explicit Window(QWidget* parent = nullptr);

    virtual void windowActivated() {}
};

// The window every other window opens centred on: the journal window.
void setMainWindow(QWidget* window);
// Places a window about to be shown so that it opens centred on the main window (while that is on
// screen), kept on the main window's screen where it fits.
void centreOnMainWindow(QWidget* window);
// A dialog of a fixed size: the given size, or the size its layout asks for when none is given.
// It offers no maximise or minimise button, only its title and close button.
void fixSize(QDialog* dialog, QSize size = {});

}  // namespace ui
