#include "refbooks/products_list.h"

#include "data/data_module.h"
#include "refbooks/list_search_keys.h"
#include "refbooks/operation_editor.h"
#include "refbooks/product_editor.h"
#include "refbooks/products_statements.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/error_display.h"
#include "ui/format.h"
#include "ui/grid.h"
#include "ui/modal.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

TForm3* Form3 = nullptr;

namespace {
data::Dataset* izdel() {
    return DataModule6->Izdel;
}
}  // namespace

TForm3::TForm3(QWidget* parent) : ui::Window(parent) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Изделия"));

    data::GridColumn marka =
        data::gridColumn(QStringLiteral("MARKA"), QStringLiteral("Марка изделия"));
    marka.width = 260;
    data::GridColumn massa = data::gridColumn(QStringLiteral("massa"), QStringLiteral("Коробки"));
    massa.format = ui::shortestFloatOrEmpty;
    massa.alignment = Qt::AlignRight | Qt::AlignVCenter;  // a number
    DBGrid1 = ui::makeListGrid(this, "DBGrid1", izdel(), {marka, massa});

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setVisible(false);
    new refbooks::ListSearchKeys(Edit1, izdel, refbooks::ListSearchKeys::Mode::ArrowsOnly);

    Button1 = ui::makeButton(this, "Button1", QStringLiteral("Добавить"));
    Button1->setDefault(true);
    Button1->setVisible(false);
    Button2 = ui::makeButton(this, "Button2", QStringLiteral("Изменить"));
    Button2->setVisible(false);
    Button3 = ui::makeButton(this, "Button3", QStringLiteral("Удалить"));
    Button3->setVisible(false);
    Button4 = ui::makeButton(this, "Button4", QStringLiteral("Выход"));

    auto* row = new QHBoxLayout;
    row->addWidget(Button1);
    row->addWidget(Button2);
    row->addWidget(Button3);
    row->addStretch();
    row->addWidget(Button4);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(DBGrid1);
    layout->addWidget(Edit1);
    layout->addLayout(row);
    ui::fixSize(this, QSize(460, 480));

    connect(Button1, &QPushButton::clicked, this, ui::guarded([this] { Button1Click(); }));
    connect(Button3, &QPushButton::clicked, this, ui::guarded([this] { Button3Click(); }));
    connect(Button4, &QPushButton::clicked, this, &QDialog::reject);
    connect(DBGrid1, &QTableView::doubleClicked, this, ui::guarded([this] { DBGrid1DblClick(); }));
    connect(Edit1, &QLineEdit::textChanged, this, ui::guarded([this] { Edit1Change(); }));
}

void TForm3::ShowAsReferenceBook() {
    Tag = 0;
    izdel()->open();
    Button2->setDefault(false);
    Button2->setText(QStringLiteral("Изменить"));
    Button1->setVisible(true);
    Button3->setVisible(true);
    ui::showModal(this);
    izdel()->close();
}

void TForm3::ShowAsPicker() {
    Tag = 1;
    izdel()->open();
    Button1->setVisible(false);
    Button3->setVisible(false);
    Edit1->setVisible(true);
    Edit1->clear();
    Edit1Change();
    ui::showModal(this);
    Edit1->setVisible(false);
    izdel()->close();
}

void TForm3::FormActivate() {
    if (Edit1->isVisible())
        Edit1->setFocus();
}

void TForm3::Button1Click() {
    const int row = izdel()->recNo();
    Form7->Edit1->clear();
    Form7->Edit2->clear();
    Form7->setWindowTitle(QStringLiteral("Заведение нового изделия"));
    Form7->Tag = 1;
    ui::showModal(Form7);
    izdel()->setRecNo(row);
}

void TForm3::DBGrid1DblClick() {
    if (Tag == 1)
        chooseProduct();
    else
        changeProduct();
}

void TForm3::changeProduct() {
    data::Dataset* p = izdel();
    if (p->isEmpty())
        return;  // no product to change
    const int row = p->recNo();
    Form7->setWindowTitle(QStringLiteral("Изменение данных изделия"));
    Form7->Tag = 2;
    Form7->Edit1->setText(p->text(QStringLiteral("marka")).trimmed());
    Form7->Edit2->setText(ui::shortestFloatOrEmpty(p->value(QStringLiteral("massa"))).trimmed());
    ui::showModal(Form7);
    p->setRecNo(row);
}

void TForm3::chooseProduct() {
    data::Dataset* p = izdel();
    const int row = p->recNo();
    // An empty list hands back an empty mark and id 0.
    Form10->Edit1->setText(p->text(QStringLiteral("marka")).trimmed());
    Form10->izdel_id = p->asInt(QStringLiteral("id"));
    accept();
    p->setRecNo(row);
}

void TForm3::Button3Click() {
    data::Dataset* p = izdel();
    if (p->isEmpty())
        return;  // nothing to delete
    if (!ui::confirmDeletion(QStringLiteral("Удалить изделие?")))
        return;
    const int row = p->recNo();
    p->remove();
    p->reopenAt(row);
}

void TForm3::Edit1Change() {
    izdel()->filterBy(refbooks::products::markFilter(Edit1->text()));
}
