#include "app/version_check.h"

#include "app/journal_statements.h"
#include "app/termination.h"
#include "data/command.h"
#include "data/dataset.h"
#include "ui/dialogs.h"

#include <QTimer>

bool VersionCheck(const BuildStamp& program, const std::function<void()>& beforeRefusal,
                  bool mayRaise) {
    data::Dataset ver(QStringLiteral("ver"));
    ver.setSql(journal::statements::readVersion());
    ver.open();
    // An empty table reads as 0/0, so the first program to check creates the row.
    BuildStamp record{ver.asInt(QStringLiteral("d")), ver.asInt(QStringLiteral("t"))};
    const bool empty = ver.isEmpty();
    ver.close();

    if (mayRaise && isOlder(record, program)) {
        data::Command write(QStringLiteral("ver"), empty ? journal::statements::insertVersion()
                                                         : journal::statements::raiseVersion());
        write.setParam(QStringLiteral("d"), program.date);
        write.setParam(QStringLiteral("t"), program.time);
        write.exec();
        record = program;
    }

    if (isOlder(program, record)) {
        if (beforeRefusal)
            beforeRefusal();
        ui::showRefusal(QStringLiteral(
            "Версия программы не соответсвует БД! Запустите программу через 5 мин."));
        terminateApplication();
        return false;
    }
    return true;
}
