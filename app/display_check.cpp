#include "app/display_check.h"

#include <QStringList>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

namespace command_line {

namespace {

const char* const kAdvice =
    "Запустите клиент в сеансе рабочего стола или через ssh -X. Без экрана работают\n"
    "plant-client --upgrade-database, --version и --help.\n";

// Whether Qt's platform `name` (as QT_QPA_PLATFORM names it, without its options) can open
// windows in this environment.
bool usable(const QString& name, const DisplayEnvironment& env) {
    if (name == QLatin1String("xcb"))
        return !env.display.isEmpty();
    if (name.startsWith(QLatin1String("wayland")))
        return !env.waylandDisplay.isEmpty();
    return !name.isEmpty();  // offscreen, minimal, vnc, linuxfb, eglfs: no desktop needed
}

QtMessageHandler previousHandler = nullptr;

void sayFatalAndExit(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtFatalMsg) {
        if (previousHandler)
            previousHandler(type, context, text);
        return;
    }
    std::fputs(displayFailureMessage(text).toUtf8().constData(), stderr);
    std::fflush(stderr);
    std::_Exit(kNoDisplayExitCode);
}

}  // namespace

DisplayEnvironment DisplayEnvironment::current() {
    return {qEnvironmentVariable("QT_QPA_PLATFORM"), qEnvironmentVariable("DISPLAY"),
            qEnvironmentVariable("WAYLAND_DISPLAY")};
}

std::optional<QString> noDisplayMessage(const DisplayEnvironment& env) {
    const QString platform = env.platform.trimmed();
    if (platform.isEmpty()) {
        if (!env.display.isEmpty() || !env.waylandDisplay.isEmpty())
            return std::nullopt;
        return QStringLiteral(
                   "plant-client: нет экрана для окон клиента: не заданы DISPLAY и "
                   "WAYLAND_DISPLAY.\n") +
               QString::fromUtf8(kAdvice);
    }
    // Qt tries the platforms of a list in turn ("wayland;xcb").
    for (const QString& entry : platform.split(u';', Qt::SkipEmptyParts))
        if (usable(entry.section(u':', 0, 0).trimmed(), env))
            return std::nullopt;
    return QStringLiteral(
               "plant-client: нет экрана для окон клиента: QT_QPA_PLATFORM=%1, а %2 "
               "не задан.\n")
               .arg(platform, platform.startsWith(QLatin1String("wayland"))
                                  ? QStringLiteral("WAYLAND_DISPLAY")
                                  : QStringLiteral("DISPLAY")) +
           QString::fromUtf8(kAdvice);
}

QString displayFailureMessage(const QString& qtMessage) {
    return QStringLiteral("plant-client: не удалось открыть окна клиента на экране.\n") +
           QString::fromUtf8(kAdvice) + QStringLiteral("Сообщение Qt: ") + qtMessage.trimmed() +
           u'\n';
}

DisplayFailureGuard::DisplayFailureGuard() {
    previousHandler = qInstallMessageHandler(sayFatalAndExit);
}

DisplayFailureGuard::~DisplayFailureGuard() {
    qInstallMessageHandler(previousHandler);
    previousHandler = nullptr;
}

}  // namespace command_line
