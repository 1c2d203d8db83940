#include "history_plant.h"

#include "../support/test_database.h"

#include <QProcess>

namespace history_plant {

Plant makePlant() {
    Plant p{};
    p.worker = testdb::scalar(
                   "insert into accounts_dep.person(fio) values ('Иванов И.И.') "
                   "returning id")
                   .toInt();
    p.product = testdb::scalar(
                    "insert into cmn_gds_and_srv.gds_and_srv(s_caption, id_msm_bs, "
                    "massa) values ('ЯП-1', 6, 1) returning id")
                    .toInt();
    p.kind = testdb::scalar("insert into accounts_dep.vid_oper(vid) values ('Резка') returning id")
                 .toInt();
    p.operation = testdb::scalar(QStringLiteral("insert into accounts_dep.oper(vid, naimen, i_id, "
                                                "cena_new) values (%1, 0, %2, 0) returning id")
                                     .arg(p.kind)
                                     .arg(p.product))
                      .toInt();
    p.norm = testdb::scalar(QStringLiteral("insert into accounts_dep.norm(o_id, norma, price) "
                                           "values (%1, 100, 1.5) returning id")
                                .arg(p.operation))
                 .toInt();
    testdb::exec("TRUNCATE accounts_dep.change_log RESTART IDENTITY");
    return p;
}

void psql(const QStringList& args) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PGPASSWORD", "tavirok");
    process.setProcessEnvironment(env);
    process.start("psql", QStringList{"-X", "-q", "-v", "ON_ERROR_STOP=1", "-h", testdb::host(),
                                      "-U", "sys", "-d", testdb::databaseName()}
                              << args);
    ASSERT_TRUE(process.waitForFinished(60000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
}

}  // namespace history_plant
