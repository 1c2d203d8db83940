// The shift journal window's form: its controls, grid and menu.
#include "app/journal_window.h"

#include "app/journal_rules.h"
#include "app/login_window.h"
#include "data/data_module.h"
#include "data/dataset_model.h"
#include "data/journal_fields.h"
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
#include "ui/clock.h"
#include "ui/colors.h"
#include "ui/controls.h"
#include "ui/error_display.h"
#include "ui/format.h"
#include "views/columns.h"
#include "views/grid.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateEdit>
#include <QDateTime>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// The journal grid's columns, from the journal's field list; the four shifts' links share them.
const views::Columns& journalColumns() {
    static const views::Columns columns(data::gridColumns(data::journalFields()));
    return columns;
}

bool isMarkColumn(int column) {
    static const int mark = journalColumns().columnOf(QStringLiteral("ok"));
    return column == mark;
}

// The acceptance mark bold, green when accepted and red otherwise.
QVariant styleMark(const data::Dataset& ds, int row, int column, int role) {
    if (!isMarkColumn(column))
        return {};
    if (role == Qt::FontRole) {
        QFont f;
        f.setBold(true);
        return f;
    }
    if (role == Qt::ForegroundRole)
        return ui::color(
            journal::markColor(ds.valueAt(row, ds.fieldIndex(QStringLiteral("ok"))).toString()));
    return {};
}

// The acceptance mark keeps its green or red on the selected row: its cell is drawn as an
// unselected one, on the grid's background, while the rest of the row shows the selection.
class MarkDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (isMarkColumn(index.column()))
            option->state &= ~QStyle::State_Selected;
    }
};

// A check box or radio button marked by a coloured background and a bold caption.
void paintMarked(QWidget* w, bool marked, quint32 colour) {
    QPalette p = w->palette();
    const QColor background = marked ? ui::color(colour) : ui::color(ui::kSysButtonFace);
    p.setColor(QPalette::Window, background);
    p.setColor(QPalette::Button, background);
    // The caption stays readable: white on a dark background (the shift's green).
    const QColor caption = marked && background.lightness() < 100
                               ? QColor(Qt::white)
                               : QGuiApplication::palette().color(QPalette::WindowText);
    p.setColor(QPalette::WindowText, caption);
    p.setColor(QPalette::ButtonText, caption);
    w->setPalette(p);
    w->setBackgroundRole(QPalette::Window);
    w->setAutoFillBackground(true);
    QFont f = w->font();
    f.setBold(marked);
    w->setFont(f);
}

}  // namespace

JournalWindow::JournalWindow(data::SharedData& db, const QStringList& args, QWidget* parent)
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
    workers_ = std::make_unique<WorkersList>(db_);
    products_ = std::make_unique<ProductsList>(db_);
    kinds_ = std::make_unique<OperationKindsList>(db_);
    operations_ = std::make_unique<OperationsList>(db_, *products_, *kinds_);
    entryEditor_ = std::make_unique<EntryEditor>(db_, *workers_, *operations_,
                                                 [this] { return journalContext(); });
    shiftEntry_ = std::make_unique<ShiftEntryWindow>(db_, *workers_, *operations_,
                                                     [this] { return journalContext(); });
    reports_ = std::make_unique<ReportWindow>();
    timesheet_ = std::make_unique<TimesheetWindow>(db_);
    history_ = std::make_unique<HistoryWindow>(db_);
    passwordDialog_ = std::make_unique<PasswordChangeDialog>();
    people_ = std::make_unique<PeopleWindow>(*passwordDialog_);
    // Whoever commits a change of a shift's journal announces it; the journal shows it.
    connect(&db_, &data::SharedData::journalChanged, this,
            [this](QDate, int shift) { reloadJournal(shift); });
    // A month closed or reopened here shows beside the date at once.
    connect(&db_, &data::SharedData::timesheetChanged, this, [this](int year, int month) {
        if (year == datePicker_->date().year() && month == datePicker_->date().month())
            ui::runGuarded([this] { showMonthState(true); });
    });
}

JournalWindow::~JournalWindow() = default;

void JournalWindow::buildControls() {
    buildShiftAndDate();
    buildGridAndButtons();
    buildVersionTimer();
    layOutControls();
    buildJournalLinks();
}

// "Смена №1" .. "Переработка", the journal date and "Выходной".
void JournalWindow::buildShiftAndDate() {
    auto radio = [this](const char* name, const QString& caption, int shift) {
        auto* b = new QRadioButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        connect(b, &QRadioButton::clicked, this,
                ui::guarded([this, shift] { chooseShift(shift); }));
        return b;
    };
    shiftButtons_ = {radio("RadioButton1", QStringLiteral("Смена №1"), 1),
                     radio("RadioButton2", QStringLiteral("Смена №2"), 2),
                     radio("RadioButton3", QStringLiteral("Смена №3"), 3),
                     radio("RadioButton4", QStringLiteral("Переработка"), 4)};
    shiftButtons_[0]->setChecked(true);

    datePicker_ = new QDateEdit(this);
    datePicker_->setObjectName(QStringLiteral("DateT"));
    datePicker_->setCalendarPopup(true);
    datePicker_->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    datePicker_->setDate(ui::today());
    datePicker_->installEventFilter(this);
    // The drop-down calendar closing chooses the date (the date is set by then: queued).
    datePicker_->calendarWidget()->window()->installEventFilter(this);

    monthStateLabel_ = new QLabel(this);
    monthStateLabel_->setObjectName(QStringLiteral("monthStateLabel"));
    QPalette red = monthStateLabel_->palette();
    red.setColor(QPalette::WindowText, ui::color(ui::kRed));
    monthStateLabel_->setPalette(red);
    QFont bold = monthStateLabel_->font();
    bold.setBold(true);
    monthStateLabel_->setFont(bold);
    // Typing a date changes it field by field: the database is asked once per month reached.
    connect(datePicker_, &QDateEdit::dateChanged, this,
            ui::guarded([this] { showMonthState(false); }));

    dayOffCheck_ = new QCheckBox(QStringLiteral("Выходной"), this);
    dayOffCheck_->setObjectName(QStringLiteral("CBox1"));
    connect(dayOffCheck_, &QCheckBox::toggled, this, ui::guarded([this] { paintDayOff(); }));
}

void JournalWindow::buildGridAndButtons() {
    grid_ = new QTableView(this);
    grid_->setObjectName(QStringLiteral("DBGrid2"));
    grid_->setMinimumSize(1160, 420);  // every column, the row numbers and the scroll bar
    grid_->horizontalHeader()->setStretchLastSection(true);
    connect(grid_, &QTableView::doubleClicked, this, ui::guarded([this] { toggleAcceptance(); }));
    // Tab leaves the grid for the buttons; the keyboard reaches "Добавить" without the mouse.
    grid_->setTabKeyNavigation(false);
    grid_->installEventFilter(this);

    auto button = [this](const char* name, const QString& caption,
                         void (JournalWindow::*handler)()) {
        QPushButton* b = ui::makeButton(this, name, caption);
        // The action is named by its button in the log of refused statements.
        connect(b, &QPushButton::clicked, this,
                ui::guarded(QStringLiteral("journal: ") + caption,
                            [this, handler] { (this->*handler)(); }));
        return b;
    };
    addButton_ = button("Button1", QStringLiteral("Добавить"), &JournalWindow::addEntry);
    changeButton_ = button("Button2", QStringLiteral("Изменить"), &JournalWindow::changeEntry);
    deleteButton_ = button("Button3", QStringLiteral("Удалить"), &JournalWindow::deleteEntry);
    refreshButton_ = button("Button8", QStringLiteral("Обновить"), &JournalWindow::refresh);
    exitButton_ = button("Button4", QStringLiteral("Выход"), &JournalWindow::exit);
}

void JournalWindow::buildVersionTimer() {
    versionTimer_ = new QTimer(this);
    versionTimer_->setObjectName(QStringLiteral("Timer1"));
    versionTimer_->setInterval(30000);
    // A tick during an action (a rebuild or an export processes events between its steps) waits
    // until the action has finished: its statement never runs inside another one's work.
    connect(versionTimer_, &QTimer::timeout, this, [this] {
        ui::runWhenNoAction(this, [this] { ui::runGuarded([this] { checkVersion(); }); });
    });
}

void JournalWindow::layOutControls() {
    auto* top = new QHBoxLayout;
    for (QRadioButton* b : shiftButtons_)
        top->addWidget(b);
    top->addSpacing(24);
    top->addWidget(datePicker_);
    top->addWidget(dayOffCheck_);
    top->addWidget(monthStateLabel_);
    top->addStretch();

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(addButton_);
    bottom->addWidget(changeButton_);
    bottom->addWidget(deleteButton_);
    bottom->addWidget(refreshButton_);
    bottom->addStretch();
    bottom->addWidget(exitButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(grid_, 1);
    layout->addLayout(bottom);
}

// The four journals' data links; the grid shows shift 1's.
void JournalWindow::buildJournalLinks() {
    auto link = [this](const char* name) {
        auto* m = new data::DatasetModel(this);
        m->setObjectName(QString::fromLatin1(name));
        m->setColumns(journalColumns().gridColumns());
        m->setStyler(styleMark);
        ui::followDataset(grid_, m);
        return m;
    };
    journalLinks_ = {link("DataSource1"), link("DataSource2"), link("DataSource3"),
                     link("DataSource4")};
    ui::setUpGrid(grid_);
    grid_->setItemDelegate(new MarkDelegate(grid_));
    // Several rows are accepted at once (Shift and Ctrl extend the selection).
    grid_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid_->verticalHeader()->setMinimumWidth(12);
    ui::showModel(grid_, journalLinks_[0]);

    paintShiftButtons();
    paintMarked(dayOffCheck_, false, ui::kRed);
}

void JournalWindow::buildMenu() {
    menuBar_ = new QMenuBar(this);
    menuBar_->setObjectName(QStringLiteral("MainMenu1"));
    auto item = [this](QWidget* owner, const char* name, const QString& caption,
                       void (JournalWindow::*handler)()) {
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
    workersAction_ = item(booksMenu_, "N1", QStringLiteral("Рабочие"), &JournalWindow::openWorkers);
    productsAction_ =
        item(booksMenu_, "N3", QStringLiteral("Изделия"), &JournalWindow::openProducts);
    pricesAction_ = item(booksMenu_, "N4", QStringLiteral("Цены"), &JournalWindow::openPrices);
    kindsAction_ =
        item(booksMenu_, "N6", QStringLiteral("Операции"), &JournalWindow::openOperationKinds);
    overtimeAction_ = item(booksMenu_, "N8", QStringLiteral("Внеурочное"), nullptr);
    booksMenu_->addActions(
        {workersAction_, productsAction_, pricesAction_, kindsAction_, overtimeAction_});
    menuBar_->addMenu(booksMenu_);

    timesheetAction_ =
        item(menuBar_, "N11", QStringLiteral("Табель по времени"), &JournalWindow::openTimesheet);
    menuBar_->addAction(timesheetAction_);

    reportsMenu_ = new QMenu(QStringLiteral("Отчеты"), menuBar_);
    reportsMenu_->setObjectName(QStringLiteral("N7"));
    reportsMenu_->menuAction()->setObjectName(QStringLiteral("N7"));
    summaryAction_ =
        item(reportsMenu_, "N10", QStringLiteral("Сводные отчеты"), &JournalWindow::openReports);
    reportsMenu_->addAction(summaryAction_);
    menuBar_->addMenu(reportsMenu_);

    historyMenu_ = new QMenu(QStringLiteral("История"), menuBar_);
    historyMenu_->setObjectName(QStringLiteral("historyMenu"));
    historyMenu_->menuAction()->setObjectName(QStringLiteral("historyMenu"));
    historyAction_ = item(historyMenu_, "historyMenuItem", QStringLiteral("История изменений"),
                          &JournalWindow::openHistory);
    entryHistoryAction_ = item(historyMenu_, "entryHistoryMenuItem",
                               QStringLiteral("История записи"), &JournalWindow::openEntryHistory);
    entryHistoryAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    historyMenu_->addActions({historyAction_, entryHistoryAction_});
    menuBar_->addMenu(historyMenu_);

    // Personal logins: shown once a person of a secured database has logged in.
    accessMenu_ = new QMenu(QStringLiteral("Доступ"), menuBar_);
    accessMenu_->setObjectName(QStringLiteral("accessMenu"));
    accessMenu_->menuAction()->setObjectName(QStringLiteral("accessMenu"));
    peopleAction_ = item(accessMenu_, "peopleMenuItem", QStringLiteral("Пользователи"),
                         &JournalWindow::openPeople);
    changePasswordAction_ = item(accessMenu_, "changePasswordMenuItem",
                                 QStringLiteral("Сменить пароль"), &JournalWindow::changePassword);
    accessMenu_->addActions({peopleAction_, changePasswordAction_});
    menuBar_->addMenu(accessMenu_);
    accessMenu_->menuAction()->setVisible(false);

    shiftEntryAction_ = item(menuBar_, "shiftEntryAction", QStringLiteral("Ввод смены"),
                             &JournalWindow::openShiftEntry);
    shiftEntryAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
    menuBar_->addAction(shiftEntryAction_);

    exitAction_ = item(menuBar_, "N5", QStringLiteral("Выход"), &JournalWindow::exit);
    menuBar_->addAction(exitAction_);

    layout()->setMenuBar(menuBar_);

    addEntryAction_ =
        item(this, "addEntryAction", QStringLiteral("Добавить"), &JournalWindow::addEntryByKey);
    addEntryAction_->setShortcuts(
        {QKeySequence(Qt::Key_Insert), QKeySequence(Qt::CTRL | Qt::Key_N)});
    addAction(addEntryAction_);

    acceptAction_ = item(grid_, "acceptAction", QStringLiteral("Принять"), nullptr);
    connect(acceptAction_, &QAction::triggered, this,
            ui::guarded(QStringLiteral("journal: Принять"), [this] { markSelected(true); }));
    clearMarkAction_ = item(grid_, "clearMarkAction", QStringLiteral("Снять отметку"), nullptr);
    connect(clearMarkAction_, &QAction::triggered, this,
            ui::guarded(QStringLiteral("journal: Снять отметку"), [this] { markSelected(false); }));
    grid_->addActions({acceptAction_, clearMarkAction_});
    grid_->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void JournalWindow::paintShiftButtons() {
    for (QRadioButton* b : shiftButtons_)
        paintMarked(b, b->isChecked(), ui::kGreen);
}

void JournalWindow::paintDayOff() {
    paintMarked(dayOffCheck_, dayOffCheck_->isChecked(), ui::kRed);
}
