#include "refbooks/operations_list.h"

#include "data/data_module.h"
#include "data/product_kind.h"
#include "export/spreadsheet_bridge.h"
#include "export/workbook_display.h"
#include "refbooks/norms_window.h"
#include "refbooks/operation_editor.h"
#include "refbooks/operation_save.h"
#include "refbooks/operations_statements.h"
#include "refbooks/shown_rows.h"
#include "ui/controls.h"
#include "ui/error_display.h"
#include "ui/format.h"
#include "ui/wait_cursor.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

namespace ops = refbooks::operations;

namespace {

QString priceCell(const QVariant& value) {
    return value.isNull() ? QString() : ui::priceText(value.toDouble());
}

refbooks::ReferenceList::Setup operationsSetup(data::SharedData& db) {
    return {
        .objectName = "Form4",
        .caption = QStringLiteral("Операции"),
        .query = *db.operations,
        .columns =
            {{.field = QStringLiteral("MARKA"), .caption = QStringLiteral("Марка"), .width = 200},
             {.field = QStringLiteral("VID"), .caption = QStringLiteral("Опреция"), .width = 230},
             {.field = QStringLiteral("cena"),
              .caption = QStringLiteral("Цена (min)"),
              .width = 90,
              .alignment = views::kRight,
              .format = priceCell},
             {.field = QStringLiteral("nmn"), .caption = QStringLiteral("Вид"), .width = 140},
             {.field = QStringLiteral("norma"),
              .caption = QStringLiteral("Нормы (шт.)"),
              .width = 90,
              .alignment = views::kRight},
             {.field = QStringLiteral("id"), .caption = QStringLiteral("id"), .hidden = true},
             {.field = QStringLiteral("i_id"), .caption = QStringLiteral("i_id"), .hidden = true},
             {.field = QStringLiteral("oper_vid"),
              .caption = QStringLiteral("oper_vid"),
              .hidden = true}},
        .deleteQuestion = QStringLiteral("Удалить операцию?"),
        .searchBox = refbooks::ReferenceList::SearchBox::UntilFirstPick,
        .size = QSize(800, 520),
        // Its rows show the product's mark, the kind's name and the norms' price and norm.
        .follows = {data::Subject::Operation, data::Subject::Norm, data::Subject::Product,
                    data::Subject::OperationKind}};
}
}  // namespace

OperationsList::OperationsList(data::SharedData& db, ProductsList& products,
                               OperationKindsList& kinds, QWidget* parent)
    : ReferenceList(operationsSetup(db), parent),
      db_(db),
      editor_(std::make_unique<OperationEditor>(db, products, kinds)),
      norms_(std::make_unique<NormsWindow>(db)) {
    priceList_ = new data::Dataset(QStringLiteral("XLS_Rep"), this);
    priceList_->setSql(ops::priceList());

    excelButton_ = ui::makeButton(this, "Button5", QStringLiteral("Excel"));
    pricesCheck_ = new QCheckBox(QStringLiteral("Цены"), this);
    pricesCheck_->setObjectName(QStringLiteral("CheckBox1"));
    QFont bold = pricesCheck_->font();
    bold.setBold(true);
    pricesCheck_->setFont(bold);
    addToButtonRow(excelButton_);
    addToButtonRow(pricesCheck_);
    connect(excelButton_, &QPushButton::clicked, this, ui::guarded([this] { exportPriceList(); }));
}

OperationsList::~OperationsList() = default;

std::optional<refbooks::OperationChoice> OperationsList::pick(int operId) {
    pickFrom_ = operId;
    return showAsPicker(choice_);
}

void OperationsList::openForPicker() {
    data::Dataset& o = query();
    o.open();
    if (pickFrom_ == 0)
        o.first();
    else
        o.locate(QStringLiteral("id"), pickFrom_);  // without a match the position stays
    searchBox().clear();
}

void OperationsList::leavePicker() {
    // The chosen row stays current when the search goes off: the editor reads its base price.
    data::Dataset& o = query();
    const int chosen = o.isEmpty() ? 0 : o.asInt(QStringLiteral("id"));
    o.setFiltered(false);
    if (chosen != 0)
        o.locate(QStringLiteral("id"), chosen);
}

void OperationsList::addNew() {
    editor_->showForNew();
}

void OperationsList::changeCurrent() {
    const data::Dataset& o = query();
    editor_->showForChange(
        {o.asInt(QStringLiteral("i_id")), o.text(QStringLiteral("marka")).trimmed()},
        {o.asInt(QStringLiteral("oper_vid")), o.text(QStringLiteral("vid")).trimmed()},
        o.asInt(QStringLiteral("naimen")), refbooks::shown::operation(o));
}

bool OperationsList::chooseCurrent() {
    const data::Dataset& o = query();
    if (o.isEmpty())
        return false;  // nothing to hand back
    refbooks::OperationChoice choice;
    choice.productId = o.asInt(QStringLiteral("i_id"));
    choice.id = o.asInt(QStringLiteral("id"));
    choice.basePrice = o.asDouble(QStringLiteral("cena"));
    const QString mark =
        db_.readOneRow(ops::productMark(choice.productId),
                       [](const data::Dataset& q) { return q.text(QStringLiteral("marka")); });
    choice.text =
        ops::operationText(mark, o.text(QStringLiteral("vid")), o.asInt(QStringLiteral("naimen")));
    choice_ = choice;
    return true;
}

void OperationsList::removeCurrent() {
    ops::remove(db_, query().asInt(QStringLiteral("id")));
}

QString OperationsList::filterFor(const QString& typed) const {
    return ops::markFilter(typed);
}

void OperationsList::openCurrent() {
    if (!pricesCheck_->isChecked() || mode() == Mode::Picker)
        changeOrChoose();
    else
        openNorms();
}

void OperationsList::openNorms() {
    const data::Dataset& o = query();
    if (o.isEmpty())
        return;  // no operation whose norms could be shown
    norms_->showForOperation(o.asInt(QStringLiteral("id")));
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
        bridge.write(1, 3, sheetRow, ui::shortestFloat(priceList_->valueAt(r, price).toDouble()));
        bridge.write(1, 4, sheetRow, data::productKindText(priceList_->valueAt(r, naimen).toInt()));
    }
    exporting::showWorkbook(bridge.save());
    priceList_->close();
}
