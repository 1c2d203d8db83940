// A second workstation for the concurrency tests: saves one entry on its own connection to the
// test database and answers by its exit code (0 saved, 1 refused as a duplicate, 2 failed).
// Arguments: worker product operation price quantity defects hours DD.MM.YYYY shift colour.
#include "data/connection.h"
#include "data/data_module.h"
#include "entry/entry_save.h"

#include <QCoreApplication>
#include <QTextStream>
#include <exception>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() != 11)
        return 2;
    try {
        data::SharedData db;
        db.ADO_DB.open(data::composeConnectionString(qEnvironmentVariable("PLANT_TEST_DB"),
                                                     qEnvironmentVariable("PLANT_TEST_HOST")));
        entry::EntryValues v;
        v.workerId = a[1].toInt();
        v.productId = a[2].toInt();
        v.operationId = a[3].toInt();
        v.price = a[4].toDouble();
        v.quantity = a[5];
        v.defects = a[6];
        v.hours = a[7];
        v.date = QDate::fromString(a[8], QStringLiteral("dd.MM.yyyy"));
        v.shift = a[9].toInt();
        v.colour = a[10].toInt();
        v.inputDate = QDate::currentDate();
        return entry::saveEntry(db, v) == entry::SaveResult::Saved ? 0 : 1;
    } catch (const std::exception& e) {
        QTextStream(stderr) << e.what() << '\n';
        return 2;
    }
}
