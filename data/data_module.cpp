#include "data/data_module.h"

#include "data/shared_statements.h"

namespace data {

namespace {
Dataset* makeQuery(QObject* owner, const char* name, const QString& sql) {
    auto* q = new Dataset(QString::fromLatin1(name), owner);
    q->setSql(sql);
    return q;
}
}  // namespace

SharedData::SharedData(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("DataModule6"));
    namespace st = statements;
    Workers = makeQuery(this, "Workers", st::workers());
    Izdel = makeQuery(this, "Izdel", st::izdel());
    Oper = makeQuery(this, "Oper", st::oper());
    Vid_oper = makeQuery(this, "Vid_oper", st::vidOper());
    Smena1 = makeQuery(this, "Smena1", st::smena(1));
    Smena2 = makeQuery(this, "Smena2", st::smena(2));
    Smena3 = makeQuery(this, "Smena3", st::smena(3));
    Smena4 = makeQuery(this, "Smena4", st::smena(4));
    H_Tabel_1 = makeQuery(this, "H_Tabel_1", st::hTabel(1));
    H_Tabel_2 = makeQuery(this, "H_Tabel_2", st::hTabel(2));
    H_Tabel_3 = makeQuery(this, "H_Tabel_3", st::hTabel(3));
    Control = makeQuery(this, "Control", QString());
    Oper_del.setSql(st::operDel());

    // Reference books write through their queries, by id.
    Izdel->setUpdateTable(QStringLiteral("accounts_dep.izdel"));
    Vid_oper->setUpdateTable(QStringLiteral("accounts_dep.vid_oper"));
    Workers->setUpdateTable(QStringLiteral("accounts_dep.person"));
}

Dataset* SharedData::journalOf(int shift) const {
    switch (shift) {
        case 2:
            return Smena2;
        case 3:
            return Smena3;
        case 4:
            return Smena4;
        default:
            return Smena1;
    }
}

Dataset* SharedData::timesheetOf(int shift) const {
    switch (shift) {
        case 2:
            return H_Tabel_2;
        case 3:
            return H_Tabel_3;
        default:
            return H_Tabel_1;
    }
}

Dataset& SharedData::runControl(const QString& sql) {
    Control->close();
    Control->setSql(sql);
    Control->open();
    return *Control;
}

qint64 SharedData::controlCount(const QString& sql) {
    return readControl(sql, [](const Dataset& q) { return q.asInt64(QStringLiteral("cnt")); });
}

bool SharedData::CheckDuplicate(const QString& sql) {
    return controlCount(sql) > 0;
}

}  // namespace data
