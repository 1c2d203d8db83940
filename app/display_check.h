#pragma once

#include <QString>
#include <optional>

// Whether the client's windows have a screen to open on. Without one Qt's platform plugin stops
// the process with an English message and a core dump; the client says so in Russian and exits.
namespace command_line {

// The environment variables the choice of Qt's platform reads.
struct DisplayEnvironment {
    QString platform;        // QT_QPA_PLATFORM
    QString display;         // DISPLAY (X11)
    QString waylandDisplay;  // WAYLAND_DISPLAY

    static DisplayEnvironment current();
};

// The exit code when there is no screen.
inline constexpr int kNoDisplayExitCode = 1;

// The message, for standard error, when the environment leaves the windows no screen: neither
// DISPLAY nor WAYLAND_DISPLAY set, or QT_QPA_PLATFORM naming only X11 or Wayland whose variable
// is not set. Empty when there is one, or when QT_QPA_PLATFORM names a platform that needs no
// desktop (offscreen, vnc, linuxfb ...).
std::optional<QString> noDisplayMessage(const DisplayEnvironment& env);

// While it lives, a fatal message of Qt (a display that is named but cannot be reached, a
// platform plugin that does not load) is told in Russian on standard error, with Qt's own text,
// and ends the process with kNoDisplayExitCode instead of aborting it. Held while the
// application object is made.
class DisplayFailureGuard {
public:
    DisplayFailureGuard();
    ~DisplayFailureGuard();
    DisplayFailureGuard(const DisplayFailureGuard&) = delete;
    DisplayFailureGuard& operator=(const DisplayFailureGuard&) = delete;
};

// The message the guard prints for Qt's text.
QString displayFailureMessage(const QString& qtMessage);

}  // namespace command_line
