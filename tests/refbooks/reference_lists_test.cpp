#include "../support/message_log.h"
#include "../support/test_database.h"
#include "../support/widget_driving.h"
#include "data/data_module.h"
#include "refbooks/reference_list.h"

#include <QStringList>
#include <optional>
#include "../support/app_controls.h"
#include "../support/app_windows.h"

using namespace testing_support;

namespace {

// The four reference lists share their base (deletion, an empty list): each row of the table is
// one list with its rows, tried the same way.
struct ListCase {
    const char* name;
    refbooks::ReferenceList& (*list)();
    data::Dataset* data::SharedData::*query;
    const char* seed;      // the rows the list shows (in its order: a, b, c ...)
    const char* question;  // asked before a deletion
    const char* field;     // shows which row is current
    // The row the list shows on the deleted second row's number; the operation kinds' list
    // reopens on its first row instead.
    std::optional<QString> shownAfter;
    const char* stored;  // the stored rows as text
    QStringList storedAfter;
    const char* shown;  // the list as ModalScript records it
};

refbooks::ReferenceList& workers() {
    return workersList();
}
refbooks::ReferenceList& products() {
    return productsList();
}
refbooks::ReferenceList& kinds() {
    return kindsList();
}
refbooks::ReferenceList& operations() {
    return operationsList();
}

const ListCase kLists[] = {
    {"workers",
     workers,
     &data::SharedData::workers,
     "insert into accounts_dep.person(fio, s_staffpos_hl) values ('Иванов И.И.', 'Цех 1'), "
     "('Ивлев П.С.', 'Цех 2'), ('О''Брайен Д.', ''), ('Петров А.А.', 'Цех 1')",
     "Удалить работника?",
     "fio",
     "О'Брайен Д.",
     // the person register follows the workers
     "(select fio || '|' || s_staffpos_hl from accounts_dep.person order by id) "
     "union all select 'register ' || count(*) from cmn_contractor.person",
     {"Иванов И.И.|Цех 1", "О'Брайен Д.|", "register 2"},
     "Form5: Список рабочих"},
    {"products",
     products,
     &data::SharedData::products,
     "insert into cmn_gds_and_srv.gds_and_srv(s_caption, s_description, id_msm_bs, massa) "
     "values ('КРАСКА', '', 6, 2.5), ('М-10', '', 6, 12), ('М-20', '', 6, 4), "
     "('чужой товар', '', 1, 1)",
     "Удалить изделие?",
     "marka",
     "М-20",
     "select id || '|' || s_caption || '|' || massa from cmn_gds_and_srv.gds_and_srv order by id",
     {"1|КРАСКА|2.5", "4|чужой товар|1"},
     "Form3: Изделия"},
    {"operation kinds",
     kinds,
     &data::SharedData::operationKinds,
     "insert into accounts_dep.vid_oper(vid) values ('Покраска'), ('КРАСКА'), ('Резка')",
     "Удалить вид операции?",
     "vid",
     std::nullopt,
     "select id || '|' || vid from accounts_dep.vid_oper order by id",
     {"2|КРАСКА"},
     "Form8: Виды операций"},
    {"operations",
     operations,
     &data::SharedData::operations,
     "insert into cmn_gds_and_srv.gds_and_srv(s_caption, id_msm_bs) values ('М-1', 6), "
     "('М-2', 6);"
     "insert into accounts_dep.vid_oper(vid) values ('резка'), ('краска');"
     "insert into accounts_dep.oper(vid, naimen, i_id) values (2, 1, 1), (1, 0, 1), (2, 1, 2);"
     "insert into accounts_dep.norm(o_id, norma, price) values (1, 1, 3), (2, 1, 12.5), "
     "(3, 1, 3)",
     "Удалить операцию?",
     "marka",
     "М-2",
     "select vid || '|' || naimen || '|' || i_id from accounts_dep.oper order by id",
     {"2|1|1"},
     "Form4: Операции"},
};

class ReferenceLists : public testdb::AppTest {};

TEST_F(ReferenceLists, DeleteAsksThenDeletesKeepingTheRowNumberAndAnEmptyListDoesNothing) {
    for (const ListCase& c : kLists) {
        SCOPED_TRACE(c.name);
        testdb::reset();
        searchBoxOf(c.list())->clear();  // a search other tests typed stays with the list
        testdb::exec(c.seed);
        MessageLog log;
        log.answerNext(ui::Answer::No);
        ModalScript script;
        script.on(&c.list(), [&] {
            data::Dataset& rows = *(testdb::sharedData().*c.query);
            const int count = rows.recordCount();
            rows.setRecNo(2);
            c.list().deleteRow();  // answered No
            EXPECT_EQ(rows.recordCount(), count);
            c.list().deleteRow();
            EXPECT_EQ(rows.recordCount(), count - 1);
            if (c.shownAfter) {
                EXPECT_EQ(rows.recNo(), 2);
                EXPECT_EQ(rows.text(QString::fromLatin1(c.field)), *c.shownAfter);
            }
            rows.last();
            c.list().deleteRow();
            EXPECT_EQ(rows.recordCount(), count - 2);
            return int(QDialog::Rejected);
        });
        c.list().showAsReferenceBook();
        ASSERT_EQ(log.count(), 3);
        for (const auto& asked : log.messages()) {
            EXPECT_EQ(asked.text, c.question);
            EXPECT_EQ(asked.caption, "Удаление");
            EXPECT_EQ(asked.icon, ui::Icon::Question);
            EXPECT_EQ(asked.buttons, ui::Buttons::YesNo);
        }
        QStringList stored;
        for (const auto& r : testdb::rows(c.stored))
            stored << r[0].toString();
        EXPECT_EQ(stored, c.storedAfter);

        testdb::reset();
        log.clear();
        script.shown.clear();
        script.on(&c.list(), [&] {
            c.list().changeOrChoose();
            c.list().deleteRow();
            return int(QDialog::Rejected);
        });
        c.list().showAsReferenceBook();
        EXPECT_EQ(log.count(), 0);
        EXPECT_EQ(script.shown, QStringList{c.shown});
    }
}

}  // namespace
