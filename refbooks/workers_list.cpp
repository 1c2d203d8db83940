#include "refbooks/workers_list.h"

#include "data/data_module.h"
#include "refbooks/list_search_keys.h"
#include "refbooks/shown_rows.h"
#include "refbooks/worker_editor.h"
#include "refbooks/workers_statements.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/error_display.h"
#include "ui/modal.h"
#include "views/grid.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <utility>

WorkersList::WorkersList(data::SharedData& db, QWidget* parent)
    : ui::Window(parent), db_(db), editor_(std::make_unique<WorkerEditor>()) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Список рабочих"));

    data::GridColumn fio = data::gridColumn(QStringLiteral("fio"), QStringLiteral("ФИО"));
    fio.width = 330;
    grid_ = ui::makeListGrid(
        this, "DBGrid1", db_.workers,
        {fio, data::gridColumn(QStringLiteral("s_staffpos_hl"), QStringLiteral("Должность"))});

    addButton_ = ui::makeButton(this, "Button1", QStringLiteral("Добавить"));
    addButton_->setDefault(true);
    changeButton_ = ui::makeButton(this, "Button2", QStringLiteral("Изменить"));
    deleteButton_ = ui::makeButton(this, "Button3", QStringLiteral("Удалить"));
    searchEdit_ = new QLineEdit(this);
    searchEdit_->setObjectName(QStringLiteral("Edit1"));
    exitButton_ = ui::makeButton(this, "Button4", QStringLiteral("Выход"));
    new refbooks::ListSearchKeys(
        searchEdit_, [this] { return db_.workers; }, refbooks::ListSearchKeys::Mode::TextOnly);

    auto* row = new QHBoxLayout;
    row->addWidget(addButton_);
    row->addWidget(changeButton_);
    row->addWidget(deleteButton_);
    row->addWidget(searchEdit_, 1);
    row->addSpacing(24);
    row->addWidget(exitButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addLayout(row);
    ui::fixSize(this, QSize(640, 480));

    connect(addButton_, &QPushButton::clicked, this, ui::guarded([this] { addWorker(); }));
    connect(changeButton_, &QPushButton::clicked, this, ui::guarded([this] { changeOrChoose(); }));
    connect(deleteButton_, &QPushButton::clicked, this, ui::guarded([this] { deleteWorker(); }));
    connect(exitButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(grid_, &QTableView::doubleClicked, this, ui::guarded([this] { changeOrChoose(); }));
    connect(searchEdit_, &QLineEdit::textChanged, this, ui::guarded([this] { search(); }));
}

WorkersList::~WorkersList() = default;

void WorkersList::showAsReferenceBook() {
    Tag = 0;
    db_.workers->open();
    changeButton_->setDefault(false);
    changeButton_->setText(QStringLiteral("Изменить"));
    addButton_->setDefault(true);  // Enter adds, as before any picker showing
    addButton_->setVisible(true);
    deleteButton_->setVisible(true);
    ui::showModal(this);
    db_.workers->close();
}

std::optional<refbooks::WorkerChoice> WorkersList::pick() {
    Tag = 1;
    choice_.reset();
    db_.workers->open();
    changeButton_->setText(QStringLiteral("Выбрать"));
    changeButton_->setDefault(true);
    changeButton_->setVisible(true);
    deleteButton_->setVisible(false);
    addButton_->setVisible(false);
    searchEdit_->setVisible(true);
    searchEdit_->clear();
    search();
    ui::showModal(this);
    db_.workers->close();
    return std::exchange(choice_, std::nullopt);
}

void WorkersList::windowActivated() {
    if (searchEdit_->isVisible())
        searchEdit_->setFocus();
}

void WorkersList::addWorker() {
    editor_->showForNew();
    db_.workers->reopen();
}

void WorkersList::changeOrChoose() {
    if (Tag == 1)
        chooseWorker();
    else
        changeWorker();
}

void WorkersList::changeWorker() {
    data::Dataset* w = db_.workers;
    if (w->isEmpty())
        return;  // no worker to change
    const int row = w->recNo();
    editor_->showForChange(w->text(QStringLiteral("fio")).trimmed(), w->asInt(QStringLiteral("id")),
                           refbooks::shown::worker(*w));
    w->reopenAt(row);
}

void WorkersList::chooseWorker() {
    data::Dataset* w = db_.workers;
    if (!w->isEmpty())
        choice_ = refbooks::WorkerChoice{w->asInt(QStringLiteral("id")),
                                         w->text(QStringLiteral("fio")).trimmed()};
    accept();
}

void WorkersList::deleteWorker() {
    data::Dataset* w = db_.workers;
    if (w->isEmpty())
        return;  // nothing to delete
    if (!ui::confirmDeletion(QStringLiteral("Удалить работника?")))
        return;
    const int row = w->recNo();
    const qint64 id = w->asInt64(QStringLiteral("id"));
    data::reloadIfRowGone(*w, [this, id] { editor_->deleteWorker(id); });
    w->reopenAt(row);
}

void WorkersList::search() {
    db_.workers->filterBy(refbooks::workers::nameFilter(searchEdit_->text()));
}
