#include "history/history_window.h"

#include "data/data_module.h"
#include "data/dataset.h"
#include "data/dataset_model.h"
#include "export/workbook_display.h"
#include "history/history_export.h"
#include "history/history_print_layout.h"
#include "history/history_statements.h"
#include "history/history_texts.h"
#include "printing/preview.h"
#include "reports/watched_work.h"
#include "ui/clock.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/error_display.h"
#include "ui/modal.h"
#include "ui/wait_cursor.h"
#include "views/cut_text_tips.h"
#include "views/grid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

namespace {

QDateEdit* dateBox(QWidget* parent, const char* name) {
    auto* box = new QDateEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setCalendarPopup(true);
    box->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    return box;
}

}  // namespace

history::HistoryWindow::HistoryWindow(data::SharedData& db, QWidget* parent)
    : ui::Window(parent), db_(db) {
    setObjectName(QStringLiteral("HistoryWindow"));
    setWindowTitle(QStringLiteral("История изменений"));

    rows_ = new data::Dataset(QStringLiteral("History"), this);
    rows_->setReadInParts(true);

    fromEdit_ = dateBox(this, "historyFromEdit");
    toEdit_ = dateBox(this, "historyToEdit");
    const std::array<std::pair<const char*, QString>, 4> kinds = {{
        {"historyJournalCheck", QStringLiteral("Журнал")},
        {"historyPricesCheck", QStringLiteral("Цены и операции")},
        {"historyBooksCheck", QStringLiteral("Справочники")},
        {"historyMonthsCheck", QStringLiteral("Месяцы")},
    }};
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        kindChecks_[i] = new QCheckBox(kinds[i].second, this);
        kindChecks_[i]->setObjectName(QString::fromLatin1(kinds[i].first));
        kindChecks_[i]->setChecked(true);
    }
    personBox_ = new QComboBox(this);
    personBox_->setObjectName(QStringLiteral("historyPersonBox"));
    personBox_->addItem(QStringLiteral("Все"), QString());
    personBox_->setVisible(false);  // until the database is known to keep people
    showButton_ = ui::makeButton(this, "historyShowButton", QStringLiteral("Показать"));
    titleLabel_ = new QLabel(this);
    titleLabel_->setObjectName(QStringLiteral("historyTitleLabel"));
    grid_ = ui::makeListGrid(this, "historyGrid", rows_, columns());
    grid_->setMinimumSize(1300, 420);
    views::showCutTextsOnHover(grid_);
    rowButton_ = ui::makeButton(this, "rowHistoryButton", QStringLiteral("История записи"));
    periodButton_ = ui::makeButton(this, "historyPeriodButton", QStringLiteral("Назад к периоду"));
    exportButton_ = ui::makeButton(this, "historyExportButton", QStringLiteral("Excel"));
    printButton_ = ui::makeButton(this, "historyPrintButton", QStringLiteral("Печать"));
    closeButton_ = ui::makeButton(this, "historyCloseButton", QStringLiteral("Закрыть"));

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("с"), this));
    top->addWidget(fromEdit_);
    top->addWidget(new QLabel(QStringLiteral("по"), this));
    top->addWidget(toEdit_);
    top->addSpacing(16);
    for (QCheckBox* c : kindChecks_)
        top->addWidget(c);
    top->addStretch();
    top->addWidget(personBox_);
    top->addWidget(showButton_);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(rowButton_);
    bottom->addWidget(periodButton_);
    bottom->addWidget(exportButton_);
    bottom->addWidget(printButton_);
    bottom->addStretch();
    bottom->addWidget(closeButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(titleLabel_);
    layout->addWidget(grid_, 1);
    layout->addLayout(bottom);

    connect(showButton_, &QPushButton::clicked, this, ui::guarded([this] { reload(); }));
    connect(rowButton_, &QPushButton::clicked, this, ui::guarded([this] { showRowOfCurrent(); }));
    connect(periodButton_, &QPushButton::clicked, this, ui::guarded([this] { showPeriodAgain(); }));
    connect(exportButton_, &QPushButton::clicked, this, ui::guarded([this] { exportRows(); }));
    connect(printButton_, &QPushButton::clicked, this, ui::guarded([this] { printRows(); }));
    connect(closeButton_, &QPushButton::clicked, this, [this] { reject(); });
    QScrollBar* scroll = grid_->verticalScrollBar();
    connect(scroll, &QScrollBar::valueChanged, this, [this, scroll](int value) {
        if (value == scroll->maximum() && hasEarlierRows() && !readingEarlier_)
            ui::runGuarded([this] { readEarlierRows(); });
    });
    enableForWhatIsShown();
}

history::HistoryWindow::~HistoryWindow() = default;

views::Columns history::HistoryWindow::columns(bool withPerson) {
    auto text = [](const char* field, const char* caption, int width) {
        return views::Column{.field = QString::fromLatin1(field),
                             .caption = QString::fromUtf8(caption),
                             .width = width};
    };
    views::Column role = text("role", "Роль", 150);  // "Другая программа" whole
    role.format = [](const QVariant& v) { return history::roleText(v.toString()); };
    // The action's words depend on the table (a closed month's new row is its closing).
    views::Column action = text("what", "Действие", 130);
    action.format = [](const QVariant& v) {
        const QString what = v.toString();
        return history::actionText(what.section(QLatin1Char(':'), 0, 0),
                                   what.section(QLatin1Char(':'), 1));
    };
    views::Column changes = text("changes", "Изменения", 0);
    changes.format = [](const QVariant& v) { return history::changesText(v.toString()); };
    views::Column person = text("person", "Пользователь", 200);
    person.hidden = !withPerson;
    views::Column tableName = text("table_name", "table_name", 0);
    tableName.hidden = true;
    views::Column rowId = text("row_id", "row_id", 0);
    rowId.hidden = true;
    return {text("changed", "Время", 175),
            text("workstation", "Рабочее место", 130),
            person,
            role,
            text("program", "Программа", 150),
            action,
            text("object", "Объект", 330),
            changes,
            tableName,
            rowId};
}

QString history::HistoryWindow::notUpgradedMessage() {
    return QStringLiteral(
        "История изменений недоступна: база данных не обновлена. Обновите её командой "
        "plant-client --upgrade-database БАЗА СЕРВЕР.");
}

bool history::HistoryWindow::historyKept() {
    const bool kept = db_.countOf(history::availabilityCheck()) > 0;
    // Without the history the window says so in its title line and offers nothing to choose.
    for (QWidget* w : {static_cast<QWidget*>(fromEdit_), static_cast<QWidget*>(toEdit_),
                       static_cast<QWidget*>(showButton_), static_cast<QWidget*>(rowButton_),
                       static_cast<QWidget*>(exportButton_), static_cast<QWidget*>(printButton_)})
        w->setEnabled(kept);
    for (QCheckBox* c : kindChecks_)
        c->setEnabled(kept);
    if (kept)
        fillPeople();
    if (!kept) {
        periodButton_->setEnabled(false);
        rows_->close();
        titleLabel_->setText(notUpgradedMessage());
    }
    return kept;
}

void history::HistoryWindow::fillPeople() {
    peopleKnown_ = db_.countOf(history::peopleCheck()) > 0;
    personBox_->setVisible(peopleKnown_);
    const views::Columns shown = columns(peopleKnown_);
    if (auto* link = qobject_cast<data::DatasetModel*>(grid_->model()))
        link->setColumns(shown.gridColumns());
    grid_->setColumnHidden(shown.columnOf(QStringLiteral("person")), !peopleKnown_);
    const QString chosen = personBox_->currentData().toString();
    while (personBox_->count() > 1)
        personBox_->removeItem(1);
    if (!peopleKnown_)
        return;
    data::Dataset people(QStringLiteral("HistoryPeople"));
    people.setSql(history::peopleList());
    people.open();
    const data::CloseAtScopeEnd closer(people);
    for (int i = 0; i < people.recordCount(); ++i)
        personBox_->addItem(people.valueAt(i, 1).toString(), people.valueAt(i, 0).toString());
    personBox_->setCurrentIndex(std::max(0, personBox_->findData(chosen)));
}

void history::HistoryWindow::choosePerson(const QString& login) {
    personBox_->setCurrentIndex(std::max(0, personBox_->findData(login)));
}

void history::HistoryWindow::showPeriod() {
    if (historyKept()) {
        const QDate today = ui::today();
        fromEdit_->setDate(QDate(today.year(), today.month(), 1));
        toEdit_->setDate(QDate(today.year(), today.month(), today.daysInMonth()));
        reload();
    }
    ui::showModal(this);
}

void history::HistoryWindow::showRow(const QString& table, qint64 rowId) {
    if (historyKept()) {
        const QDate today = ui::today();
        fromEdit_->setDate(QDate(today.year(), today.month(), 1));
        toEdit_->setDate(QDate(today.year(), today.month(), today.daysInMonth()));
        takePeriodFromBoxes();  // the month, to return to
        openRow(table, rowId);
    }
    ui::showModal(this);
}

QString history::HistoryWindow::noEntryMessage() {
    return QStringLiteral("Журнал смены пуст: нет записи, историю которой можно показать.");
}

void history::HistoryWindow::reload() {
    QStringList tables;
    const history::Kind kinds[] = {history::Kind::Journal, history::Kind::PricesAndOperations,
                                   history::Kind::ReferenceBooks, history::Kind::Months};
    for (std::size_t i = 0; i < kindChecks_.size(); ++i)
        if (kindChecks_[i]->isChecked())
            tables << history::tablesOf(kinds[i]);
    periodTables_ = tables;
    QStringList kindNames;
    for (const QCheckBox* c : kindChecks_)
        if (c->isChecked())
            kindNames << c->text();
    shownKinds_ = kindNames.size() < int(kindChecks_.size())
                      ? QStringLiteral(" (") + kindNames.join(QStringLiteral(", ")) + u')'
                      : QString();
    takePeriodFromBoxes();
    shownPerson_ = peopleKnown_ ? personBox_->currentData().toString() : QString();
    if (!shownPerson_.isEmpty())
        shownKinds_ += QStringLiteral(", ") + personBox_->currentText();
    rowShown_ = false;
    enableForWhatIsShown();
    rowsAsked_ = firstRows_;
    openPeriod();
}

void history::HistoryWindow::takePeriodFromBoxes() {
    shownFrom_ = fromEdit_->date();
    shownTo_ = toEdit_->date();
}

void history::HistoryWindow::openPeriod() {
    open(history::periodRows(shownFrom_, shownTo_, periodTables_, rowsAsked_, people()), QString());
    titleLabel_->setText(periodTitle());
}

QString history::HistoryWindow::periodTitle() const {
    QString title = periodHeading();
    if (hasEarlierRows())
        title += QStringLiteral(": последние %1, более ранние читаются при прокрутке вниз")
                     .arg(QLocale().toString(rows_->recordCount()));
    return title;
}

bool history::HistoryWindow::hasEarlierRows() const {
    return rowsAsked_ > 0 && rows_->isOpen() && rows_->recordCount() >= rowsAsked_;
}

void history::HistoryWindow::readEarlierRows() {
    if (!hasEarlierRows())
        return;
    // Reopening moves the scroll bar; its moves are not a request for more rows meanwhile.
    const QScopedValueRollback reading(readingEarlier_, true);
    const int current = rows_->recNo();
    const int scrolled = grid_->verticalScrollBar()->value();
    rowsAsked_ *= 2;
    openPeriod();
    rows_->setRecNo(current);
    grid_->verticalScrollBar()->setValue(scrolled);
}

void history::HistoryWindow::showRowOfCurrent() {
    if (rows_->isEmpty() || rowShown_)
        return;
    openRow(rows_->text(QStringLiteral("table_name")), rows_->asInt64(QStringLiteral("row_id")));
}

QString history::HistoryWindow::periodHeading() const {
    return QStringLiteral("Изменения с %1 по %2")
        .arg(shownFrom_.toString(QStringLiteral("dd.MM.yyyy")),
             shownTo_.toString(QStringLiteral("dd.MM.yyyy")));
}

void history::HistoryWindow::openRow(const QString& table, qint64 rowId) {
    rowsAsked_ = 0;
    open(history::rowHistory(table, rowId, peopleKnown_), QString());
    rowShown_ = true;
    // The row in words as its newest change names it (a deleted entry's as it was deleted).
    const QString object =
        rows_->isEmpty()
            ? QString()
            : rows_->valueAt(0, rows_->fieldIndex(QStringLiteral("object"))).toString();
    titleLabel_->setText(object.isEmpty() ? QStringLiteral("История записи")
                                          : QStringLiteral("История записи: ") + object);
    showRowSpan();
    enableForWhatIsShown();
}

void history::HistoryWindow::showRowSpan() {
    if (rows_->isEmpty())
        return;
    const int changed = rows_->fieldIndex(QStringLiteral("changed"));
    auto dateOf = [&](int row) {
        return QDate::fromString(rows_->valueAt(row, changed).toString().left(10),
                                 QStringLiteral("dd.MM.yyyy"));
    };
    fromEdit_->setDate(dateOf(rows_->recordCount() - 1));  // newest first
    toEdit_->setDate(dateOf(0));
}

void history::HistoryWindow::showPeriodAgain() {
    if (!rowShown_)
        return;
    fromEdit_->setDate(shownFrom_);
    toEdit_->setDate(shownTo_);
    reload();
}

void history::HistoryWindow::enableForWhatIsShown() {
    for (QWidget* w : {static_cast<QWidget*>(fromEdit_), static_cast<QWidget*>(toEdit_),
                       static_cast<QWidget*>(showButton_), static_cast<QWidget*>(rowButton_)})
        w->setEnabled(!rowShown_);
    for (QCheckBox* c : kindChecks_)
        c->setEnabled(!rowShown_);
    personBox_->setEnabled(!rowShown_);
    periodButton_->setEnabled(rowShown_);
}

history::People history::HistoryWindow::people() const {
    return {.known = peopleKnown_, .onePerson = !shownPerson_.isEmpty()};
}

void history::HistoryWindow::open(const QString& sql, const QString& title) {
    ui::WaitCursor wait;
    rows_->close();
    rows_->setSql(sql);
    if (sql.contains(QLatin1String(":db_user")))
        rows_->setParam(QStringLiteral("db_user"), shownPerson_);
    rows_->open();
    titleLabel_->setText(title);
}

void history::HistoryWindow::exportRows() {
    if (!rows_->isOpen())
        return;
    QString saved;
    if (!reports::runWatched(this, windowTitle(), [&](printing::WorkProgress& watch) {
            if (!hasEarlierRows()) {
                saved = history::writeHistory(*rows_, columns(peopleKnown_).gridColumns(), bridge_,
                                              &watch);
                return;
            }
            // The workbook holds the whole period, also the rows not read into the grid yet.
            data::Dataset all(QStringLiteral("History"));
            all.setReadInParts(true);
            all.setSql(history::periodRows(shownFrom_, shownTo_, periodTables_, 0, people()));
            if (!shownPerson_.isEmpty())
                all.setParam(QStringLiteral("db_user"), shownPerson_);
            all.open(&watch);
            const data::CloseAtScopeEnd closer(all);
            saved =
                history::writeHistory(all, columns(peopleKnown_).gridColumns(), bridge_, &watch);
        }))
        return;
    exporting::showWorkbook(saved);
}

void history::HistoryWindow::printRows() {
    if (!rows_->isOpen())
        return;
    QString heading = rowShown_ ? titleLabel_->text() : periodHeading() + shownKinds_;
    if (hasEarlierRows())
        heading += QStringLiteral(", последние %1").arg(QLocale().toString(rows_->recordCount()));
    printing::previewReport(history::printLayout(heading, columns(peopleKnown_).gridColumns()),
                            *rows_);
}
