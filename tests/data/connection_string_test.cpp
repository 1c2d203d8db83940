#include "data/connection.h"

#include "../support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

const QString kOptions = QStringLiteral(
    ";PORT=5432;UID=sys;PWD=tavirok;SSLmode=allow;"
    "ReadOnly=0;Protocol=7.4;FakeOidIndex=0;ShowOidColumn=0;RowVersioning=0;ShowSystemTables=0;"
    "Fetch=100;UnknownSizes=0;MaxVarcharSize=255;MaxLongVarcharSize=8190;"
    "Debug=0;CommLog=0;UseDeclareFetch=0;TextAsLongVarchar=1;UnknownsAsLongVarchar=0;"
    "BoolsAsChar=1;Parse=0;ExtraSysTablePrefixes=;LFConversion=1;UpdatableCursors=1;"
    "TrueIsMinus1=0;BI=0;ByteaAsLongVarBinary=1;UseServerSidePrepare=1;LowerCaseIdentifier=0;"
    "D6=-101;OptionalErrors=0;XaOpt=1");

struct Case {
    const char* name;
    QString arg1, arg2;
    QString database, server;
};

TEST(ConnectionString, ArgumentPrecedenceAndVerbatimSplicing) {
    const QString builtIn = QStringLiteral("db.plant.local");
    const Case cases[] = {
        {"no arguments", {}, {}, "plantdb", builtIn},
        {"argument 1 only is ignored", "shopdb", {}, "plantdb", builtIn},
        {"argument 2 only", {}, "10.1.2.3", "", "10.1.2.3"},
        {"both", "shopdb", "srv01", "shopdb", "srv01"},
        {"semicolon kept verbatim", "a;PORT=1", "srv;x", "a;PORT=1", "srv;x"},
    };
    for (const Case& c : cases) {
        const QString expected = QStringLiteral("DRIVER={PostgreSQL UNICODE};DATABASE=") +
                                 c.database + QStringLiteral(";SERVER=") + c.server + kOptions;
        EXPECT_EQ(data::composeConnectionString(c.arg1, c.arg2, builtIn), expected) << c.name;
    }
}

TEST(ConnectionString, HasNoTrailingSemicolon) {
    EXPECT_FALSE(data::composeConnectionString("a", "b").endsWith(';'));
}

}  // namespace
