#include "refbooks/operation_kinds_list.h"

#include "data/book_fields.h"
#include "data/data_module.h"
#include "refbooks/operation_kind_editor.h"
#include "refbooks/operation_kinds_statements.h"
#include "refbooks/shown_rows.h"

namespace {
refbooks::ReferenceList::Setup kindsSetup(data::SharedData& db) {
    using List = refbooks::ReferenceList;
    return {.objectName = "Form8",
            .caption = QStringLiteral("Виды операций"),
            .query = *db.operationKinds,
            .columns = views::Columns(data::gridColumns(data::operationKindFields())),
            .deleteQuestion = QStringLiteral("Удалить вид операции?"),
            .searchBox = List::SearchBox::InPicker,
            .searchPlace = List::SearchPlace::BelowGrid,
            .afterDeletion = List::AfterDeletion::FirstRow,
            .size = QSize(420, 460),
            .sizing = List::Sizing::Resizable,
            .follows = {data::Subject::OperationKind}};
}
}  // namespace

refbooks::OperationKindsList::OperationKindsList(data::SharedData& db, QWidget* parent)
    : ReferenceList(kindsSetup(db), parent),
      editor_(std::make_unique<refbooks::OperationKindEditor>(db)) {}

refbooks::OperationKindsList::~OperationKindsList() = default;

std::optional<refbooks::KindChoice> refbooks::OperationKindsList::pick() {
    return showAsPicker(choice_);
}

void refbooks::OperationKindsList::addNew() {
    editor_->showForNew();
}

void refbooks::OperationKindsList::changeCurrent() {
    const data::Dataset& k = query();
    editor_->showForChange(k.text(QStringLiteral("vid")).trimmed(), refbooks::shown::kind(k));
}

bool refbooks::OperationKindsList::chooseCurrent() {
    const data::Dataset& k = query();
    // An empty list hands back an empty name and id 0.
    choice_ = refbooks::KindChoice{k.asInt(QStringLiteral("id")),
                                   k.text(QStringLiteral("vid")).trimmed()};
    return true;
}

QString refbooks::OperationKindsList::filterFor(const QString& typed) const {
    return refbooks::kinds::nameFilter(typed);
}
