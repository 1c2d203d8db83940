#pragma once

#include <QStringList>
#include <functional>

// Brings the client up to, not including, the message loop: translations, the journal window
// (which connects and shows the login window) and every other window in creation order.
// args are the command line with the program name first. False when the connection failed:
// the message has been shown and the process should end.
bool startApplication(const QStringList& args);

// Runs start-up steps. An error escaping them is shown by the application's error display, every
// window is hidden and the process is told to end: the answer is then false, as it is when the
// steps answer false.
bool runStartUp(const std::function<bool()>& steps);

// Destroys every window and the data module (tests start the application more than once).
void shutdownApplication();
