#include "data/busy.h"
#include "data/sql_log.h"
#include "ui/action_scope.h"
#include "ui/error_display.h"
#include "ui/wait_cursor.h"

#include <gtest/gtest.h>
#include <QLocale>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    // Tests pin the workstation's locale: Russian, with a decimal comma.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    ui::Application app(argc, argv);
    data::setBusyIndicator(ui::showWaitCursor);  // as the client installs them
    data::setActionSource(ui::currentAction);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
