#include "refbooks/operation_kinds_list.h"

#include "data/data_module.h"
#include "refbooks/list_search_keys.h"
#include "refbooks/operation_kind_editor.h"
#include "refbooks/operation_kinds_statements.h"
#include "refbooks/shown_rows.h"
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

OperationKindsList::OperationKindsList(data::SharedData& db, QWidget* parent)
    : ui::Window(parent), db_(db), editor_(std::make_unique<OperationKindEditor>(db)) {
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Виды операций"));

    grid_ = ui::makeListGrid(this, "DBGrid1", db_.operationKinds,
                             {data::gridColumn(QStringLiteral("VID"), QStringLiteral("Операции"))});

    searchEdit_ = new QLineEdit(this);
    searchEdit_->setObjectName(QStringLiteral("Edit1"));
    searchEdit_->setVisible(false);
    new refbooks::ListSearchKeys(
        searchEdit_, [this] { return db_.operationKinds; },
        refbooks::ListSearchKeys::Mode::TextOnly);

    addButton_ = ui::makeButton(this, "Button1", QStringLiteral("Добавить"));
    addButton_->setDefault(true);
    changeButton_ = ui::makeButton(this, "Button2", QStringLiteral("Изменить"));
    deleteButton_ = ui::makeButton(this, "Button3", QStringLiteral("Удалить"));
    exitButton_ = ui::makeButton(this, "Button4", QStringLiteral("Выход"));

    auto* row = new QHBoxLayout;
    row->addWidget(addButton_);
    row->addWidget(changeButton_);
    row->addWidget(deleteButton_);
    row->addStretch();
    row->addWidget(exitButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addWidget(searchEdit_);
    layout->addLayout(row);
    resize(420, 460);

    connect(addButton_, &QPushButton::clicked, this, ui::guarded([this] { addKind(); }));
    connect(changeButton_, &QPushButton::clicked, this, ui::guarded([this] { changeOrChoose(); }));
    connect(deleteButton_, &QPushButton::clicked, this, ui::guarded([this] { deleteKind(); }));
    connect(exitButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(grid_, &QTableView::doubleClicked, this, ui::guarded([this] { changeOrChoose(); }));
    connect(searchEdit_, &QLineEdit::textChanged, this, ui::guarded([this] { search(); }));
}

void OperationKindsList::showAsReferenceBook() {
    Tag = 0;
    db_.operationKinds->open();
    changeButton_->setDefault(false);
    changeButton_->setText(QStringLiteral("Изменить"));
    addButton_->setDefault(true);  // Enter adds, as before any picker showing
    addButton_->setVisible(true);
    deleteButton_->setVisible(true);
    ui::showModal(this);
    db_.operationKinds->close();
}

OperationKindsList::~OperationKindsList() = default;

std::optional<refbooks::KindChoice> OperationKindsList::pick() {
    Tag = 1;
    choice_.reset();
    db_.operationKinds->open();
    changeButton_->setText(QStringLiteral("Выбрать"));
    addButton_->setVisible(false);
    deleteButton_->setVisible(false);
    changeButton_->setDefault(true);
    searchEdit_->setVisible(true);
    searchEdit_->clear();
    search();
    ui::showModal(this);
    changeButton_->setDefault(false);
    searchEdit_->setVisible(false);
    db_.operationKinds->close();
    return std::exchange(choice_, std::nullopt);
}

void OperationKindsList::windowActivated() {
    if (searchEdit_->isVisible())
        searchEdit_->setFocus();
}

void OperationKindsList::addKind() {
    editor_->showForNew();
}

void OperationKindsList::changeOrChoose() {
    if (Tag == 1)
        chooseKind();
    else
        changeKind();
}

void OperationKindsList::changeKind() {
    data::Dataset* k = db_.operationKinds;
    if (k->isEmpty())
        return;  // no kind to change
    editor_->showForChange(k->text(QStringLiteral("vid")).trimmed(), refbooks::shown::kind(*k));
}

void OperationKindsList::chooseKind() {
    data::Dataset* k = db_.operationKinds;
    // An empty list hands back an empty name and id 0.
    choice_ = refbooks::KindChoice{k->asInt(QStringLiteral("id")),
                                   k->text(QStringLiteral("vid")).trimmed()};
    accept();
}

void OperationKindsList::deleteKind() {
    data::Dataset* k = db_.operationKinds;
    if (k->isEmpty())
        return;  // nothing to delete
    if (!ui::confirmDeletion(QStringLiteral("Удалить вид операции?")))
        return;
    data::reloadIfRowGone(*k, [k] { k->remove(); });
    k->reopen();
}

void OperationKindsList::search() {
    db_.operationKinds->filterBy(refbooks::kinds::nameFilter(searchEdit_->text()));
}
