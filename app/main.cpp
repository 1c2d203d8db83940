#include "app/command_line.h"
#include "app/startup.h"
#include "ui/error_display.h"

#include <cstdio>

int main(int argc, char** argv) {
    // --version and --help answer before the application starts: no display, no database.
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (const auto answer = command_line::answerFor(args)) {
        std::fputs(answer->toUtf8().constData(), stdout);
        return 0;
    }

    ui::Application app(argc, argv);
    if (!startApplication(app.arguments()))
        return 1;
    return app.exec();
}
