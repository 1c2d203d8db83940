#include "refbooks/workers_list.h"

#include "data/book_fields.h"
#include "data/data_module.h"
#include "refbooks/shown_rows.h"
#include "refbooks/worker_editor.h"
#include "refbooks/worker_save.h"
#include "refbooks/workers_statements.h"

namespace {
refbooks::ReferenceList::Setup workersSetup(data::SharedData& db) {
    return {.objectName = "Form5",
            .caption = QStringLiteral("Список рабочих"),
            .query = *db.workers,
            .columns = views::Columns(data::gridColumns(data::workerFields())),
            .deleteQuestion = QStringLiteral("Удалить работника?"),
            .size = QSize(640, 480),
            .follows = {data::Subject::Worker}};
}
}  // namespace

refbooks::WorkersList::WorkersList(data::SharedData& db, QWidget* parent)
    : ReferenceList(workersSetup(db), parent),
      editor_(std::make_unique<refbooks::WorkerEditor>()) {}

refbooks::WorkersList::~WorkersList() = default;

std::optional<refbooks::WorkerChoice> refbooks::WorkersList::pick() {
    return showAsPicker(choice_);
}

void refbooks::WorkersList::addNew() {
    editor_->showForNew();
    query().reopen();
}

void refbooks::WorkersList::changeCurrent() {
    data::Dataset& w = query();
    const int row = w.recNo();
    editor_->showForChange(w.text(QStringLiteral("fio")).trimmed(), w.asInt(QStringLiteral("id")),
                           refbooks::shown::worker(w));
    w.reopenAt(row);
}

bool refbooks::WorkersList::chooseCurrent() {
    const data::Dataset& w = query();
    if (!w.isEmpty())
        choice_ = refbooks::WorkerChoice{w.asInt(QStringLiteral("id")),
                                         w.text(QStringLiteral("fio")).trimmed()};
    return true;  // closes with or without a worker
}

void refbooks::WorkersList::removeCurrent() {
    refbooks::workers::remove(query().asInt64(QStringLiteral("id")));
}

QString refbooks::WorkersList::filterFor(const QString& typed) const {
    return refbooks::workers::nameFilter(typed);
}
