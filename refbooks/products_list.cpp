#include "refbooks/products_list.h"

#include "data/data_module.h"
#include "refbooks/list_search_keys.h"
#include "refbooks/product_editor.h"
#include "refbooks/products_statements.h"
#include "refbooks/shown_rows.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/error_display.h"
#include "ui/format.h"
#include "ui/modal.h"
#include "views/grid.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <utility>

ProductsList::ProductsList(data::SharedData& db, QWidget* parent)
    : ui::Window(parent), db_(db), editor_(std::make_unique<ProductEditor>(db)) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Изделия"));

    data::GridColumn marka =
        data::gridColumn(QStringLiteral("MARKA"), QStringLiteral("Марка изделия"));
    marka.width = 260;
    data::GridColumn massa = data::gridColumn(QStringLiteral("massa"), QStringLiteral("Коробки"));
    massa.format = ui::shortestFloatOrEmpty;
    massa.alignment = Qt::AlignRight | Qt::AlignVCenter;  // a number
    grid_ = ui::makeListGrid(this, "DBGrid1", db_.products, {marka, massa});

    searchEdit_ = new QLineEdit(this);
    searchEdit_->setObjectName(QStringLiteral("Edit1"));
    searchEdit_->setVisible(false);
    new refbooks::ListSearchKeys(
        searchEdit_, [this] { return db_.products; }, refbooks::ListSearchKeys::Mode::ArrowsOnly);

    addButton_ = ui::makeButton(this, "Button1", QStringLiteral("Добавить"));
    addButton_->setDefault(true);
    addButton_->setVisible(false);
    changeButton_ = ui::makeButton(this, "Button2", QStringLiteral("Изменить"));
    changeButton_->setVisible(false);
    deleteButton_ = ui::makeButton(this, "Button3", QStringLiteral("Удалить"));
    deleteButton_->setVisible(false);
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
    ui::fixSize(this, QSize(460, 480));

    connect(addButton_, &QPushButton::clicked, this, ui::guarded([this] { addProduct(); }));
    connect(deleteButton_, &QPushButton::clicked, this, ui::guarded([this] { deleteProduct(); }));
    connect(exitButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(grid_, &QTableView::doubleClicked, this, ui::guarded([this] { changeOrChoose(); }));
    connect(searchEdit_, &QLineEdit::textChanged, this, ui::guarded([this] { search(); }));
}

void ProductsList::showAsReferenceBook() {
    Tag = 0;
    db_.products->open();
    changeButton_->setDefault(false);
    changeButton_->setText(QStringLiteral("Изменить"));
    addButton_->setVisible(true);
    deleteButton_->setVisible(true);
    ui::showModal(this);
    db_.products->close();
}

ProductsList::~ProductsList() = default;

std::optional<refbooks::ProductChoice> ProductsList::pick() {
    Tag = 1;
    choice_.reset();
    db_.products->open();
    addButton_->setVisible(false);
    deleteButton_->setVisible(false);
    searchEdit_->setVisible(true);
    searchEdit_->clear();
    search();
    ui::showModal(this);
    searchEdit_->setVisible(false);
    db_.products->close();
    return std::exchange(choice_, std::nullopt);
}

void ProductsList::windowActivated() {
    if (searchEdit_->isVisible())
        searchEdit_->setFocus();
}

void ProductsList::addProduct() {
    const int row = db_.products->recNo();
    editor_->showForNew();
    db_.products->setRecNo(row);
}

void ProductsList::changeOrChoose() {
    if (Tag == 1)
        chooseProduct();
    else
        changeProduct();
}

void ProductsList::changeProduct() {
    data::Dataset* p = db_.products;
    if (p->isEmpty())
        return;  // no product to change
    const int row = p->recNo();
    editor_->showForChange(p->text(QStringLiteral("marka")).trimmed(),
                           ui::shortestFloatOrEmpty(p->value(QStringLiteral("massa"))).trimmed(),
                           refbooks::shown::product(*p));
    p->setRecNo(row);
}

void ProductsList::chooseProduct() {
    data::Dataset* p = db_.products;
    const int row = p->recNo();
    // An empty list hands back an empty mark and id 0.
    choice_ = refbooks::ProductChoice{p->asInt(QStringLiteral("id")),
                                      p->text(QStringLiteral("marka")).trimmed()};
    accept();
    p->setRecNo(row);
}

void ProductsList::deleteProduct() {
    data::Dataset* p = db_.products;
    if (p->isEmpty())
        return;  // nothing to delete
    if (!ui::confirmDeletion(QStringLiteral("Удалить изделие?")))
        return;
    const int row = p->recNo();
    data::reloadIfRowGone(*p, [p] { p->remove(); });
    p->reopenAt(row);
}

void ProductsList::search() {
    db_.products->filterBy(refbooks::products::markFilter(searchEdit_->text()));
}
