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
    workers = makeQuery(this, "Workers", st::workers());
    products = makeQuery(this, "Izdel", st::products());
    operations = makeQuery(this, "Oper", st::operations());
    operationKinds = makeQuery(this, "Vid_oper", st::operationKinds());
    for (int shift = 1; shift <= 4; ++shift)
        journals_[shift - 1] = makeQuery(
            this, QStringLiteral("Smena%1").arg(shift).toLatin1().constData(), st::journal(shift));
    for (int shift = 1; shift <= 3; ++shift)
        timesheets_[shift - 1] =
            makeQuery(this, QStringLiteral("H_Tabel_%1").arg(shift).toLatin1().constData(),
                      st::shiftTimesheet(shift));
    scratch = makeQuery(this, "Control", QString());
    operationDeletion.setSql(st::deleteOperation());

    // Reference books write through their queries, by id, and announce what they wrote.
    products->setUpdateTable(QStringLiteral("accounts_dep.izdel"));
    products->setChangeSubject(Subject::Product);
    operationKinds->setUpdateTable(QStringLiteral("accounts_dep.vid_oper"));
    operationKinds->setChangeSubject(Subject::OperationKind);
    workers->setUpdateTable(QStringLiteral("accounts_dep.person"));
    workers->setChangeSubject(Subject::Worker);
}

Dataset* SharedData::journalOf(int shift) const {
    return journals_[shift >= 1 && shift <= 4 ? shift - 1 : 0];
}

Dataset* SharedData::timesheetOf(int shift) const {
    return timesheets_[shift >= 1 && shift <= 3 ? shift - 1 : 0];
}

Dataset& SharedData::runOneRow(const QString& sql) {
    scratch->close();
    scratch->setSql(sql);
    scratch->open();
    return *scratch;
}

qint64 SharedData::countOf(const QString& sql) {
    return readOneRow(sql, [](const Dataset& q) { return q.asInt64(QStringLiteral("cnt")); });
}

bool SharedData::countsAnyRow(const QString& sql) {
    return countOf(sql) > 0;
}

}  // namespace data
