#pragma once

#include <QStringList>
#include <functional>

// Brings the client up to, not including, the message loop: translations, the shared data and
// the journal window, which connects, shows the login window and creates the windows it opens.
// args are the command line with the program name first. False when the connection failed:
// the message has been shown and the process should end.
bool startApplication(const QStringList& args);

// Runs start-up steps. An error escaping them is shown by the application's error display, every
// window is hidden and the process is told to end: the answer is then false, as it is when the
// steps answer false.
bool runStartUp(const std::function<bool()>& steps);

// Destroys every window and the shared data (tests start the application more than once).
void shutdownApplication();
