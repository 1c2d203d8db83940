// An editor that changes one row refuses to write over a change another workstation made after
// the editor loaded the row: nothing is written, the editor stays open, the boxes the user left
// alone show the stored values while the user's own stay, and a second save writes what the
// editor shows: the other workstation's changes and the user's together.
#include "../support/message_log.h"
#include "../support/test_database.h"
#include "../support/widget_driving.h"
#include "data/data_module.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <functional>
#include <ostream>
#include "../support/app_controls.h"
#include "../support/app_windows.h"

using namespace testing_support;

namespace {

int product(const char* mark) {
    return testdb::scalar(QString("insert into cmn_gds_and_srv.gds_and_srv(s_caption, id_msm_bs, "
                                  "massa) values ('%1', 6, 2) returning id")
                              .arg(mark))
        .toInt();
}
int kind(const char* name) {
    return testdb::scalar(
               QString("insert into accounts_dep.vid_oper(vid) values ('%1') returning id")
                   .arg(name))
        .toInt();
}
// An operation of product М-1 and kind "резка" (finished goods) with norm 1 at 12.5; a second
// kind "сварка" stands ready.
int operation() {
    const int cutting = kind("резка");
    kind("сварка");
    const int id = testdb::scalar(QString("insert into accounts_dep.oper(vid, naimen, i_id) "
                                          "values (%1, 0, %2) returning id")
                                      .arg(cutting)
                                      .arg(product("М-1")))
                       .toInt();
    testdb::exec(QString("insert into accounts_dep.norm(o_id, norma, price, prize) values "
                         "(%1, 1, 12.5, 0)")
                     .arg(id));
    return id;
}

// One editor's change. The row is made by seed; the editor is opened on it, the user types, the
// other workstation (a connection of its own) changes the row, and the editor saves twice.
struct ChangedCase {
    const char* name;
    std::function<int()> seed;       // makes the row and gives its id
    const char* otherChange;         // the other workstation's statement, %1 the row's id
    std::string message;             // the refusal, exactly
    const char* stored;              // the row's columns as a statement reading them, %1 the id
    const char* afterOther;          // the row as the other workstation left it
    const char* shownAfterRefusal;   // the editor's boxes (shown()) once the refusal was shown
    const char* afterSecondSave;     // the row once the editor wrote what it shows
    std::function<void()> type;      // the user's typing in the open editor
    std::function<QString()> shown;  // the editor's boxes, "|" between them
    QWidget& (*editor)();            // the editor (or window) that saves with Button1
    std::function<void(const std::function<void()>&)> open;  // opens it and runs the action
};

void PrintTo(const ChangedCase& c, std::ostream* os) {
    *os << c.name;
}

const char* const kChanged = "Запись изменена с другого рабочего места.\n";
const char* const kStoredShown = "\nПоля, которые вы не меняли, показаны с новыми значениями.";
const char* const kYoursKept = "\nГде указано «у вас», повторная запись сохранит ваше значение.";

std::string message(const char* changes, bool stored, bool yours) {
    return std::string(kChanged) + changes + (stored ? kStoredShown : "") +
           (yours ? kYoursKept : "");
}

// Opens the editor from the change button of its list's only row.
template <typename List>
std::function<void(const std::function<void()>&)> fromList(List& (*list)(), QWidget& (*editor)()) {
    return [list, editor](const std::function<void()>& action) {
        ModalScript modal;
        modal.on(&editor(), [&] {
            action();
            return int(QDialog::Rejected);
        });
        modal.on(&list(), [&] {
            control<QPushButton>(list(), "Button2")->click();
            return int(QDialog::Rejected);
        });
        list().showAsReferenceBook();
    };
}

QWidget& workerWindow() {
    return workerEditor();
}
QWidget& productWindow() {
    return productEditor();
}
QWidget& kindWindow() {
    return kindEditor();
}
QWidget& operationWindow() {
    return operationEditor();
}
QWidget& normWindow() {
    return normsWindow();
}

void openProduct(const std::function<void()>& action) {
    ModalScript modal;
    modal.on(&productEditor(), [&] {
        action();
        return int(QDialog::Rejected);
    });
    modal.on(&productsList(), [&] {
        productsList().changeOrChoose();
        return int(QDialog::Rejected);
    });
    productsList().showAsReferenceBook();
}

void inNorms(const std::function<void()>& action) {
    ModalScript modal;
    modal.on(&normsWindow(), [&] {
        action();
        return int(QDialog::Rejected);
    });
    modal.on(&operationsList(), [] {
        pricesCheck()->setChecked(true);
        operationsList().openCurrent();
        pricesCheck()->setChecked(false);
        return int(QDialog::Rejected);
    });
    operationsList().showAsReferenceBook();
}

void retype(QWidget& window, const char* box, const char* text) {
    QLineEdit* edit = control<QLineEdit>(window, box);
    edit->clear();
    typeText(edit, QString::fromUtf8(text));
}

QString boxes(QWidget& window, std::initializer_list<const char*> names) {
    QStringList texts;
    for (const char* name : names) {
        QWidget* w = control<QWidget>(window, name);
        auto* list = qobject_cast<QComboBox*>(w);
        texts << (list ? list->currentText() : static_cast<QLineEdit*>(w)->text());
    }
    return texts.join('|');
}

int worker() {
    return testdb::scalar(
               "insert into accounts_dep.person(fio, s_staffpos_hl) values "
               "('Иванов И.И.', 'Цех 1') returning id")
        .toInt();
}
// The worker, with the plant's departments; the list stands on the worker's own.
int workerWithDepartments() {
    testdb::exec(
        "insert into cmn_department.department(id, s_caption) values "
        "(1, 'Цех 1'), (2, 'Цех 2')");
    return worker();
}

QString normRow() {
    const QTableView* grid = normsGrid();
    return cellOf(grid, 0, "norma").data().toString() + '|' +
           cellOf(grid, 0, "price").data().toString();
}
void typeNormPrice() {
    QTableView* grid = normsGrid();
    grid->model()->setData(cellOf(grid, 0, "price"), 11.0);
}

const ChangedCase kCases[] = {
    {"WorkerDepartmentElsewhereNameHere", workerWithDepartments,
     "update accounts_dep.person set s_staffpos_hl='Цех 2' where id=%1",
     message("Подразделение: Цех 1 → Цех 2", true, false),
     "select fio || '|' || s_staffpos_hl from accounts_dep.person where id=%1", "Иванов И.И.|Цех 2",
     "Иванов Иван|Цех 2", "Иванов Иван|Цех 2",
     [] {
         auto* departments = workerDepartmentList();
         departments->setCurrentIndex(departments->findText("Цех 1"));
         retype(workerEditor(), "Edit1", "Иванов Иван");
     },
     [] {
         return boxes(workerEditor(), {"Edit1", "LCB_department"});
     },
     workerWindow, fromList(&workersList, workerWindow)},
    {"WorkerNameOnBoth", worker, "update accounts_dep.person set fio='Иванов И.П.' where id=%1",
     message("ФИО: Иванов И.И. → Иванов И.П., у вас: Иванов Иван", false, true),
     "select fio || '|' || s_staffpos_hl from accounts_dep.person where id=%1", "Иванов И.П.|Цех 1",
     "Иванов Иван", "Иванов Иван|", [] { retype(workerEditor(), "Edit1", "Иванов Иван"); },
     [] { return boxes(workerEditor(), {"Edit1"}); }, workerWindow,
     fromList(&workersList, workerWindow)},
    {"ProductRateElsewhereMarkHere", [] { return product("М-1"); },
     "update cmn_gds_and_srv.gds_and_srv set massa=2.5 where id=%1",
     message("Расценка: 2 → 2,5", true, false),
     "select s_caption || '|' || massa from cmn_gds_and_srv.gds_and_srv where id=%1", "М-1|2.5",
     "М-2|2,5", "М-2|2.5", [] { retype(productEditor(), "Edit1", "М-2"); },
     [] {
         return boxes(productEditor(), {"Edit1", "Edit2"});
     },
     productWindow, openProduct},
    {"ProductMarkOnBoth", [] { return product("М-1"); },
     "update cmn_gds_and_srv.gds_and_srv set s_caption='М-1А' where id=%1",
     message("Марка: М-1 → М-1А, у вас: М-2", false, true),
     "select s_caption || '|' || massa from cmn_gds_and_srv.gds_and_srv where id=%1", "М-1А|2",
     "М-2|2", "М-2|2", [] { retype(productEditor(), "Edit1", "М-2"); },
     [] {
         return boxes(productEditor(), {"Edit1", "Edit2"});
     },
     productWindow, openProduct},
    {"OperationKindOnBoth", [] { return kind("резка"); },
     "update accounts_dep.vid_oper set vid='резка 2' where id=%1",
     message("Операция: резка → резка 2, у вас: сварка", false, true),
     "select vid from accounts_dep.vid_oper where id=%1", "резка 2", "сварка", "сварка",
     [] { retype(kindEditor(), "Edit1", "сварка"); }, [] { return boxes(kindEditor(), {"Edit1"}); },
     kindWindow, fromList(&kindsList, kindWindow)},
    {"OperationKindElsewhereOnly", [] { return kind("резка"); },
     "update accounts_dep.vid_oper set vid='резка 2' where id=%1",
     message("Операция: резка → резка 2", true, false),
     "select vid from accounts_dep.vid_oper where id=%1", "резка 2", "резка 2", "резка 2", [] {},
     [] { return boxes(kindEditor(), {"Edit1"}); }, kindWindow, fromList(&kindsList, kindWindow)},
    {"OperationKindElsewhereFinishedHere", operation,
     "update accounts_dep.oper set vid=(select id from accounts_dep.vid_oper where "
     "vid='сварка') where id=%1",
     message("Операция: резка → сварка", true, false),
     "select v.vid || '|' || o.naimen from accounts_dep.oper o join accounts_dep.vid_oper v "
     "on v.id=o.vid where o.id=%1",
     "сварка|0", "М-1|сварка|Заготовки", "сварка|1",
     [] { operationProductKindList()->setCurrentIndex(1); },
     [] {
         return boxes(operationEditor(), {"Edit1", "Edit2", "ComboBox1"});
     },
     operationWindow, fromList(&operationsList, operationWindow)},
    {"NormNormElsewherePriceHere", operation, "update accounts_dep.norm set norma=3 where o_id=%1",
     message("Норматив: 1 → 3", true, false),
     "select norma || '|' || price from accounts_dep.norm where o_id=%1", "3|12.5", "3|11,00",
     "3|11", typeNormPrice, normRow, normWindow, inNorms},
    {"NormPriceOnBoth", operation, "update accounts_dep.norm set price=12 where o_id=%1",
     message("Цена: 12,50 → 12,00, у вас: 11,00", false, true),
     "select norma || '|' || price from accounts_dep.norm where o_id=%1", "1|12", "1|11,00", "1|11",
     typeNormPrice, normRow, normWindow, inNorms},
};

class ChangedRow : public testdb::AppTest, public ::testing::WithParamInterface<ChangedCase> {};

TEST_P(ChangedRow, IsRefusedShowingTheStoredFieldsLeftAloneThenWrittenWithTheUsersOwn) {
    const ChangedCase& c = GetParam();
    const int id = c.seed();
    auto stored = [&] { return testdb::scalar(QString(c.stored).arg(id)).toString(); };
    MessageLog log;
    bool stayedOpen = false;
    bool closed = false;
    QString leftByOther;
    QString shownAfterRefusal;
    c.open([&] {
        c.type();
        testdb::exec(QString(c.otherChange).arg(id));
        leftByOther = stored();
        control<QPushButton>(c.editor(), "Button1")->click();
        stayedOpen = c.editor().isVisible();
        shownAfterRefusal = c.shown();
        EXPECT_EQ(stored(), leftByOther) << "nothing written";
        control<QPushButton>(c.editor(), "Button1")->click();
        closed = !c.editor().isVisible();
    });
    EXPECT_EQ(leftByOther, QString::fromUtf8(c.afterOther));
    ASSERT_EQ(log.count(), 1) << log.texts().join("\n").toStdString();
    EXPECT_EQ(log.messages().first().text, QString::fromStdString(c.message));
    EXPECT_EQ(log.messages().first().caption, "Ошибка");
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(shownAfterRefusal, QString::fromUtf8(c.shownAfterRefusal));
    EXPECT_TRUE(closed);
    EXPECT_EQ(stored(), QString::fromUtf8(c.afterSecondSave));
}

INSTANTIATE_TEST_SUITE_P(Editors, ChangedRow, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
