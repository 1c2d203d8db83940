// What the shift journal window does: connecting, its handlers and the windows it opens.
#include "app/journal_window.h"

#include "app/journal_rules.h"
#include "app/journal_statements.h"
#include "app/login_window.h"
#include "app/version_check.h"
#include "data/connection.h"
#include "data/data_module.h"
#include "data/dataset_model.h"
#include "data/transaction.h"
#include "entry/entry_editor.h"
#include "entry/entry_save.h"
#include "entry/entry_statements.h"
#include "entry/shift_entry_window.h"
#include "history/history_window.h"
#include "people/password_change_dialog.h"
#include "people/people_window.h"
#include "people/person_rules.h"
#include "people/person_session.h"
#include "refbooks/operation_kinds_list.h"
#include "refbooks/operations_list.h"
#include "refbooks/products_list.h"
#include "refbooks/workers_list.h"
#include "reports/report_window.h"
#include "timesheet/month_closing.h"
#include "timesheet/timesheet_window.h"
#include "ui/clock.h"
#include "ui/dialogs.h"
#include "ui/error_display.h"
#include "ui/wait_cursor.h"
#include "views/grid.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>

void JournalWindow::connectAndLogIn(const QStringList& args) {
    for (int shift = 1; shift <= 4; ++shift) {
        journalLinks_[shift - 1]->setDataset(db_.journalOf(shift));
        db_.journalOf(shift)->setParam(QStringLiteral("ok"), QStringLiteral("ta"));
    }
    markCommand_.setSql(journal::statements::updateMark());
    try {
        db_.connection.close();
        builtInConnection_ = data::composeConnectionString(args.value(1), args.value(2));
        db_.connection.open(builtInConnection_);
        db_.personalLogins = people::databaseSecured();
        login_ = std::make_unique<LoginDialog>(*this);
        login_->show();
        connected_ = true;
    } catch (...) {
        ui::showMessage({QStringLiteral("Подключение к БД отсутсвует!!!"),
                         QStringLiteral("Ошибка!"), ui::Icon::Stop, ui::Buttons::Ok});
        connected_ = false;
        return;
    }
    versionTimer_->start();
}

void JournalWindow::logIn(const QString& word) {
    currentShift_ = 1;
    loginWord_ = word;
    for (int shift = 1; shift <= 4; ++shift)
        db_.journalOf(shift)->setParam(QStringLiteral("ok"), QStringLiteral("ta"));
}

void JournalWindow::restrictTo(UserRole role) {
    auto off = [](std::initializer_list<QWidget*> controls) {
        for (QWidget* c : controls)
            c->setEnabled(false);
    };
    auto menusOff = [this] {
        booksMenu_->setEnabled(false);
        booksMenu_->menuAction()->setEnabled(false);
        timesheetAction_->setEnabled(false);
    };
    role_ = role;
    reports_->restrictTo(role);
    const bool readsHistory = login::readsHistory(role);
    historyAction_->setEnabled(readsHistory);
    entryHistoryAction_->setEnabled(readsHistory);
    switch (role) {
        case UserRole::Reviewer:
            // The grid stays enabled, so its text reads and it scrolls: the grid is read-only
            // and the acceptance toggle refuses the reviewer.
            for (QAction* a : {shiftEntryAction_, acceptAction_, clearMarkAction_})
                a->setEnabled(false);
            off({addButton_, changeButton_, deleteButton_, shiftButtons_[0], shiftButtons_[1],
                 shiftButtons_[2], shiftButtons_[3], dayOffCheck_, refreshButton_, datePicker_});
            menusOff();
            break;
        case UserRole::Foreman:
            acceptAction_->setEnabled(false);
            clearMarkAction_->setEnabled(false);
            off({changeButton_, deleteButton_});
            menusOff();
            break;
        case UserRole::Storekeeper:
            shiftEntryAction_->setEnabled(false);
            off({addButton_, changeButton_, deleteButton_});
            menusOff();
            break;
        case UserRole::Administrator:
            break;
    }
}

data::Dataset* JournalWindow::selectCurrentJournal() {
    currentJournal_ = db_.journalOf(currentShift_);
    return currentJournal_;
}

data::Dataset* JournalWindow::currentJournal() const {
    return currentJournal_ ? currentJournal_ : db_.journalOf(currentShift_);
}

data::DatasetModel* JournalWindow::linkOf(int shift) const {
    return shift >= 2 && shift <= 4 ? journalLinks_[shift - 1] : journalLinks_[0];
}

JournalContext JournalWindow::journalContext() const {
    return JournalContext{this, currentJournal(), datePicker_->date(), currentShift_,
                          dayOffCheck_->isChecked()};
}

void JournalWindow::showMonthState(bool recheck) {
    const QDate day = datePicker_->date();
    const QDate month(day.year(), day.month(), 1);
    if (!recheck && month == stateMonth_)
        return;
    stateMonth_ = QDate();  // unknown until the answer comes
    const bool closed = timesheet::monthClosed(db_, day.month(), day.year());
    stateMonth_ = month;
    monthStateLabel_->setText(timesheet::closing_text::journalState(closed));
}

void JournalWindow::reloadJournals(const QDate& day) {
    for (int shift = 1; shift <= 4; ++shift)
        db_.journalOf(shift)->close();
    // A failing query leaves itself and the ones after it closed until the next reload.
    for (int shift = 1; shift <= 4; ++shift) {
        data::Dataset* q = db_.journalOf(shift);
        q->setParam(QStringLiteral("data"), day);
        q->open();
    }
}

void JournalWindow::reloadJournal(int shift) {
    data::Dataset* q = db_.journalOf(shift);
    if (!q->isOpen())
        return;
    const int row = q->recNo();
    q->reopen();
    if (q->recordCount() > 0 && row >= 1 && row <= q->recordCount())
        q->setRecNo(row);
}

void JournalWindow::windowActivated() {
    stateMonth_ = QDate();  // asked again once, whether the date changes or not
    datePicker_->setDate(ui::today());
    if (journal::isWeekend(datePicker_->date()))
        dayOffCheck_->setChecked(true);
    reloadJournals(datePicker_->date());
    showMonthState(false);
}

void JournalWindow::dateChosen() {
    {
        ui::WaitCursor wait;
        reloadJournals(datePicker_->date());
        dayOffCheck_->setChecked(journal::isWeekend(datePicker_->date()));
        showMonthState(false);
    }
    grid_->setFocus();
}

void JournalWindow::chooseShift(int shift) {
    QRadioButton* chosen = shift >= 2 && shift <= 4 ? shiftButtons_[shift - 1] : shiftButtons_[0];
    if (!chosen->isChecked())
        return;
    ui::showModel(grid_, linkOf(shift));
    currentShift_ = shift;
    paintShiftButtons();
}

void JournalWindow::refresh() {
    ui::WaitCursor wait;
    for (int shift = 1; shift <= 4; ++shift)
        db_.journalOf(shift)->close();
    for (int shift = 1; shift <= 4; ++shift)
        db_.journalOf(shift)->open();
    showMonthState(true);
}

void JournalWindow::addEntry() {
    timesheet::refuseIfClosed(db_, datePicker_->date());
    selectCurrentJournal();
    entryEditor_->prepareAdd();
}

void JournalWindow::changeEntry() {
    if (selectCurrentJournal()->isEmpty())
        return;
    timesheet::refuseIfClosed(db_, entry::entryDate(*currentJournal_));
    entryEditor_->prepareChange();
}

void JournalWindow::deleteEntry() {
    data::Dataset* q = db_.journalOf(currentShift_);
    if (q->isEmpty())
        return;
    timesheet::refuseIfClosed(db_, entry::entryDate(*q));
    const qint64 id = q->asInt64(QStringLiteral("id"));
    db_.entryDeletion.setSql(journal::statements::deleteEntry(id));
    // The entry goes only together with its hours in the timesheet cell of its own day; its
    // journal reloads itself when the deletion is announced.
    const bool confirmed = ui::confirmDeletion(QStringLiteral("Удалить позицию из списка?"));
    if (confirmed &&
        entry::deleteEntry(db_, db_.entryDeletion, id) == entry::DeleteResult::Deleted) {
        q->first();  // the reloaded journal starts again at its first entry
        return;
    }
    q->reopen();
    if (confirmed)  // another workstation deleted it first
        ui::showRefusal(QString::fromUtf8(entry::kEntryGoneMessage));
}

bool JournalWindow::refusesAcceptance() const {
    // A person of a secured database by the job the server gave; otherwise by the login word.
    return personRole_ ? login::refusesAcceptance(*personRole_)
                       : login::refusesAcceptance(loginWord_);
}

void JournalWindow::toggleAcceptance() {
    if (refusesAcceptance())
        return;
    data::Dataset* q = selectCurrentJournal();
    if (q->isEmpty())
        return;
    timesheet::refuseIfClosed(db_, entry::entryDate(*q));
    markCommand_.setParam(QStringLiteral("ok"),
                          journal::toggledMark(q->text(QStringLiteral("ok"))));
    markCommand_.setParam(QStringLiteral("id"), q->asInt64(QStringLiteral("id")));
    data::reloadIfRowGone(*q, [this] { markCommand_.execOnRow(); });
    emit db_.journalChanged(entry::entryDate(*q), currentShift_);
}

std::vector<int> JournalWindow::selectedRows() const {
    std::vector<int> rows;
    if (const QItemSelectionModel* selection = grid_->selectionModel()) {
        for (const QModelIndex& index : selection->selectedRows())
            rows.push_back(index.row());
    }
    const int current = currentJournal()->recNo() - 1;
    if (rows.empty() && current >= 0)
        rows.push_back(current);
    std::sort(rows.begin(), rows.end());
    return rows;
}

void JournalWindow::toggleSelected() {
    if (refusesAcceptance())
        return;
    data::Dataset* q = selectCurrentJournal();
    const int mark = q->fieldIndex(QStringLiteral("ok"));
    bool allAccepted = true;
    for (const int row : selectedRows())
        allAccepted = allAccepted && journal::isAccepted(q->valueAt(row, mark).toString());
    markSelected(!allAccepted);
}

void JournalWindow::markSelected(bool accept) {
    if (refusesAcceptance())
        return;
    data::Dataset* q = selectCurrentJournal();
    if (q->isEmpty())
        return;
    timesheet::refuseIfClosed(db_, entry::entryDate(*q));
    const int idField = q->fieldIndex(QStringLiteral("id"));
    const int markField = q->fieldIndex(QStringLiteral("ok"));
    // Rows already in the wanted state keep their own mark ("да" stays "да").
    std::vector<qint64> ids;
    for (const int row : selectedRows()) {
        if (journal::isAccepted(q->valueAt(row, markField).toString()) != accept)
            ids.push_back(q->valueAt(row, idField).toLongLong());
    }
    if (ids.empty())
        return;
    // Ascending ids: two workstations marking overlapping rows never wait for each other in a
    // circle.
    std::sort(ids.begin(), ids.end());
    const QString newMark = journal::markFor(accept);
    int gone = 0;
    {
        data::Transaction transaction;
        for (const qint64 id : ids) {
            markCommand_.setParam(QStringLiteral("ok"), newMark);
            markCommand_.setParam(QStringLiteral("id"), id);
            if (markCommand_.exec() == 0)
                ++gone;
        }
        transaction.commit();
    }
    // The journal reloads on the same row.
    emit db_.journalChanged(entry::entryDate(*q), currentShift_);
    if (gone > 0)
        ui::showRefusal(journal::goneMarksMessage(gone, static_cast<int>(ids.size())));
}

void JournalWindow::openShiftEntry() {
    if (!addButton_->isEnabled())
        return;
    timesheet::refuseIfClosed(db_, datePicker_->date());
    selectCurrentJournal();
    shiftEntry_->showForJournal();
}

void JournalWindow::addEntryByKey() {
    if (addButton_->isEnabled())
        addEntry();
}

void JournalWindow::openHistory() {
    if (!role_ || !login::readsHistory(*role_))
        return;
    history_->showPeriod();
}

void JournalWindow::openEntryHistory() {
    if (!role_ || !login::readsHistory(*role_))
        return;
    data::Dataset* q = db_.journalOf(currentShift_);
    if (!q->isOpen() || q->isEmpty()) {
        ui::showMessage({HistoryWindow::noEntryMessage(), QStringLiteral("История записи"),
                         ui::Icon::Information, ui::Buttons::Ok});
        return;
    }
    history_->showRow(QStringLiteral("smena"), q->asInt64(QStringLiteral("id")));
}

bool JournalWindow::secured() const {
    return db_.personalLogins;
}

void JournalWindow::logInPerson(const QString& fullName, UserRole role) {
    personRole_ = role;
    setWindowTitle(people::journalCaption(fullName));
    accessMenu_->menuAction()->setVisible(true);
    peopleAction_->setVisible(role == UserRole::Administrator);
}

bool JournalWindow::changeOwnPassword(bool firstLogin) {
    const QString note = firstLogin ? QStringLiteral(
                                          "Пароль выдан администратором. Придумайте свой пароль: "
                                          "работа начнётся после его смены.")
                                    : QString();
    return passwordDialog_->ask(note, people::changeOwnPassword);
}

void JournalWindow::changePassword() {
    if (personRole_)
        changeOwnPassword(false);
}

void JournalWindow::openPeople() {
    if (personRole_ != UserRole::Administrator)
        return;
    people_->showPeople();
}

void JournalWindow::exit() {
    reject();
}

void JournalWindow::openWorkers() {
    workers_->showAsReferenceBook();
}

void JournalWindow::openProducts() {
    products_->showAsReferenceBook();
}

void JournalWindow::openPrices() {
    operations_->showAsReferenceBook();
}

void JournalWindow::openOperationKinds() {
    kinds_->showAsReferenceBook();
}

void JournalWindow::openTimesheet() {
    timesheet_->showForDate(datePicker_->date());
}

void JournalWindow::openReports() {
    const auto [from, to] = journal::previousMonthPeriod(ui::today());
    reports_->showWithPeriod(from, to);
}

void JournalWindow::checkVersion() {
    // The loss has been reported once; the user's next action connects again.
    if (data::connectionLost())
        return;
    // Never inside another action's transaction (one left open across a modal window): the next
    // tick checks.
    if (data::Transaction::active())
        return;
    checkVersion(programBuildStamp());
}

void JournalWindow::checkVersion(const BuildStamp& program) {
    stamp_ = program;
    VersionCheck(
        program,
        [this] {
            if (login_)
                login_->armExitTimer();
        },
        !secured() || personRole_.has_value());
}

bool JournalWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_) {
        // Space accepts or clears the selected rows, as the storekeeper's double-click does one.
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space &&
            static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
            ui::runGuarded([this] { toggleSelected(); }, QStringLiteral("journal: Space"));
            return true;
        }
        return ui::Window::eventFilter(watched, event);
    }
    if (watched == datePicker_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            ui::runGuarded([this] { dateChosen(); });
            return true;
        }
    } else if (watched != datePicker_ && event->type() == QEvent::Hide) {
        QTimer::singleShot(0, this, [this] { ui::runGuarded([this] { dateChosen(); }); });
    }
    return ui::Window::eventFilter(watched, event);
}
