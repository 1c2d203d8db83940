// The shift journal window's form: its parts, the windows it opens and the menu.
#include "app/journal_window.h"

#include "app/journal_buttons.h"
#include "app/journal_grid.h"
#include "app/journal_shift_bar.h"
#include "app/login_window.h"
#include "data/change.h"
#include "data/data_module.h"
#include "entry/entry_editor.h"
#include "entry/shift_entry_window.h"
#include "history/history_window.h"
#include "people/password_change_dialog.h"
#include "people/people_window.h"
#include "refbooks/operation_kinds_list.h"
#include "refbooks/operations_list.h"
#include "refbooks/products_list.h"
#include "refbooks/workers_list.h"
#include "reports/report_window.h"
#include "timesheet/timesheet_window.h"
#include "ui/action_scope.h"
#include "ui/error_display.h"

#include <QKeySequence>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

journal::JournalWindow::JournalWindow(data::SharedData& db, const QStringList& args,
                                      QWidget* parent)
    : ui::Window(parent), db_(db) {
    setObjectName(QStringLiteral("Form1"));
    ui::setMainWindow(this);  // every other window opens centred on this one
    setWindowTitle(QStringLiteral("Табель"));
    buildControls();
    buildMenu();
    connectAndLogIn(args);
    if (!connected_)
        return;
    // The windows it opens, created once and kept until the journal goes.
    workers_ = std::make_unique<refbooks::WorkersList>(db_);
    products_ = std::make_unique<refbooks::ProductsList>(db_);
    kinds_ = std::make_unique<refbooks::OperationKindsList>(db_);
    operations_ = std::make_unique<refbooks::OperationsList>(db_, *products_, *kinds_);
    entryEditor_ = std::make_unique<entry::EntryEditor>(db_, *workers_, *operations_,
                                                        [this] { return journalContext(); });
    shiftEntry_ = std::make_unique<entry::ShiftEntryWindow>(db_, *workers_, *operations_,
                                                            [this] { return journalContext(); });
    reports_ = std::make_unique<reports::ReportWindow>();
    timesheet_ = std::make_unique<timesheet::TimesheetWindow>(db_);
    history_ = std::make_unique<history::HistoryWindow>(db_);
    passwordDialog_ = std::make_unique<people::PasswordChangeDialog>();
    people_ = std::make_unique<people::PeopleWindow>(*passwordDialog_);
    // Whoever commits a change announces it; the journal shows what it shows of it.
    connect(&data::changes(), &data::ChangeFeed::changed, this,
            [this](const data::Change& change) { followChange(change); });
}

journal::JournalWindow::~JournalWindow() = default;

// The shift and date row above the grid, the buttons below it.
void journal::JournalWindow::buildControls() {
    shiftBar_ = new journal::ShiftDateBar(db_, this);
    grid_ = new journal::JournalGrid(this);
    buttons_ = new journal::JournalButtons(this);
    buildVersionTimer();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(shiftBar_);
    layout->addWidget(grid_, 1);
    layout->addWidget(buttons_);
    connectControls();
}

void journal::JournalWindow::connectControls() {
    connect(shiftBar_, &journal::ShiftDateBar::shiftClicked, this,
            [this](int shift) { ui::runGuarded([this, shift] { chooseShift(shift); }); });
    connect(shiftBar_, &journal::ShiftDateBar::dateChosen, this,
            [this] { ui::runGuarded([this] { dateChosen(); }); });
    connect(grid_, &QTableView::doubleClicked, this, ui::guarded([this] { toggleAcceptance(); }));
    connect(grid_, &journal::JournalGrid::spacePressed, this, [this] {
        ui::runGuarded([this] { toggleSelected(); }, QStringLiteral("journal: Space"));
    });
    auto button = [this](QPushButton* b, void (journal::JournalWindow::*handler)()) {
        // The action is named by its button in the log of refused statements.
        connect(b, &QPushButton::clicked, this,
                ui::guarded(QStringLiteral("journal: ") + b->text(),
                            [this, handler] { (this->*handler)(); }));
    };
    button(buttons_->add(), &journal::JournalWindow::addEntry);
    button(buttons_->change(), &journal::JournalWindow::changeEntry);
    button(buttons_->remove(), &journal::JournalWindow::deleteEntry);
    button(buttons_->refresh(), &journal::JournalWindow::refresh);
    button(buttons_->exit(), &journal::JournalWindow::exit);
}

void journal::JournalWindow::buildVersionTimer() {
    versionTimer_ = new QTimer(this);
    versionTimer_->setObjectName(QStringLiteral("Timer1"));
    versionTimer_->setInterval(30000);
    // A tick during an action (a rebuild or an export processes events between its steps) waits
    // until the action has finished: its statement never runs inside another one's work.
    connect(versionTimer_, &QTimer::timeout, this, [this] {
        ui::runWhenNoAction(this, [this] { ui::runGuarded([this] { checkVersion(); }); });
    });
}

void journal::JournalWindow::buildMenu() {
    menuBar_ = new QMenuBar(this);
    menuBar_->setObjectName(QStringLiteral("MainMenu1"));
    auto item = [this](QWidget* owner, const char* name, const QString& caption,
                       void (journal::JournalWindow::*handler)()) {
        auto* a = new QAction(caption, owner);
        a->setObjectName(QString::fromLatin1(name));
        if (handler)
            connect(a, &QAction::triggered, this,
                    ui::guarded([this, handler] { (this->*handler)(); }));
        return a;
    };

    booksMenu_ = new QMenu(QStringLiteral("Справочники"), menuBar_);
    booksMenu_->setObjectName(QStringLiteral("N2"));
    booksMenu_->menuAction()->setObjectName(QStringLiteral("N2"));
    workersAction_ =
        item(booksMenu_, "N1", QStringLiteral("Рабочие"), &journal::JournalWindow::openWorkers);
    productsAction_ =
        item(booksMenu_, "N3", QStringLiteral("Изделия"), &journal::JournalWindow::openProducts);
    pricesAction_ =
        item(booksMenu_, "N4", QStringLiteral("Цены"), &journal::JournalWindow::openPrices);
    kindsAction_ = item(booksMenu_, "N6", QStringLiteral("Операции"),
                        &journal::JournalWindow::openOperationKinds);
    overtimeAction_ = item(booksMenu_, "N8", QStringLiteral("Внеурочное"), nullptr);
    booksMenu_->addActions(
        {workersAction_, productsAction_, pricesAction_, kindsAction_, overtimeAction_});
    menuBar_->addMenu(booksMenu_);

    timesheetAction_ = item(menuBar_, "N11", QStringLiteral("Табель по времени"),
                            &journal::JournalWindow::openTimesheet);
    menuBar_->addAction(timesheetAction_);

    reportsMenu_ = new QMenu(QStringLiteral("Отчеты"), menuBar_);
    reportsMenu_->setObjectName(QStringLiteral("N7"));
    reportsMenu_->menuAction()->setObjectName(QStringLiteral("N7"));
    summaryAction_ = item(reportsMenu_, "N10", QStringLiteral("Сводные отчеты"),
                          &journal::JournalWindow::openReports);
    reportsMenu_->addAction(summaryAction_);
    menuBar_->addMenu(reportsMenu_);

    historyMenu_ = new QMenu(QStringLiteral("История"), menuBar_);
    historyMenu_->setObjectName(QStringLiteral("historyMenu"));
    historyMenu_->menuAction()->setObjectName(QStringLiteral("historyMenu"));
    historyAction_ = item(historyMenu_, "historyMenuItem", QStringLiteral("История изменений"),
                          &journal::JournalWindow::openHistory);
    entryHistoryAction_ =
        item(historyMenu_, "entryHistoryMenuItem", QStringLiteral("История записи"),
             &journal::JournalWindow::openEntryHistory);
    entryHistoryAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    historyMenu_->addActions({historyAction_, entryHistoryAction_});
    menuBar_->addMenu(historyMenu_);

    // Personal logins: shown once a person of a secured database has logged in.
    accessMenu_ = new QMenu(QStringLiteral("Доступ"), menuBar_);
    accessMenu_->setObjectName(QStringLiteral("accessMenu"));
    accessMenu_->menuAction()->setObjectName(QStringLiteral("accessMenu"));
    peopleAction_ = item(accessMenu_, "peopleMenuItem", QStringLiteral("Пользователи"),
                         &journal::JournalWindow::openPeople);
    changePasswordAction_ =
        item(accessMenu_, "changePasswordMenuItem", QStringLiteral("Сменить пароль"),
             &journal::JournalWindow::changePassword);
    accessMenu_->addActions({peopleAction_, changePasswordAction_});
    menuBar_->addMenu(accessMenu_);
    accessMenu_->menuAction()->setVisible(false);

    shiftEntryAction_ = item(menuBar_, "shiftEntryAction", QStringLiteral("Ввод смены"),
                             &journal::JournalWindow::openShiftEntry);
    shiftEntryAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
    menuBar_->addAction(shiftEntryAction_);

    exitAction_ = item(menuBar_, "N5", QStringLiteral("Выход"), &journal::JournalWindow::exit);
    menuBar_->addAction(exitAction_);

    layout()->setMenuBar(menuBar_);

    addEntryAction_ = item(this, "addEntryAction", QStringLiteral("Добавить"),
                           &journal::JournalWindow::addEntryByKey);
    addEntryAction_->setShortcuts(
        {QKeySequence(Qt::Key_Insert), QKeySequence(Qt::CTRL | Qt::Key_N)});
    addAction(addEntryAction_);

    buildGridActions();
}

// "Принять" and "Снять отметку": the grid's context menu.
void journal::JournalWindow::buildGridActions() {
    auto item = [this](const char* name, const QString& caption, bool accept) {
        auto* a = new QAction(caption, grid_);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this,
                ui::guarded(QStringLiteral("journal: ") + caption,
                            [this, accept] { markSelected(accept); }));
        return a;
    };
    acceptAction_ = item("acceptAction", QStringLiteral("Принять"), true);
    clearMarkAction_ = item("clearMarkAction", QStringLiteral("Снять отметку"), false);
    grid_->addActions({acceptAction_, clearMarkAction_});
    grid_->setContextMenuPolicy(Qt::ActionsContextMenu);
}
