#include "refbooks/products_list.h"

#include "data/book_fields.h"
#include "data/data_module.h"
#include "refbooks/product_editor.h"
#include "refbooks/products_statements.h"
#include "refbooks/shown_rows.h"
#include "ui/format.h"

namespace {
refbooks::ReferenceList::Setup productsSetup(data::SharedData& db) {
    using List = refbooks::ReferenceList;
    return {.objectName = "Form3",
            .caption = QStringLiteral("Изделия"),
            .query = *db.products,
            .columns = views::Columns(data::gridColumns(data::productFields())),
            .deleteQuestion = QStringLiteral("Удалить изделие?"),
            .searchKeys = refbooks::ListSearchKeys::Mode::ArrowsOnly,
            .searchBox = List::SearchBox::InPicker,
            .searchPlace = List::SearchPlace::BelowGrid,
            .changeButton = List::ChangeButton::Hidden,
            .size = QSize(460, 480),
            .follows = {data::Subject::Product}};
}
}  // namespace

refbooks::ProductsList::ProductsList(data::SharedData& db, QWidget* parent)
    : ReferenceList(productsSetup(db), parent),
      editor_(std::make_unique<refbooks::ProductEditor>(db)) {}

refbooks::ProductsList::~ProductsList() = default;

std::optional<refbooks::ProductChoice> refbooks::ProductsList::pick() {
    return showAsPicker(choice_);
}

void refbooks::ProductsList::addNew() {
    const int row = query().recNo();
    editor_->showForNew();
    query().setRecNo(row);
}

void refbooks::ProductsList::changeCurrent() {
    data::Dataset& p = query();
    const int row = p.recNo();
    editor_->showForChange(p.text(QStringLiteral("marka")).trimmed(),
                           ui::shortestFloatOrEmpty(p.value(QStringLiteral("massa"))).trimmed(),
                           refbooks::shown::product(p));
    p.setRecNo(row);
}

bool refbooks::ProductsList::chooseCurrent() {
    const data::Dataset& p = query();
    // An empty list hands back an empty mark and id 0.
    choice_ = refbooks::ProductChoice{p.asInt(QStringLiteral("id")),
                                      p.text(QStringLiteral("marka")).trimmed()};
    return true;
}

QString refbooks::ProductsList::filterFor(const QString& typed) const {
    return refbooks::products::markFilter(typed);
}
