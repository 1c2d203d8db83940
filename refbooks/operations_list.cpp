#include "refbooks/operations_list.h"

#include "data/data_module.h"
#include "data/product_kind.h"
#include "export/spreadsheet_bridge.h"
#include "export/workbook_display.h"
#include "refbooks/list_search_keys.h"
#include "refbooks/norms_window.h"
#include "refbooks/operation_editor.h"
#include "refbooks/operations_statements.h"
#include "refbooks/shown_rows.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/error_display.h"
#include "ui/format.h"
#include "ui/modal.h"
#include "ui/wait_cursor.h"
#include "views/grid.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <utility>

namespace ops = refbooks::operations;

namespace {

QString priceCell(const QVariant& value) {
    return value.isNull() ? QString() : ui::priceText(value.toDouble());
}
}  // namespace

OperationsList::OperationsList(data::SharedData& db, ProductsList& products,
                               OperationKindsList& kinds, QWidget* parent)
    : ui::Window(parent),
      db_(db),
      editor_(std::make_unique<OperationEditor>(db, products, kinds)),
      norms_(std::make_unique<NormsWindow>(db)) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Операции"));

    priceList_ = new data::Dataset(QStringLiteral("XLS_Rep"), this);
    priceList_->setSql(ops::priceList());

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
    grid_ = ui::makeListGrid(
        this, "DBGrid1", db_.operations,
        {marka, vid, cena, nmn, norma,
         data::gridColumn(QStringLiteral("id"), QStringLiteral("id"), false),
         data::gridColumn(QStringLiteral("i_id"), QStringLiteral("i_id"), false),
         data::gridColumn(QStringLiteral("oper_vid"), QStringLiteral("oper_vid"), false)});

    addButton_ = ui::makeButton(this, "Button1", QStringLiteral("Добавить"));
    addButton_->setDefault(true);
    changeButton_ = ui::makeButton(this, "Button2", QStringLiteral("Изменить"));
    deleteButton_ = ui::makeButton(this, "Button3", QStringLiteral("Удалить"));
    excelButton_ = ui::makeButton(this, "Button5", QStringLiteral("Excel"));
    pricesCheck_ = new QCheckBox(QStringLiteral("Цены"), this);
    pricesCheck_->setObjectName(QStringLiteral("CheckBox1"));
    QFont bold = pricesCheck_->font();
    bold.setBold(true);
    pricesCheck_->setFont(bold);
    searchEdit_ = new QLineEdit(this);
    searchEdit_->setObjectName(QStringLiteral("Edit1"));
    new refbooks::ListSearchKeys(
        searchEdit_, [this] { return db_.operations; }, refbooks::ListSearchKeys::Mode::TextOnly);
    exitButton_ = ui::makeButton(this, "Button4", QStringLiteral("Выход"));

    auto* row = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(addButton_), static_cast<QWidget*>(changeButton_),
                       static_cast<QWidget*>(deleteButton_), static_cast<QWidget*>(excelButton_),
                       static_cast<QWidget*>(pricesCheck_), static_cast<QWidget*>(searchEdit_)})
        row->addWidget(w);
    row->addStretch();
    row->addWidget(exitButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addLayout(row);
    ui::fixSize(this, QSize(800, 520));

    connect(addButton_, &QPushButton::clicked, this, ui::guarded([this] { addOperation(); }));
    connect(changeButton_, &QPushButton::clicked, this, ui::guarded([this] { changeOrChoose(); }));
    connect(deleteButton_, &QPushButton::clicked, this, ui::guarded([this] { deleteOperation(); }));
    connect(excelButton_, &QPushButton::clicked, this, ui::guarded([this] { exportPriceList(); }));
    connect(exitButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(grid_, &QTableView::doubleClicked, this, ui::guarded([this] { openCurrent(); }));
    connect(searchEdit_, &QLineEdit::textChanged, this, ui::guarded([this] { search(); }));
}

void OperationsList::showAsReferenceBook() {
    Tag = 0;
    db_.operations->open();
    changeButton_->setDefault(false);
    changeButton_->setText(QStringLiteral("Изменить"));
    addButton_->setVisible(true);
    deleteButton_->setVisible(true);
    addButton_->setDefault(true);
    ui::showModal(this);
    db_.operations->close();
}

OperationsList::~OperationsList() = default;

std::optional<refbooks::OperationChoice> OperationsList::pick(int operId) {
    Tag = 1;
    choice_.reset();
    data::Dataset* o = db_.operations;
    o->open();
    if (operId == 0)
        o->first();
    else
        o->locate(QStringLiteral("id"), operId);  // without a match the position stays
    changeButton_->setText(QStringLiteral("Выбрать"));
    addButton_->setVisible(false);
    deleteButton_->setVisible(false);
    addButton_->setDefault(false);
    changeButton_->setDefault(true);
    searchEdit_->setVisible(true);
    searchEdit_->clear();
    ui::showModal(this);
    changeButton_->setDefault(false);
    searchEdit_->setVisible(false);
    // The chosen row stays current when the search goes off: the editor reads its base price.
    const int chosen = o->isEmpty() ? 0 : o->asInt(QStringLiteral("id"));
    o->setFiltered(false);
    if (chosen != 0)
        o->locate(QStringLiteral("id"), chosen);
    return std::exchange(choice_, std::nullopt);
}

void OperationsList::windowActivated() {
    if (searchEdit_->isVisible())
        searchEdit_->setFocus();
}

void OperationsList::addOperation() {
    editor_->showForNew();
}

void OperationsList::changeOrChoose() {
    if (Tag == 1)
        chooseOperation();
    else
        changeOperation();
}

void OperationsList::changeOperation() {
    data::Dataset* o = db_.operations;
    if (o->isEmpty())
        return;  // no operation to change
    editor_->showForChange(
        {o->asInt(QStringLiteral("i_id")), o->text(QStringLiteral("marka")).trimmed()},
        {o->asInt(QStringLiteral("oper_vid")), o->text(QStringLiteral("vid")).trimmed()},
        o->asInt(QStringLiteral("naimen")), refbooks::shown::operation(*o));
}

void OperationsList::chooseOperation() {
    data::Dataset* o = db_.operations;
    if (o->isEmpty())
        return;  // nothing to hand back
    refbooks::OperationChoice choice;
    choice.productId = o->asInt(QStringLiteral("i_id"));
    choice.id = o->asInt(QStringLiteral("id"));
    choice.basePrice = o->asDouble(QStringLiteral("cena"));
    const QString mark =
        db_.readOneRow(ops::productMark(choice.productId),
                       [](const data::Dataset& q) { return q.text(QStringLiteral("marka")); });
    choice.text = ops::operationText(mark, o->text(QStringLiteral("vid")),
                                     o->asInt(QStringLiteral("naimen")));
    choice_ = choice;
    accept();
}

void OperationsList::deleteOperation() {
    data::Dataset* o = db_.operations;
    if (o->isEmpty())
        return;  // nothing to delete
    if (!ui::confirmDeletion(QStringLiteral("Удалить операцию?")))
        return;
    const int row = o->recNo();
    db_.operationDeletion.setParam(QStringLiteral("id"), o->asInt(QStringLiteral("id")));
    data::reloadIfRowGone(*o, [this] { db_.operationDeletion.execOnRow(); });
    o->reopenAt(row);
}

void OperationsList::openCurrent() {
    if (!pricesCheck_->isChecked() || Tag == 1)
        changeOrChoose();
    else
        openNorms();
}

void OperationsList::openNorms() {
    data::Dataset* o = db_.operations;
    if (o->isEmpty())
        return;  // no operation whose norms could be shown
    norms_->showForOperation(o->asInt(QStringLiteral("id")));
}

void OperationsList::search() {
    db_.operations->filterBy(ops::markFilter(searchEdit_->text()));
}

void OperationsList::exportPriceList() {
    ui::WaitCursor wait;
    priceList_->reopen();
    SpreadsheetBridge& bridge = ReportBridge();
    bridge.open();  // refused: the error display shows why; the wait cursor ends with this handler
    priceList_->first();
    bridge.write(1, 1, 1, QStringLiteral("Марка"));
    bridge.write(1, 2, 1, QStringLiteral("Операция"));
    bridge.write(1, 3, 1, QStringLiteral("Цена"));
    bridge.write(1, 4, 1, QStringLiteral("Вид"));
    const int mark = priceList_->fieldIndex(QStringLiteral("MARKA"));
    const int kind = priceList_->fieldIndex(QStringLiteral("VID"));
    const int price = priceList_->fieldIndex(QStringLiteral("cena"));
    const int naimen = priceList_->fieldIndex(QStringLiteral("naimen"));
    for (int r = 0; r < priceList_->recordCount(); ++r) {
        const int sheetRow = r + 2;
        bridge.write(1, 1, sheetRow, priceList_->valueAt(r, mark).toString());
        bridge.write(1, 2, sheetRow, priceList_->valueAt(r, kind).toString());
        bridge.write(1, 3, sheetRow,
                         ui::shortestFloat(priceList_->valueAt(r, price).toDouble()));
        bridge.write(1, 4, sheetRow,
                         data::productKindText(priceList_->valueAt(r, naimen).toInt()));
    }
    exporting::showWorkbook(bridge.save());
    priceList_->close();
}
