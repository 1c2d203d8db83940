#include "refbooks/operations_list.h"

#include "app/journal_window.h"
#include "data/data_module.h"
#include "data/product_kind.h"
#include "entry/entry_editor.h"
#include "export/spreadsheet_bridge.h"
#include "refbooks/list_search_keys.h"
#include "refbooks/norms_window.h"
#include "refbooks/operation_editor.h"
#include "refbooks/operations_statements.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/error_display.h"
#include "ui/format.h"
#include "ui/grid.h"
#include "ui/modal.h"
#include "ui/wait_cursor.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

TForm4* Form4 = nullptr;

namespace ops = refbooks::operations;

namespace {
data::Dataset* oper() {
    return DataModule6->Oper;
}

QString priceCell(const QVariant& value) {
    return value.isNull() ? QString() : ui::priceText(value.toDouble());
}
}  // namespace

TForm4::TForm4(QWidget* parent) : ui::Window(parent) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Операции"));

    XLS_Rep = new data::Dataset(QStringLiteral("XLS_Rep"), this);
    XLS_Rep->setSql(ops::priceList());

    data::GridColumn cena = data::gridColumn(QStringLiteral("cena"), QStringLiteral("Цена (min)"));
    cena.format = priceCell;
    cena.alignment = Qt::AlignRight | Qt::AlignVCenter;
    cena.width = 90;
    data::GridColumn marka = data::gridColumn(QStringLiteral("MARKA"), QStringLiteral("Марка"));
    marka.width = 200;
    data::GridColumn vid = data::gridColumn(QStringLiteral("VID"), QStringLiteral("Опреция"));
    vid.width = 230;
    data::GridColumn nmn = data::gridColumn(QStringLiteral("nmn"), QStringLiteral("Вид"));
    nmn.width = 140;
    data::GridColumn norma =
        data::gridColumn(QStringLiteral("norma"), QStringLiteral("Нормы (шт.)"), true,
                         Qt::AlignRight | Qt::AlignVCenter);
    norma.width = 90;
    DBGrid1 = ui::makeListGrid(
        this, "DBGrid1", oper(),
        {marka, vid, cena, nmn, norma,
         data::gridColumn(QStringLiteral("id"), QStringLiteral("id"), false),
         data::gridColumn(QStringLiteral("i_id"), QStringLiteral("i_id"), false),
         data::gridColumn(QStringLiteral("oper_vid"), QStringLiteral("oper_vid"), false)});

    Button1 = ui::makeButton(this, "Button1", QStringLiteral("Добавить"));
    Button1->setDefault(true);
    Button2 = ui::makeButton(this, "Button2", QStringLiteral("Изменить"));
    Button3 = ui::makeButton(this, "Button3", QStringLiteral("Удалить"));
    Button5 = ui::makeButton(this, "Button5", QStringLiteral("Excel"));
    CheckBox1 = new QCheckBox(QStringLiteral("Цены"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    QFont bold = CheckBox1->font();
    bold.setBold(true);
    CheckBox1->setFont(bold);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    new refbooks::ListSearchKeys(Edit1, oper, refbooks::ListSearchKeys::Mode::TextOnly);
    Button4 = ui::makeButton(this, "Button4", QStringLiteral("Выход"));

    auto* row = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(Button1), static_cast<QWidget*>(Button2),
                       static_cast<QWidget*>(Button3), static_cast<QWidget*>(Button5),
                       static_cast<QWidget*>(CheckBox1), static_cast<QWidget*>(Edit1)})
        row->addWidget(w);
    row->addStretch();
    row->addWidget(Button4);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(DBGrid1);
    layout->addLayout(row);
    ui::fixSize(this, QSize(800, 520));

    connect(Button1, &QPushButton::clicked, this, ui::guarded([this] { Button1Click(); }));
    connect(Button2, &QPushButton::clicked, this, ui::guarded([this] { Button2Click(); }));
    connect(Button3, &QPushButton::clicked, this, ui::guarded([this] { Button3Click(); }));
    connect(Button5, &QPushButton::clicked, this, ui::guarded([this] { Button5Click(); }));
    connect(Button4, &QPushButton::clicked, this, &QDialog::reject);
    connect(DBGrid1, &QTableView::doubleClicked, this, ui::guarded([this] { DBGrid1DblClick(); }));
    connect(Edit1, &QLineEdit::textChanged, this, ui::guarded([this] { Edit1Change(); }));
}

void TForm4::ShowAsReferenceBook() {
    Tag = 0;
    oper()->open();
    Button2->setDefault(false);
    Button2->setText(QStringLiteral("Изменить"));
    Button1->setVisible(true);
    Button3->setVisible(true);
    Button1->setDefault(true);
    ui::showModal(this);
    oper()->close();
}

void TForm4::ShowAsPicker(int operId) {
    Tag = 1;
    data::Dataset* o = oper();
    o->open();
    if (operId == 0)
        o->first();
    else
        o->locate(QStringLiteral("id"), operId);  // without a match the position stays
    Button2->setText(QStringLiteral("Выбрать"));
    Button1->setVisible(false);
    Button3->setVisible(false);
    Button1->setDefault(false);
    Button2->setDefault(true);
    Edit1->setVisible(true);
    Edit1->clear();
    ui::showModal(this);
    Button2->setDefault(false);
    Edit1->setVisible(false);
    // The chosen row stays current when the search goes off: the editor reads its base price.
    const int chosen = o->isEmpty() ? 0 : o->asInt(QStringLiteral("id"));
    o->setFiltered(false);
    if (chosen != 0)
        o->locate(QStringLiteral("id"), chosen);
}

void TForm4::FormActivate() {
    if (Edit1->isVisible())
        Edit1->setFocus();
}

void TForm4::Button1Click() {
    Form10->Edit1->clear();
    Form10->Edit2->clear();
    Form10->ComboBox1->setCurrentIndex(0);
    Form10->setWindowTitle(QStringLiteral("Заведение новой цены за операцию"));
    Form10->Tag = 1;
    ui::showModal(Form10);
}

void TForm4::Button2Click() {
    if (Tag == 1)
        chooseOperation();
    else
        changeOperation();
}

void TForm4::changeOperation() {
    data::Dataset* o = oper();
    if (o->isEmpty())
        return;  // no operation to change
    Form10->setWindowTitle(QStringLiteral("Изменение данных о цене за операцию"));
    Form10->Tag = 2;
    Form10->Edit1->setText(o->text(QStringLiteral("marka")).trimmed());
    Form10->Edit2->setText(o->text(QStringLiteral("vid")).trimmed());
    Form10->ComboBox1->setCurrentIndex(o->asInt(QStringLiteral("naimen")) == 0 ? 0 : 1);
    Form10->izdel_id = o->asInt(QStringLiteral("i_id"));
    Form10->vid_id = o->asInt(QStringLiteral("oper_vid"));
    ui::showModal(Form10);
}

void TForm4::chooseOperation() {
    data::Dataset* o = oper();
    if (o->isEmpty())
        return;  // nothing to hand back
    Form11->entry_i_id = o->asInt(QStringLiteral("i_id"));
    Form11->entry_o_id = o->asInt(QStringLiteral("id"));
    Form11->entry_price = ops::finalPrice(o->asDouble(QStringLiteral("cena")),
                                          Form1->CBox1->isChecked(), Form1->CurrentShift);
    const QString mark = DataModule6->readControl(
        ops::productMark(Form11->entry_i_id),
        [](const data::Dataset& q) { return q.text(QStringLiteral("marka")); });
    Form11->Edit2->setText(ops::operationText(mark, o->text(QStringLiteral("vid")),
                                              o->asInt(QStringLiteral("naimen"))));
    accept();
}

void TForm4::Button3Click() {
    data::Dataset* o = oper();
    if (o->isEmpty())
        return;  // nothing to delete
    if (!ui::confirmDeletion(QStringLiteral("Удалить операцию?")))
        return;
    const int row = o->recNo();
    DataModule6->Oper_del.setParam(QStringLiteral("id"), o->asInt(QStringLiteral("id")));
    DataModule6->Oper_del.execOnRow();
    o->reopenAt(row);
}

void TForm4::DBGrid1DblClick() {
    if (!CheckBox1->isChecked() || Tag == 1)
        Button2Click();
    else
        openNorms();
}

void TForm4::openNorms() {
    data::Dataset* o = oper();
    if (o->isEmpty())
        return;  // no operation whose norms could be shown
    data::Dataset* norm = Form22->norm;
    norm->close();
    norm->setFilter(QStringLiteral("o_id=%1").arg(o->asInt(QStringLiteral("id"))));
    norm->setFiltered(true);
    norm->open();
    ui::showModal(Form22);
}

void TForm4::Edit1Change() {
    oper()->filterBy(ops::markFilter(Edit1->text()));
}

void TForm4::Button5Click() {
    ui::WaitCursor wait;
    XLS_Rep->reopen();
    SpreadsheetBridge& bridge = ReportBridge();
    if (bridge.OpenWorkbook(QString()) == -1) {
        XLS_Rep->close();
        return;  // the wait cursor ends with this handler
    }
    XLS_Rep->first();
    bridge.WriteCell(1, 1, 1, QStringLiteral("Марка"));
    bridge.WriteCell(1, 2, 1, QStringLiteral("Операция"));
    bridge.WriteCell(1, 3, 1, QStringLiteral("Цена"));
    bridge.WriteCell(1, 4, 1, QStringLiteral("Вид"));
    const int mark = XLS_Rep->fieldIndex(QStringLiteral("MARKA"));
    const int kind = XLS_Rep->fieldIndex(QStringLiteral("VID"));
    const int price = XLS_Rep->fieldIndex(QStringLiteral("cena"));
    const int naimen = XLS_Rep->fieldIndex(QStringLiteral("naimen"));
    for (int r = 0; r < XLS_Rep->recordCount(); ++r) {
        const int sheetRow = r + 2;
        bridge.WriteCell(1, 1, sheetRow, XLS_Rep->valueAt(r, mark).toString());
        bridge.WriteCell(1, 2, sheetRow, XLS_Rep->valueAt(r, kind).toString());
        bridge.WriteCell(1, 3, sheetRow, ui::shortestFloat(XLS_Rep->valueAt(r, price).toDouble()));
        bridge.WriteCell(1, 4, sheetRow,
                         data::productKindText(XLS_Rep->valueAt(r, naimen).toInt()));
    }
    bridge.SetVisible(1);
    XLS_Rep->close();
}
