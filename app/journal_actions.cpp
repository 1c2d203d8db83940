// What the shift journal window does: connecting, its handlers and the windows it opens.
#include "app/journal_window.h"

#include "app/journal_buttons.h"
#include "app/journal_grid.h"
#include "app/journal_marks.h"
#include "app/journal_rules.h"
#include "app/journal_shift_bar.h"
#include "app/login_window.h"
#include "app/version_check.h"
#include "data/change.h"
#include "data/connection.h"
#include "data/data_module.h"
#include "data/transaction.h"
#include "entry/entry_editor.h"
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

#include <QMenu>
#include <QPushButton>
#include <QTimer>

void journal::JournalWindow::connectAndLogIn(const QStringList& args) {
    grid_->setJournals({db_.journalOf(1), db_.journalOf(2), db_.journalOf(3), db_.journalOf(4)});
    for (int shift = 1; shift <= 4; ++shift)
        db_.journalOf(shift)->setParam(QStringLiteral("ok"), QStringLiteral("ta"));
    try {
        db_.connection.close();
        builtInConnection_ = data::composeConnectionString(args.value(1), args.value(2));
        db_.connection.open(builtInConnection_);
        db_.personalLogins = people::databaseSecured();
        login_ = std::make_unique<login::LoginDialog>(*this);
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

void journal::JournalWindow::logIn(const QString& word) {
    currentShift_ = 1;
    loginWord_ = word;
    for (int shift = 1; shift <= 4; ++shift)
        db_.journalOf(shift)->setParam(QStringLiteral("ok"), QStringLiteral("ta"));
}

void journal::JournalWindow::restrictTo(UserRole role) {
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
            off({buttons_->add(), buttons_->change(), buttons_->remove(), buttons_->refresh()});
            shiftBar_->setChoosable(false);
            menusOff();
            break;
        case UserRole::Foreman:
            acceptAction_->setEnabled(false);
            clearMarkAction_->setEnabled(false);
            off({buttons_->change(), buttons_->remove()});
            menusOff();
            break;
        case UserRole::Storekeeper:
            shiftEntryAction_->setEnabled(false);
            off({buttons_->add(), buttons_->change(), buttons_->remove()});
            menusOff();
            break;
        case UserRole::Administrator:
            break;
    }
}

data::Dataset* journal::JournalWindow::selectCurrentJournal() {
    currentJournal_ = db_.journalOf(currentShift_);
    return currentJournal_;
}

data::Dataset* journal::JournalWindow::currentJournal() const {
    return currentJournal_ ? currentJournal_ : db_.journalOf(currentShift_);
}

JournalContext journal::JournalWindow::journalContext() const {
    return JournalContext{this, currentJournal(), shiftBar_->date(), currentShift_,
                          shiftBar_->dayOff()};
}

void journal::JournalWindow::reloadJournals(const QDate& day) {
    for (int shift = 1; shift <= 4; ++shift)
        db_.journalOf(shift)->close();
    // A failing query leaves itself and the ones after it closed until the next reload.
    for (int shift = 1; shift <= 4; ++shift) {
        data::Dataset* q = db_.journalOf(shift);
        q->setParam(QStringLiteral("data"), day);
        q->open();
    }
}

void journal::JournalWindow::reloadJournal(int shift) {
    data::Dataset* q = db_.journalOf(shift);
    if (!q->isOpen())
        return;
    const int row = q->recNo();
    q->reopen();
    if (q->recordCount() > 0 && row >= 1 && row <= q->recordCount())
        q->setRecNo(row);
}

void journal::JournalWindow::followChange(const data::Change& change) {
    switch (change.subject) {
        case data::Subject::Journal:
            reloadJournal(change.shift);
            break;
        case data::Subject::MonthState:
            // A month closed or reopened here shows beside the date at once.
            if (change.day.year() == shiftBar_->date().year() &&
                change.day.month() == shiftBar_->date().month())
                ui::runGuarded([this] { shiftBar_->showMonthState(true); });
            break;
        case data::Subject::Worker:
        case data::Subject::Product:
        case data::Subject::OperationKind:
        case data::Subject::Operation:
            // The grid shows their names: the open journals read them again.
            for (int shift = 1; shift <= 4; ++shift)
                reloadJournal(shift);
            break;
        default:
            break;
    }
}

void journal::JournalWindow::windowActivated() {
    shiftBar_->forgetMonthState();
    shiftBar_->setDate(ui::today());
    if (journal::isWeekend(shiftBar_->date()))
        shiftBar_->setDayOff(true);
    reloadJournals(shiftBar_->date());
    shiftBar_->showMonthState(false);
}

void journal::JournalWindow::dateChosen() {
    {
        ui::WaitCursor wait;
        reloadJournals(shiftBar_->date());
        shiftBar_->setDayOff(journal::isWeekend(shiftBar_->date()));
        shiftBar_->showMonthState(false);
    }
    grid_->setFocus();
}

void journal::JournalWindow::chooseShift(int shift) {
    if (!shiftBar_->isChosen(shift))
        return;
    grid_->showShift(shift);
    currentShift_ = shift;
    shiftBar_->paintShiftButtons();
}

void journal::JournalWindow::paintDayOff() {
    shiftBar_->paintDayOff();
}

void journal::JournalWindow::refresh() {
    ui::WaitCursor wait;
    for (int shift = 1; shift <= 4; ++shift)
        db_.journalOf(shift)->close();
    for (int shift = 1; shift <= 4; ++shift)
        db_.journalOf(shift)->open();
    shiftBar_->showMonthState(true);
}

void journal::JournalWindow::addEntry() {
    timesheet::refuseIfClosed(db_, shiftBar_->date());
    selectCurrentJournal();
    entryEditor_->prepareAdd();
}

void journal::JournalWindow::changeEntry() {
    if (selectCurrentJournal()->isEmpty())
        return;
    timesheet::refuseIfClosed(db_, entry::entryDate(*currentJournal_));
    entryEditor_->prepareChange();
}

void journal::JournalWindow::deleteEntry() {
    data::Dataset* q = db_.journalOf(currentShift_);
    if (q->isEmpty())
        return;
    timesheet::refuseIfClosed(db_, entry::entryDate(*q));
    const qint64 id = q->asInt64(QStringLiteral("id"));
    // The entry goes only together with its hours in the timesheet cell of its own day; its
    // journal reloads itself when the deletion is announced.
    if (!ui::confirmDeletion(QStringLiteral("Удалить позицию из списка?"))) {
        q->reopen();
        return;
    }
    const data::Verdict verdict = journal::deleteEntry(db_, id);
    if (verdict.saved()) {
        q->first();  // the reloaded journal starts again at its first entry
        return;
    }
    q->reopen();
    ui::showRefusal(verdict.message);  // another workstation deleted it first
}

bool journal::JournalWindow::refusesAcceptance() const {
    // A person of a secured database by the job the server gave; otherwise by the login word.
    return personRole_ ? login::refusesAcceptance(*personRole_)
                       : login::refusesAcceptance(loginWord_);
}

data::Dataset* journal::JournalWindow::journalToMark() {
    if (refusesAcceptance())
        return nullptr;
    data::Dataset* q = selectCurrentJournal();
    if (q->isEmpty())
        return nullptr;
    timesheet::refuseIfClosed(db_, entry::entryDate(*q));
    return q;
}

void journal::JournalWindow::toggleAcceptance() {
    data::Dataset* q = journalToMark();
    if (!q)
        return;
    const int row = q->recNo();
    const data::Verdict verdict = journal::writeMark(
        q->asInt64(QStringLiteral("id")), journal::toggledMark(q->text(QStringLiteral("ok"))),
        entry::entryDate(*q), currentShift_);
    if (!verdict.saved()) {
        q->reopenAt(row);  // the gone entry leaves the grid
        ui::showRefusal(verdict.message);
    }
}

std::vector<int> journal::JournalWindow::selectedRows() const {
    return grid_->selectedRows(currentJournal()->recNo() - 1);
}

void journal::JournalWindow::toggleSelected() {
    if (refusesAcceptance())
        return;
    data::Dataset* q = selectCurrentJournal();
    const int mark = q->fieldIndex(QStringLiteral("ok"));
    bool allAccepted = true;
    for (const int row : selectedRows())
        allAccepted = allAccepted && journal::isAccepted(q->valueAt(row, mark).toString());
    markSelected(!allAccepted);
}

void journal::JournalWindow::markSelected(bool accept) {
    data::Dataset* q = journalToMark();
    if (!q)
        return;
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
    // The journal reloads on the same row when the marks are announced.
    const data::Verdict verdict =
        journal::markEntries(std::move(ids), accept, entry::entryDate(*q), currentShift_);
    if (!verdict.saved())
        ui::showRefusal(verdict.message);
}

void journal::JournalWindow::openShiftEntry() {
    if (!buttons_->add()->isEnabled())
        return;
    timesheet::refuseIfClosed(db_, shiftBar_->date());
    selectCurrentJournal();
    shiftEntry_->showForJournal();
}

void journal::JournalWindow::addEntryByKey() {
    if (buttons_->add()->isEnabled())
        addEntry();
}

void journal::JournalWindow::openHistory() {
    if (!role_ || !login::readsHistory(*role_))
        return;
    history_->showPeriod();
}

void journal::JournalWindow::openEntryHistory() {
    if (!role_ || !login::readsHistory(*role_))
        return;
    data::Dataset* q = db_.journalOf(currentShift_);
    if (!q->isOpen() || q->isEmpty()) {
        ui::showMessage({history::HistoryWindow::noEntryMessage(), QStringLiteral("История записи"),
                         ui::Icon::Information, ui::Buttons::Ok});
        return;
    }
    history_->showRow(QStringLiteral("smena"), q->asInt64(QStringLiteral("id")));
}

bool journal::JournalWindow::secured() const {
    return db_.personalLogins;
}

void journal::JournalWindow::logInPerson(const QString& fullName, UserRole role) {
    personRole_ = role;
    setWindowTitle(people::journalCaption(fullName));
    accessMenu_->menuAction()->setVisible(true);
    peopleAction_->setVisible(role == UserRole::Administrator);
}

bool journal::JournalWindow::changeOwnPassword(bool firstLogin) {
    const QString note = firstLogin ? QStringLiteral(
                                          "Пароль выдан администратором. Придумайте свой пароль: "
                                          "работа начнётся после его смены.")
                                    : QString();
    return passwordDialog_->ask(note, people::changeOwnPassword);
}

void journal::JournalWindow::changePassword() {
    if (personRole_)
        changeOwnPassword(false);
}

void journal::JournalWindow::openPeople() {
    if (personRole_ != UserRole::Administrator)
        return;
    people_->showPeople();
}

void journal::JournalWindow::exit() {
    reject();
}

void journal::JournalWindow::openWorkers() {
    workers_->showAsReferenceBook();
}

void journal::JournalWindow::openProducts() {
    products_->showAsReferenceBook();
}

void journal::JournalWindow::openPrices() {
    operations_->showAsReferenceBook();
}

void journal::JournalWindow::openOperationKinds() {
    kinds_->showAsReferenceBook();
}

void journal::JournalWindow::openTimesheet() {
    timesheet_->showForDate(shiftBar_->date());
}

void journal::JournalWindow::openReports() {
    const auto [from, to] = journal::previousMonthPeriod(ui::today());
    reports_->showWithPeriod(from, to);
}

void journal::JournalWindow::checkVersion() {
    // The loss has been reported once; the user's next action connects again.
    if (data::connectionLost())
        return;
    // Never inside another action's transaction (one left open across a modal window): the next
    // tick checks.
    if (data::Transaction::active())
        return;
    checkVersion(programBuildStamp());
}

void journal::JournalWindow::checkVersion(const BuildStamp& program) {
    stamp_ = program;
    VersionCheck(
        program,
        [this] {
            if (login_)
                login_->armExitTimer();
        },
        !secured() || personRole_.has_value());
}
