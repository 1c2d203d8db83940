#include "refbooks/operation_kinds_list.h"

#include "data/data_module.h"
#include "refbooks/list_search_keys.h"
#include "refbooks/operation_editor.h"
#include "refbooks/operation_kind_editor.h"
#include "refbooks/operation_kinds_statements.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/error_display.h"
#include "ui/grid.h"
#include "ui/modal.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

TForm8* Form8 = nullptr;

namespace {
data::Dataset* vidOper() {
    return DataModule6->Vid_oper;
}

}  // namespace

TForm8::TForm8(QWidget* parent) : ui::Window(parent) {
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Виды операций"));

    DBGrid1 =
        ui::makeListGrid(this, "DBGrid1", vidOper(),
                         {data::gridColumn(QStringLiteral("VID"), QStringLiteral("Операции"))});

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setVisible(false);
    new refbooks::ListSearchKeys(Edit1, vidOper, refbooks::ListSearchKeys::Mode::TextOnly);

    Button1 = ui::makeButton(this, "Button1", QStringLiteral("Добавить"));
    Button1->setDefault(true);
    Button2 = ui::makeButton(this, "Button2", QStringLiteral("Изменить"));
    Button3 = ui::makeButton(this, "Button3", QStringLiteral("Удалить"));
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
    resize(420, 460);

    connect(Button1, &QPushButton::clicked, this, ui::guarded([this] { Button1Click(); }));
    connect(Button2, &QPushButton::clicked, this, ui::guarded([this] { Button2Click(); }));
    connect(Button3, &QPushButton::clicked, this, ui::guarded([this] { Button3Click(); }));
    connect(Button4, &QPushButton::clicked, this, &QDialog::reject);
    connect(DBGrid1, &QTableView::doubleClicked, this, ui::guarded([this] { DBGrid1DblClick(); }));
    connect(Edit1, &QLineEdit::textChanged, this, ui::guarded([this] { Edit1Change(); }));
}

void TForm8::ShowAsReferenceBook() {
    Tag = 0;
    vidOper()->open();
    Button2->setDefault(false);
    Button2->setText(QStringLiteral("Изменить"));
    Button1->setDefault(true);  // Enter adds, as before any picker showing
    Button1->setVisible(true);
    Button3->setVisible(true);
    ui::showModal(this);
    vidOper()->close();
}

void TForm8::ShowAsPicker() {
    Tag = 1;
    vidOper()->open();
    Button2->setText(QStringLiteral("Выбрать"));
    Button1->setVisible(false);
    Button3->setVisible(false);
    Button2->setDefault(true);
    Edit1->setVisible(true);
    Edit1->clear();
    Edit1Change();
    ui::showModal(this);
    Button2->setDefault(false);
    Edit1->setVisible(false);
    vidOper()->close();
}

void TForm8::FormActivate() {
    if (Edit1->isVisible())
        Edit1->setFocus();
}

void TForm8::Button1Click() {
    Form9->Edit1->clear();
    Form9->setWindowTitle(QStringLiteral("Заведение нового вида операций"));
    Form9->Tag = 1;
    ui::showModal(Form9);
}

void TForm8::Button2Click() {
    if (Tag == 1)
        chooseKind();
    else
        changeKind();
}

void TForm8::DBGrid1DblClick() {
    Button2Click();
}

void TForm8::changeKind() {
    data::Dataset* k = vidOper();
    if (k->isEmpty())
        return;  // no kind to change
    Form9->setWindowTitle(QStringLiteral("Изменение данных вида операции"));
    Form9->Tag = 2;
    Form9->Edit1->setText(k->text(QStringLiteral("vid")).trimmed());
    ui::showModal(Form9);
}

void TForm8::chooseKind() {
    data::Dataset* k = vidOper();
    // An empty list hands back an empty name and id 0.
    Form10->Edit2->setText(k->text(QStringLiteral("vid")).trimmed());
    Form10->vid_id = k->asInt(QStringLiteral("id"));
    accept();
}

void TForm8::Button3Click() {
    data::Dataset* k = vidOper();
    if (k->isEmpty())
        return;  // nothing to delete
    if (!ui::confirmDeletion(QStringLiteral("Удалить вид операции?")))
        return;
    k->remove();
    k->reopen();
}

void TForm8::Edit1Change() {
    vidOper()->filterBy(refbooks::kinds::nameFilter(Edit1->text()));
}
