#include "refbooks/reference_list.h"

#include "data/dataset.h"
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
#include <algorithm>

namespace refbooks {

ReferenceList::ReferenceList(const Setup& setup, QWidget* parent)
    : ui::Window(parent),
      query_(setup.query),
      searchShown_(setup.searchBox),
      afterDeletion_(setup.afterDeletion),
      deleteQuestion_(setup.deleteQuestion),
      follows_(setup.follows) {
    setObjectName(QString::fromLatin1(setup.objectName));
    setWindowTitle(setup.caption);
    buildControls(setup);
    layOut(setup);
    connectControls();
    connect(&data::changes(), &data::ChangeFeed::changed, this,
            [this](const data::Change& change) { followChange(change); });
}

void ReferenceList::followChange(const data::Change& change) {
    if (std::find(follows_.begin(), follows_.end(), change.subject) == follows_.end())
        return;
    // Closed, it reads the rows afresh when it opens; a row being edited is left to its editor.
    if (!query_.isOpen() || query_.state() != data::Dataset::State::Browse)
        return;
    ui::runGuarded([this] { query_.reopenAt(query_.recNo()); });
}

void ReferenceList::buildControls(const Setup& setup) {
    grid_ = ui::makeListGrid(this, "DBGrid1", &query_, setup.columns);
    addButton_ = ui::makeButton(this, "Button1", QStringLiteral("Добавить"));
    addButton_->setDefault(true);
    changeButton_ = ui::makeButton(this, "Button2", QStringLiteral("Изменить"));
    changeButton_->setVisible(setup.changeButton == ChangeButton::Shown);
    deleteButton_ = ui::makeButton(this, "Button3", QStringLiteral("Удалить"));
    exitButton_ = ui::makeButton(this, "Button4", QStringLiteral("Выход"));
    searchEdit_ = new QLineEdit(this);
    searchEdit_->setObjectName(QStringLiteral("Edit1"));
    searchEdit_->setVisible(setup.searchBox != SearchBox::InPicker);
    new ListSearchKeys(
        searchEdit_, [this] { return &query_; }, setup.searchKeys);
}

void ReferenceList::layOut(const Setup& setup) {
    buttonRow_ = new QHBoxLayout;
    buttonRow_->addWidget(addButton_);
    buttonRow_->addWidget(changeButton_);
    buttonRow_->addWidget(deleteButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    if (setup.searchPlace == SearchPlace::ButtonRow) {
        buttonRow_->addWidget(searchEdit_, 1);
        buttonRow_->addSpacing(24);
    } else {
        layout->addWidget(searchEdit_);
        buttonRow_->addStretch();
    }
    buttonRow_->addWidget(exitButton_);
    layout->addLayout(buttonRow_);
    if (setup.sizing == Sizing::Fixed)
        ui::fixSize(this, setup.size);
    else
        resize(setup.size);
}

void ReferenceList::connectControls() {
    connect(addButton_, &QPushButton::clicked, this, ui::guarded([this] { addRow(); }));
    connect(changeButton_, &QPushButton::clicked, this, ui::guarded([this] { changeOrChoose(); }));
    connect(deleteButton_, &QPushButton::clicked, this, ui::guarded([this] { deleteRow(); }));
    connect(exitButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(grid_, &QTableView::doubleClicked, this, ui::guarded([this] { rowDoubleClicked(); }));
    connect(searchEdit_, &QLineEdit::textChanged, this, ui::guarded([this] { search(); }));
}

void ReferenceList::addToButtonRow(QWidget* control) {
    const int afterDelete = buttonRow_->indexOf(deleteButton_) + 1;
    buttonRow_->insertWidget(afterDelete + ownControls_++, control);
}

void ReferenceList::showAsReferenceBook() {
    mode_ = Mode::ReferenceBook;
    query_.open();
    changeButton_->setDefault(false);
    changeButton_->setText(QStringLiteral("Изменить"));
    addButton_->setDefault(true);  // Enter adds, as before any picker showing
    addButton_->setVisible(true);
    deleteButton_->setVisible(true);
    ui::showModal(this);
    query_.close();
}

void ReferenceList::runPicker() {
    mode_ = Mode::Picker;
    openForPicker();
    changeButton_->setText(QStringLiteral("Выбрать"));
    addButton_->setVisible(false);
    deleteButton_->setVisible(false);
    changeButton_->setDefault(true);  // Enter chooses
    searchEdit_->setVisible(true);
    ui::showModal(this);
    changeButton_->setDefault(false);
    if (searchShown_ != SearchBox::Always)
        searchEdit_->setVisible(false);
    leavePicker();
}

void ReferenceList::openForPicker() {
    query_.open();
    searchEdit_->clear();
    search();
}

void ReferenceList::leavePicker() {
    query_.close();
}

void ReferenceList::windowActivated() {
    if (searchEdit_->isVisible())
        searchEdit_->setFocus();
}

void ReferenceList::addRow() {
    addNew();
}

void ReferenceList::changeOrChoose() {
    if (mode_ == Mode::Picker) {
        if (chooseCurrent())
            accept();
    } else if (!query_.isEmpty()) {
        changeCurrent();
    }
}

void ReferenceList::deleteRow() {
    if (query_.isEmpty())
        return;  // nothing to delete
    if (!ui::confirmDeletion(deleteQuestion_))
        return;
    const int row = query_.recNo();
    data::reloadIfRowGone(query_, [this] { removeCurrent(); });
    if (afterDeletion_ == AfterDeletion::SameRowNumber)
        query_.reopenAt(row);
    else
        query_.reopen();
}

void ReferenceList::removeCurrent() {
    query_.remove();
}

void ReferenceList::search() {
    query_.filterBy(filterFor(searchEdit_->text()));
}

}  // namespace refbooks
