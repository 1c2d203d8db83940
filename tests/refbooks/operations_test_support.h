#pragma once

#include "../support/message_log.h"
#include "../support/test_database.h"
#include "ui/modal.h"

#include <QAbstractItemModel>
#include <QDialog>
#include <QMap>
#include <QStringList>
#include <QTableView>
#include <functional>

namespace operations_test {

// Answers modal showings: a window with a scripted action runs it, any other is cancelled.
class ModalScript {
public:
    ModalScript() {
        ui::setModalHook([this](QWidget* w) {
            shown << w->objectName();
            const auto action = actions_.value(w);
            return action ? action() : int(QDialog::Rejected);
        });
    }
    ~ModalScript() { ui::clearModalHook(); }
    void on(QWidget* window, std::function<int()> action) { actions_[window] = std::move(action); }
    QStringList shown;

private:
    QMap<QWidget*, std::function<int()>> actions_;
};

inline int product(const QString& mark) {
    return testdb::scalar(QStringLiteral("insert into cmn_gds_and_srv.gds_and_srv(s_caption, "
                                         "id_msm_bs) values ('%1', 6) returning id")
                              .arg(mark))
        .toInt();
}
inline int kind(const QString& name) {
    return testdb::scalar(
               QStringLiteral("insert into accounts_dep.vid_oper(vid) values ('%1') returning id")
                   .arg(name))
        .toInt();
}
inline int operation(int izdel, int vid, int naimen, double cenaNew = 0) {
    return testdb::scalar(QStringLiteral("insert into accounts_dep.oper(vid, naimen, i_id, "
                                         "cena_new) values (%1, %2, %3, %4) returning id")
                              .arg(vid)
                              .arg(naimen)
                              .arg(izdel)
                              .arg(cenaNew))
        .toInt();
}
inline void norm(int operId, int norma, double price) {
    testdb::exec(QStringLiteral("insert into accounts_dep.norm(o_id, norma, price, prize) values "
                                "(%1, %2, %3, 0)")
                     .arg(operId)
                     .arg(norma)
                     .arg(price));
}

inline QStringList columnTexts(const QTableView* grid, int column) {
    QStringList out;
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        out << grid->model()->index(r, column).data().toString();
    return out;
}

}  // namespace operations_test
