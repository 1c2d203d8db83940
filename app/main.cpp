#include "app/command_line.h"
#include "app/display_check.h"
#include "app/startup.h"
#include "app/upgrade_command.h"
#include "data/c_numeric_locale.h"
#include "ui/error_display.h"

#include <QCoreApplication>
#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    // --version and --help answer before the application starts: no display, no database.
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (const auto answer = command_line::answerFor(args)) {
        std::fputs(answer->toUtf8().constData(), stdout);
        return 0;
    }
    if (const auto refusal = command_line::refusalOf(args)) {
        std::fputs(refusal->toUtf8().constData(), stderr);
        return command_line::kUsageExitCode;
    }

    // The database upgrade runs without a display, on a plant's server console too.
    if (const auto upgrade = command_line::upgradeRequestIn(args)) {
        const QCoreApplication core(argc, argv);
        data::pinClassicNumericLocale();
        QString out, err;
        const int code = command_line::runUpgrade(*upgrade, out, err);
        std::fputs(out.toUtf8().constData(), stdout);
        std::fputs(err.toUtf8().constData(), stderr);
        return code;
    }

    if (const auto noDisplay =
            command_line::noDisplayMessage(command_line::DisplayEnvironment::current())) {
        std::fputs(noDisplay->toUtf8().constData(), stderr);
        return command_line::kNoDisplayExitCode;
    }
    std::unique_ptr<ui::Application> app;
    {
        const command_line::DisplayFailureGuard guard;
        app = std::make_unique<ui::Application>(argc, argv);
    }
    if (!startApplication(app->arguments()))
        return 1;
    return app->exec();
}
