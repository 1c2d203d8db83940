#include "app/version_check.h"

#include "app/journal_statements.h"
#include "app/journal_window.h"
#include "app/login_window.h"
#include "app/termination.h"
#include "data/command.h"
#include "data/dataset.h"
#include "ui/dialogs.h"

#include <QTimer>

void VersionCheck() {
    VersionCheck(programBuildStamp());
}

void VersionCheck(const BuildStamp& program) {
    if (Form1)
        Form1->Stamp = program;

    data::Dataset ver(QStringLiteral("ver"));
    ver.setSql(journal::statements::readVersion());
    ver.open();
    // An empty table reads as 0/0, so the first program to check creates the row.
    BuildStamp record{ver.asInt(QStringLiteral("d")), ver.asInt(QStringLiteral("t"))};
    const bool empty = ver.isEmpty();
    ver.close();

    if (isOlder(record, program)) {
        data::Command write(QStringLiteral("ver"), empty ? journal::statements::insertVersion()
                                                         : journal::statements::raiseVersion());
        write.setParam(QStringLiteral("d"), program.date);
        write.setParam(QStringLiteral("t"), program.time);
        write.exec();
        record = program;
    }

    if (isOlder(program, record)) {
        if (Form23)
            Form23->Timer1->start();
        ui::showRefusal(QStringLiteral(
            "Версия программы не соответсвует БД! Запустите программу через 5 мин."));
        terminateApplication();
    }
}
