#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include "qt_printers.h"

#include <gtest/gtest.h>

namespace data {
class SharedData;
}

// The test programs' database: a copy of plant_template on the throwaway cluster, one per program.
namespace testdb {

QString host();
QString databaseName();
// The command line the client would get for the test database.
QStringList appArgs();
// A loopback address of this test host's own, for a server a test starts or fakes itself:
// 127.0.<n>.<last part of the test host>, so test runs on other test hosts never meet.
QString spareHost(int n);

// Creates this program's database afresh (once per process).
void ensureDatabase();
// The shared data alone, connected to the test database.
void openDataModule();
// The running client's shared data, or the one openDataModule made.
data::SharedData& sharedData();
// The whole client started on the test database: every window created, login shown.
void startApp();
void stopApp();

// A database of the test cluster made afresh from one of its templates: plant_original (the
// original schema alone, as a plant's database before the upgrade) or plant_template.
void makeDatabase(const QString& name, const QString& templateName);
// A connection of its own (autocommit) to a database of the test cluster, opened once.
QSqlDatabase openConnection(const QString& connectionName, const QString& database);

// Empties every table and restarts the identities.
void reset();

// Statements on a separate checking connection (autocommit), independent of the client's.
void exec(const QString& sql);
QVariant scalar(const QString& sql);
QList<QVariantList> rows(const QString& sql);
// The rows of sql on a connection of a test's own (the statement must succeed).
QList<QVariantList> rowsOn(QSqlDatabase db, const QString& sql);
// The rows an executed query holds.
QList<QVariantList> rowsOf(QSqlQuery q);

// Fixture: data module connected, tables empty.
class DbTest : public ::testing::Test {
protected:
    void SetUp() override;
};

// Fixture: the whole client started once per program, tables empty before each test.
class AppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

}  // namespace testdb
