#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include "qt_printers.h"

#include <gtest/gtest.h>

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
// The data module alone, connected to the test database.
void openDataModule();
// The whole client started on the test database: every window created, login shown.
void startApp();
void stopApp();

// Empties every table and restarts the identities.
void reset();

// Statements on a separate checking connection (autocommit), independent of the client's.
void exec(const QString& sql);
QVariant scalar(const QString& sql);
QList<QVariantList> rows(const QString& sql);

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
