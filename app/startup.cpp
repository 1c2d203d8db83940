#include "app/startup.h"

#include "app/command_line.h"
#include "app/journal_window.h"
#include "data/busy.h"
#include "data/data_module.h"
#include "data/session_identity.h"
#include "data/sql_log.h"
#include "ui/action_scope.h"
#include "ui/error_display.h"
#include "ui/message_box.h"
#include "ui/wait_cursor.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace {

void loadTranslations() {
    static QTranslator* qtbase = nullptr;
    if (qtbase)
        return;
    qtbase = new QTranslator(qApp);
    // Qt's own buttons and dialogs ("Да", "Нет", the print preview) speak Russian.
    if (qtbase->load(QStringLiteral("qtbase_ru"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qtbase);
}

// The running client: the shared data and the journal window, which owns every other window.
struct Client {
    data::SharedData db;
    std::unique_ptr<journal::JournalWindow> journal;
};

// Lives until shutdownApplication: destroying windows after the application object has gone
// (at the process's exit) would crash.
Client*& client() {
    static Client* running = nullptr;
    return running;
}

// Start-up proper: the shared data and the journal, which creates the windows it opens.
bool createWindows(const QStringList& args) {
    Client*& running = client();
    delete running;
    running = new Client;
    running->journal = std::make_unique<journal::JournalWindow>(running->db, args);
    if (!running->journal->connected()) {
        // Nothing is retried: the process ends as soon as it can.
        running->journal->close();
        QCoreApplication::exit(1);
        return false;
    }
    return true;
}

}  // namespace

bool startApplication(const QStringList& args) {
    loadTranslations();
    ui::installMessageBoxPresenter();
    // The data layer's statements show the wait cursor while the server works.
    data::setBusyIndicator(ui::showWaitCursor);
    // A refused statement is logged with what the user was doing.
    data::setActionSource(ui::currentAction);
    // The change history names this program with every change it writes.
    data::setSessionProgram(command_line::versionText(programBuildStamp()).trimmed());
    return runStartUp([&args] { return createWindows(args); });
}

bool runStartUp(const std::function<bool()>& steps) {
    try {
        return steps();
    } catch (...) {
        // The error's own message is shown, then the process ends: no window stays usable.
        ui::showException(std::current_exception());
        for (QWidget* w : QApplication::topLevelWidgets())
            w->hide();
        QCoreApplication::exit(1);
        return false;
    }
}

void shutdownApplication() {
    Client*& running = client();
    if (running)
        running->journal.reset();
    delete running;
    running = nullptr;
}
