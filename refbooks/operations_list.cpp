#include "refbooks/operations_list.h"

#include "data/book_fields.h"
#include "data/data_module.h"
#include "export/spreadsheet_bridge.h"
#include "export/workbook_display.h"
#include "refbooks/norms_window.h"
#include "refbooks/operation_editor.h"
#include "refbooks/operation_save.h"
#include "refbooks/operations_statements.h"
#include "refbooks/price_list_export.h"
#include "refbooks/shown_rows.h"
#include "reports/watched_work.h"
#include "ui/controls.h"
#include "ui/error_display.h"
#include "ui/format.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

namespace ops = refbooks::operations;

namespace {

refbooks::ReferenceList::Setup operationsSetup(data::SharedData& db) {
    return {.objectName = "Form4",
            .caption = QStringLiteral("Операции"),
            .query = *db.operations,
            .columns = views::Columns(data::gridColumns(data::operationFields())),
            .deleteQuestion = QStringLiteral("Удалить операцию?"),
            .searchBox = refbooks::ReferenceList::SearchBox::UntilFirstPick,
            .size = QSize(800, 520),
            // Its rows show the product's mark, the kind's name and the norms' price and norm.
            .follows = {data::Subject::Operation, data::Subject::Norm, data::Subject::Product,
                        data::Subject::OperationKind}};
}
}  // namespace

refbooks::OperationsList::OperationsList(data::SharedData& db, refbooks::ProductsList& products,
                                         refbooks::OperationKindsList& kinds, QWidget* parent)
    : ReferenceList(operationsSetup(db), parent),
      db_(db),
      editor_(std::make_unique<refbooks::OperationEditor>(db, products, kinds)),
      norms_(std::make_unique<refbooks::NormsWindow>(db)) {
    priceList_ = new data::Dataset(QStringLiteral("XLS_Rep"), this);
    priceList_->setSql(ops::priceList());
    priceList_->setReadInParts(true);  // so that "Отмена" stops the server's statement

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

refbooks::OperationsList::~OperationsList() = default;

std::optional<refbooks::OperationChoice> refbooks::OperationsList::pick(int operationId) {
    pickFrom_ = operationId;
    return showAsPicker(choice_);
}

void refbooks::OperationsList::openForPicker() {
    data::Dataset& o = query();
    o.open();
    if (pickFrom_ == 0)
        o.first();
    else
        o.locate(QStringLiteral("id"), pickFrom_);  // without a match the position stays
    searchBox().clear();
}

void refbooks::OperationsList::leavePicker() {
    // The chosen row stays current when the search goes off: the editor reads its base price.
    data::Dataset& o = query();
    const int chosen = o.isEmpty() ? 0 : o.asInt(QStringLiteral("id"));
    o.setFiltered(false);
    if (chosen != 0)
        o.locate(QStringLiteral("id"), chosen);
}

void refbooks::OperationsList::addNew() {
    editor_->showForNew();
}

void refbooks::OperationsList::changeCurrent() {
    const data::Dataset& o = query();
    editor_->showForChange(
        {o.asInt(QStringLiteral("i_id")), o.text(QStringLiteral("marka")).trimmed()},
        {o.asInt(QStringLiteral("oper_vid")), o.text(QStringLiteral("vid")).trimmed()},
        o.asInt(QStringLiteral("naimen")), refbooks::shown::operation(o));
}

bool refbooks::OperationsList::chooseCurrent() {
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

void refbooks::OperationsList::removeCurrent() {
    ops::remove(db_, query().asInt(QStringLiteral("id")));
}

QString refbooks::OperationsList::filterFor(const QString& typed) const {
    return ops::markFilter(typed);
}

void refbooks::OperationsList::openCurrent() {
    if (!pricesCheck_->isChecked() || mode() == Mode::Picker)
        changeOrChoose();
    else
        openNorms();
}

void refbooks::OperationsList::openNorms() {
    const data::Dataset& o = query();
    if (o.isEmpty())
        return;  // no operation whose norms could be shown
    norms_->showForOperation(o.asInt(QStringLiteral("id")));
}

void refbooks::OperationsList::exportPriceList() {
    QString saved;
    if (!reports::runWatched(this, QStringLiteral("Прейскурант"),
                             [&](printing::WorkProgress& watch) {
                                 priceList_->close();
                                 priceList_->open(&watch);
                                 const data::CloseAtScopeEnd closer(*priceList_);
                                 saved = refbooks::writePriceList(*priceList_, workbook_, &watch);
                             }))
        return;
    exporting::showWorkbook(saved);
}
