#include "../history/history_plant.h"
#include "../support/test_database.h"
#include "data/change.h"
#include "data/data_module.h"
#include "refbooks/operation_kind_save.h"
#include "refbooks/operation_save.h"
#include "refbooks/product_save.h"
#include "refbooks/worker_save.h"

#include <QList>
#include <cctype>
#include <functional>

namespace {

using Kind = data::Verdict::Kind;

// Every case starts from the small plant of the history tests: worker "Иванов И.И.", product
// "ЯП-1" (1 box), kind "Резка" and its finished-goods operation on the product.
using Books = history_plant::Plant;

struct SaveCase {
    const char* name;
    std::function<data::Verdict(const Books&)> save;
    Kind kind;
    QString message;
    // What is announced when saved: the subject and the row (the verdict's id, or 0 for a row
    // whose id the save does not know).
    data::Subject subject;
    bool keyedById;
};

const SaveCase kCases[] = {
    {"product mark taken, letter case aside",
     [](const Books&) { return refbooks::products::save(testdb::sharedData(), "яп-1", 1, {}); },
     Kind::Duplicate, "Такая марка изделия уже заведена!", data::Subject::Product, false},
    {"kind name taken, letter case aside",
     [](const Books&) { return refbooks::kinds::save(testdb::sharedData(), "РЕЗКА", {}); },
     Kind::Duplicate, "Такая операция уже заведена!", data::Subject::OperationKind, false},
    {"operation combination taken",
     [](const Books& b) {
         return refbooks::operations::save(testdb::sharedData(), {b.kind, 0, b.product}, {});
     },
     Kind::Duplicate, "Операция с такими параметрами уже заведена!", data::Subject::Operation,
     false},
    {"operation added",
     [](const Books& b) {
         return refbooks::operations::save(testdb::sharedData(), {b.kind, 1, b.product}, {});
     },
     Kind::Saved, "", data::Subject::Operation, true},
    {"product changed over the row as loaded",
     [](const Books& b) {
         return refbooks::products::save(
             testdb::sharedData(), "М-11", 3,
             refbooks::LoadedRow{b.product, {{"marka", "ЯП-1"}, {"massa", "1"}}});
     },
     Kind::Saved, "", data::Subject::Product, true},
    {"worker changed elsewhere meanwhile",
     [](const Books& b) {
         return refbooks::workers::save(
             "Петров П.П.", "Цех 2",
             refbooks::LoadedRow{b.worker, {{"fio", "Иванова И.И."}, {"s_staffpos_hl", ""}}});
     },
     Kind::ChangedElsewhere,
     "Запись изменена с другого рабочего места.\nФИО: Иванова И.И. → Иванов И.И.",
     data::Subject::Worker, true},
};

class BookSave : public testdb::DbTest, public ::testing::WithParamInterface<SaveCase> {};

// What the books hold, to tell that a refused save wrote nothing.
QList<QVariantList> books() {
    return testdb::rows(
        "select 'p', id, fio, s_staffpos_hl from accounts_dep.person union all "
        "select 'g', id, s_caption, massa::text from cmn_gds_and_srv.gds_and_srv union all "
        "select 'k', id, vid, '' from accounts_dep.vid_oper union all "
        "select 'o', id, concat(vid, naimen, i_id), '' from accounts_dep.oper order by 1, 2");
}

TEST_P(BookSave, AnswersWithOneVerdictAndAnnouncesOnlyWhatItWrote) {
    const SaveCase& c = GetParam();
    const Books b = history_plant::makePlant();
    const QList<QVariantList> before = books();
    QList<data::Change> heard;
    const QMetaObject::Connection listening =
        QObject::connect(&data::changes(), &data::ChangeFeed::changed,
                         [&](const data::Change& change) { heard.append(change); });
    const data::Verdict verdict = c.save(b);
    QObject::disconnect(listening);
    EXPECT_EQ(verdict.kind, c.kind);
    EXPECT_EQ(verdict.message, c.message);
    if (!verdict.saved()) {
        EXPECT_TRUE(heard.isEmpty());
        EXPECT_EQ(books(), before);
        return;
    }
    EXPECT_NE(books(), before);
    EXPECT_EQ(heard,
              (QList<data::Change>{data::Change::row(c.subject, c.keyedById ? verdict.id : 0)}));
    EXPECT_NE(verdict.id, 0);
}

INSTANTIATE_TEST_SUITE_P(Books, BookSave, ::testing::ValuesIn(kCases), [](const auto& info) {
    std::string name;
    for (const char* p = info.param.name; *p; ++p)
        name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return name;
});

}  // namespace
