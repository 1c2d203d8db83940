#pragma once

#include "app/build_stamp.h"
#include "app/login_rules.h"
#include "ui/window.h"

#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

namespace entry {
class EntryEditor;
class ShiftEntryWindow;
}  // namespace entry
namespace history {
class HistoryWindow;
}  // namespace history
namespace login {
class LoginDialog;
}  // namespace login
namespace people {
class PasswordChangeDialog;
class PeopleWindow;
}  // namespace people
namespace refbooks {
class OperationKindsList;
class OperationsList;
class ProductsList;
class WorkersList;
}  // namespace refbooks
namespace reports {
class ReportWindow;
}  // namespace reports
namespace timesheet {
class TimesheetWindow;
}  // namespace timesheet
struct JournalContext;
class QMenu;
class QMenuBar;
class QTimer;
namespace data {
class Dataset;
class SharedData;
struct Change;
}  // namespace data
namespace journal {
class JournalButtons;
class JournalGrid;
class ShiftDateBar;
}  // namespace journal

namespace journal {

// The shift journal window "Табель": the working window of the system. It connects, shows the
// login window and owns every window it opens. It is made of three parts: the shift and date row
// (journal::ShiftDateBar), the journal grid (journal::JournalGrid) and the buttons
// (journal::JournalButtons), with the menu above them.
class JournalWindow : public ui::Window {
    Q_OBJECT
public:
    // Connects the shared data to the database args name; on failure shows the message and
    // creates nothing more (connected() is false).
    JournalWindow(data::SharedData& db, const QStringList& args, QWidget* parent = nullptr);
    ~JournalWindow() override;

    // False when the connection or the login window could not be made; the process then ends.
    bool connected() const { return connected_; }

    data::SharedData& sharedData() const { return db_; }
    int currentShift() const { return currentShift_; }
    const QString& loginWord() const { return loginWord_; }
    const BuildStamp& buildStamp() const { return stamp_; }
    // Whether people log in to this database with logins of their own.
    bool secured() const;
    // The connection string with the built-in login, as start-up connected.
    const QString& builtInConnection() const { return builtInConnection_; }

    // The session of a login word: shift 1, every journal asking for ok='ta'.
    void logIn(const QString& word);
    // What the role may not use here and in the report window, for the rest of the process.
    void restrictTo(UserRole role);
    // A person of a secured database logged in with this role: the caption names the person,
    // "Сменить пароль" is offered, "Пользователи" to the administrator. Follows logIn.
    void logInPerson(const QString& fullName, UserRole role);
    // "Смена пароля" for the person's own password; firstLogin: the one the administrator gave
    // must be changed before the work starts. True once changed.
    bool changeOwnPassword(bool firstLogin);

    // The journal query of the current shift, made the current journal.
    data::Dataset* selectCurrentJournal();
    // The journal query last chosen by adding, changing or accepting an entry.
    data::Dataset* currentJournal() const;
    // What the entry editor reads from the journal: the current journal, date, shift, day off.
    JournalContext journalContext() const;

    // Today's journals: the date set to today, a weekend ticks "Выходной", the four reloaded.
    void windowActivated() override;

    void dateChosen();            // a date was chosen in the picker
    void chooseShift(int shift);  // 1..4
    void paintDayOff();           // colours of "Выходной"
    void addEntry();              // "Добавить"
    void changeEntry();           // "Изменить"
    void deleteEntry();           // "Удалить"
    void refresh();               // "Обновить"
    void exit();                  // "Выход"
    void toggleAcceptance();      // a double-click on the grid
    // The selected rows (at least the current one) accepted or cleared in one transaction:
    // "Принять", "Снять отметку"; Space accepts them unless all are accepted, then clears them.
    void markSelected(bool accept);
    void toggleSelected();
    void openShiftEntry();      // "Ввод смены" (Ctrl+Shift+N)
    void addEntryByKey();       // Insert or Ctrl+N: "Добавить" for the roles that may add
    void openWorkers();         // "Рабочие"
    void openProducts();        // "Изделия"
    void openPrices();          // "Цены"
    void openOperationKinds();  // "Операции"
    void openTimesheet();       // "Табель по времени"
    void openReports();         // "Сводные отчеты"
    void openHistory();         // "История изменений"
    void openEntryHistory();    // "История записи": the current entry's own history
    void openPeople();      // "Пользователи" (the administrator, on a secured database)
    void changePassword();  // "Сменить пароль" (every person)
    // The version check of this program's build (the timer's tick every 30 s); a refused
    // check arms the login window's exit timer before its message.
    void checkVersion();
    void checkVersion(const BuildStamp& program);

private:
    void connectAndLogIn(const QStringList& args);
    void buildControls();
    void connectControls();
    void buildVersionTimer();
    void buildMenu();
    void buildGridActions();
    void reloadJournals(const QDate& day);
    // Reloads the shift's journal, if it is open, on the same row number.
    void reloadJournal(int shift);
    // A change committed anywhere in the client: the journal, its month's state, or a name the
    // grid shows.
    void followChange(const data::Change& change);
    // The grid rows selected, current row first when nothing else is; 0-based.
    std::vector<int> selectedRows() const;
    // Whether this login may not accept entries (the foreman, the reviewer).
    bool refusesAcceptance() const;
    // The shown shift's journal when this person may mark its rows, it has rows and its month is
    // open (a closed month is refused); null when there is nothing to mark.
    data::Dataset* journalToMark();

    data::SharedData& db_;
    bool connected_ = false;
    int currentShift_ = 1;
    QString loginWord_;
    BuildStamp stamp_;  // of the last version check
    data::Dataset* currentJournal_ = nullptr;

    std::unique_ptr<login::LoginDialog> login_;
    std::unique_ptr<refbooks::WorkersList> workers_;
    std::unique_ptr<refbooks::ProductsList> products_;
    std::unique_ptr<refbooks::OperationKindsList> kinds_;
    std::unique_ptr<refbooks::OperationsList> operations_;
    std::unique_ptr<entry::EntryEditor> entryEditor_;
    std::unique_ptr<entry::ShiftEntryWindow> shiftEntry_;
    std::unique_ptr<reports::ReportWindow> reports_;
    std::unique_ptr<timesheet::TimesheetWindow> timesheet_;
    std::unique_ptr<history::HistoryWindow> history_;
    std::unique_ptr<people::PasswordChangeDialog> passwordDialog_;
    std::unique_ptr<people::PeopleWindow> people_;
    // Who logged in; until then nobody reads the history.
    std::optional<UserRole> role_;
    QString builtInConnection_;
    // The role of the person logged in on a secured database (the login word selects none there).
    std::optional<UserRole> personRole_;

    journal::ShiftDateBar* shiftBar_;
    journal::JournalGrid* grid_;
    journal::JournalButtons* buttons_;
    QTimer* versionTimer_;

    QMenuBar* menuBar_;
    QMenu* booksMenu_;  // "Справочники"
    QAction* workersAction_;
    QAction* productsAction_;
    QAction* pricesAction_;
    QAction* kindsAction_;
    QAction* overtimeAction_;  // "Внеурочное": does nothing
    QAction* timesheetAction_;
    QMenu* reportsMenu_;  // "Отчеты"
    QAction* summaryAction_;
    QAction* exitAction_;
    QAction* shiftEntryAction_;  // "Ввод смены"
    QAction* addEntryAction_;    // Insert, Ctrl+N
    QAction* acceptAction_;      // "Принять", the grid's context menu
    QAction* clearMarkAction_;   // "Снять отметку"
    QMenu* historyMenu_;         // "История"
    QAction* historyAction_;
    QAction* entryHistoryAction_;
    QMenu* accessMenu_;  // "Доступ"
    QAction* peopleAction_;
    QAction* changePasswordAction_;
};

}  // namespace journal
