#pragma once

#include "../support/message_log.h"
#include "../support/test_database.h"
#include "../support/widget_driving.h"

#include <QString>

namespace operations_test {

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
inline int operation(int productId, int kindId, int productKind, double basePrice = 0) {
    return testdb::scalar(QStringLiteral("insert into accounts_dep.oper(vid, naimen, i_id, "
                                         "cena_new) values (%1, %2, %3, %4) returning id")
                              .arg(kindId)
                              .arg(productKind)
                              .arg(productId)
                              .arg(basePrice))
        .toInt();
}
inline void norm(int operationId, int normQuantity, double price) {
    testdb::exec(QStringLiteral("insert into accounts_dep.norm(o_id, norma, price, prize) values "
                                "(%1, %2, %3, 0)")
                     .arg(operationId)
                     .arg(normQuantity)
                     .arg(price));
}

}  // namespace operations_test
