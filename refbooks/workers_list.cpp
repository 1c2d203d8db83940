#include "refbooks/workers_list.h"

#include "data/data_module.h"
#include "entry/entry_editor.h"
#include "refbooks/list_search_keys.h"
#include "refbooks/worker_editor.h"
#include "refbooks/workers_statements.h"
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

TForm5* Form5 = nullptr;

namespace {
data::Dataset* workers() {
    return DataModule6->Workers;
}

}  // namespace

TForm5::TForm5(QWidget* parent) : ui::Window(parent) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Список рабочих"));

    data::GridColumn fio = data::gridColumn(QStringLiteral("fio"), QStringLiteral("ФИО"));
    fio.width = 330;
    DBGrid1 = ui::makeListGrid(
        this, "DBGrid1", workers(),
        {fio, data::gridColumn(QStringLiteral("s_staffpos_hl"), QStringLiteral("Должность"))});

    Button1 = ui::makeButton(this, "Button1", QStringLiteral("Добавить"));
    Button1->setDefault(true);
    Button2 = ui::makeButton(this, "Button2", QStringLiteral("Изменить"));
    Button3 = ui::makeButton(this, "Button3", QStringLiteral("Удалить"));
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Button4 = ui::makeButton(this, "Button4", QStringLiteral("Выход"));
    new refbooks::ListSearchKeys(Edit1, workers, refbooks::ListSearchKeys::Mode::TextOnly);

    auto* row = new QHBoxLayout;
    row->addWidget(Button1);
    row->addWidget(Button2);
    row->addWidget(Button3);
    row->addWidget(Edit1, 1);
    row->addSpacing(24);
    row->addWidget(Button4);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(DBGrid1);
    layout->addLayout(row);
    ui::fixSize(this, QSize(640, 480));

    connect(Button1, &QPushButton::clicked, this, ui::guarded([this] { Button1Click(); }));
    connect(Button2, &QPushButton::clicked, this, ui::guarded([this] { Button2Click(); }));
    connect(Button3, &QPushButton::clicked, this, ui::guarded([this] { Button3Click(); }));
    connect(Button4, &QPushButton::clicked, this, &QDialog::reject);
    connect(DBGrid1, &QTableView::doubleClicked, this, ui::guarded([this] { DBGrid1DblClick(); }));
    connect(Edit1, &QLineEdit::textChanged, this, ui::guarded([this] { Edit1Change(); }));
}

void TForm5::ShowAsReferenceBook() {
    Tag = 0;
    workers()->open();
    Button2->setDefault(false);
    Button2->setText(QStringLiteral("Изменить"));
    Button1->setDefault(true);  // Enter adds, as before any picker showing
    Button1->setVisible(true);
    Button3->setVisible(true);
    ui::showModal(this);
    workers()->close();
}

void TForm5::ShowAsPicker() {
    Tag = 1;
    workers()->open();
    Button2->setText(QStringLiteral("Выбрать"));
    Button2->setDefault(true);
    Button2->setVisible(true);
    Button3->setVisible(false);
    Button1->setVisible(false);
    Edit1->setVisible(true);
    Edit1->clear();
    Edit1Change();
    ui::showModal(this);
    workers()->close();
}

void TForm5::FormActivate() {
    if (Edit1->isVisible())
        Edit1->setFocus();
}

void TForm5::Button1Click() {
    Form2->Edit1->clear();
    Form2->setWindowTitle(QStringLiteral("Заведение данных нового работника"));
    Form2->Tag = 1;
    Form2->ReopenLookups();
    ui::showModal(Form2);
    workers()->reopen();
}

void TForm5::Button2Click() {
    if (Tag == 1)
        chooseWorker();
    else
        changeWorker();
}

void TForm5::DBGrid1DblClick() {
    Button2Click();
}

void TForm5::changeWorker() {
    data::Dataset* w = workers();
    if (w->isEmpty())
        return;  // no worker to change
    const int row = w->recNo();
    Form2->setWindowTitle(QStringLiteral("Изменение данных работника"));
    Form2->Tag = 2;
    Form2->ReopenLookups();
    Form2->Edit1->setText(w->text(QStringLiteral("fio")).trimmed());
    Form2->person_id = w->asInt(QStringLiteral("id"));
    ui::showModal(Form2);
    w->reopenAt(row);
}

void TForm5::chooseWorker() {
    data::Dataset* w = workers();
    if (!w->isEmpty()) {
        Form11->Edit1->setText(w->text(QStringLiteral("fio")).trimmed());
        Form11->entry_w_id = w->asInt(QStringLiteral("id"));
    }
    accept();
}

void TForm5::Button3Click() {
    data::Dataset* w = workers();
    if (w->isEmpty())
        return;  // nothing to delete
    if (!ui::confirmDeletion(QStringLiteral("Удалить работника?")))
        return;
    const int row = w->recNo();
    Form2->cmd_person.setSql(refbooks::workers::deleteWorker(w->asInt64(QStringLiteral("id"))));
    Form2->cmd_person.execOnRow();
    w->reopenAt(row);
}

void TForm5::Edit1Change() {
    workers()->filterBy(refbooks::workers::nameFilter(Edit1->text()));
}
