#include "export/spreadsheet_bridge.h"
#include "../support/message_log.h"
#include "../support/small_filesystem.h"
#include "../support/xlsx_readback.h"
#include "export/workbook_check.h"
#include "ui/error_display.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <clocale>
#include <string>

#include <gtest/gtest.h>

namespace {

using testing_support::MessageLog;
using testing_support::SmallFilesystem;
using xlsx_readback::readSheet;

// The stop an export step throws; the test fails when it throws none.
template <typename Step>
exporting::ExportError stopOf(Step step) {
    try {
        step();
    } catch (const exporting::ExportError& e) {
        return e;
    }
    ADD_FAILURE() << "the step did not stop";
    return exporting::ExportError({}, {});
}

// The bridges the windows own: the reports' (price list, production summary) and the timesheet's.
SpreadsheetBridge reportBridge() {
    return SpreadsheetBridge(QStringLiteral("Отчет"));
}
SpreadsheetBridge timesheetBridge() {
    return SpreadsheetBridge(QStringLiteral("Табель"));
}

// Each test saves into a folder of its own.
class BridgeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        previous_ = qgetenv("PLANT_EXPORT_DIR");
        qputenv("PLANT_EXPORT_DIR", folder_.path().toUtf8());
        qputenv("PLANT_NO_LAUNCH", "1");
    }
    void TearDown() override { qputenv("PLANT_EXPORT_DIR", previous_); }

    QStringList savedFiles() const { return QDir(folder_.path()).entryList(QDir::Files); }

    QTemporaryDir folder_;
    QByteArray previous_;
};

TEST_F(BridgeTest, ReportCellsBecomeNumbersOrTextsAsTyped) {
    MessageLog log;
    SpreadsheetBridge bridge = reportBridge();
    bridge.open();
    const struct {
        const char* text;
        QVariant expected;
    } cases[] = {
        {"Марка", "Марка"},
        {"007", 7.0},
        {"12,5", 12.5},
        {"-3", -3.0},
        {"12.5", "12.5"},
        {"01.12.2026", "01.12.2026"},
        {"Готовая продукция", "Готовая продукция"},
    };
    int row = 1;
    for (const auto& c : cases)
        bridge.write(1, 2, row++, QString::fromUtf8(c.text));
    bridge.write(1, 3, 1, "");  // empty text writes nothing
    const QString path = bridge.save();

    EXPECT_EQ(log.count(), 0) << log.texts().join("|").toStdString();
    EXPECT_EQ(path, bridge.lastSavedPath());
    EXPECT_EQ(QFileInfo(path).absolutePath(), QFileInfo(folder_.path()).absoluteFilePath());
    EXPECT_TRUE(QFileInfo(path).fileName().startsWith("Отчет 20")) << path.toStdString();
    EXPECT_EQ(savedFiles().size(), 1);

    const auto sheet = readSheet(path);
    row = 1;
    for (const auto& c : cases)
        EXPECT_EQ(sheet.cell(row++, 2).value, c.expected) << c.text;
    EXPECT_FALSE(sheet.cell(1, 3).value.isValid());
    EXPECT_EQ(sheet.maxColumn(), 2);
    EXPECT_EQ(xlsx_readback::sheetCount(path), 1);
}

// The C library's numeric locale set from the environment, as Qt does at start-up, for one test.
class CNumericLocale {
public:
    explicit CNumericLocale(const char* name) : previous_(std::setlocale(LC_NUMERIC, nullptr)) {
        set_ = std::setlocale(LC_NUMERIC, name) != nullptr;
    }
    ~CNumericLocale() { std::setlocale(LC_NUMERIC, previous_.constData()); }
    bool set() const { return set_; }

private:
    QByteArray previous_;
    bool set_ = false;
};

// Fractional values, a fitted column and the page margins: every number libxlsxwriter prints.
QString writeFractions(SpreadsheetBridge& bridge) {
    bridge.open();
    bridge.write(1, 1, 1, "Цена");
    bridge.write(1, 2, 1, "0,25");
    bridge.write(1, 2, 2, "20,544");
    bridge.write(1, 3, 1, "Иванов Иван Иванович", {.fitColumn = true});
    return bridge.save();
}

TEST_F(BridgeTest, AWorkbookIsTheSameWhateverTheWorkstationsLocale) {
    SpreadsheetBridge bridge = reportBridge();
    const QString inC = writeFractions(bridge);
    QString inRussian;
    {
        const CNumericLocale russian("ru_RU.UTF-8");
        ASSERT_TRUE(russian.set()) << "the locale ru_RU.UTF-8 is not generated on this machine";
        ASSERT_EQ(std::localeconv()->decimal_point, std::string(","));
        inRussian = writeFractions(bridge);
    }
    auto c = xlsx_readback::parts(inC);
    auto russian = xlsx_readback::parts(inRussian);
    ASSERT_FALSE(c.isEmpty());
    EXPECT_TRUE(russian.value("xl/worksheets/sheet1.xml").contains("<v>0.25</v>"));
    EXPECT_TRUE(russian.value("xl/worksheets/sheet1.xml").contains("left=\"0.7\""));
    // Only the time of writing differs.
    c.remove("docProps/core.xml");
    russian.remove("docProps/core.xml");
    EXPECT_EQ(russian.keys(), c.keys());
    for (auto it = c.cbegin(); it != c.cend(); ++it)
        EXPECT_TRUE(russian.value(it.key()) == it.value()) << it.key().toStdString();
    const auto sheet = readSheet(inRussian);
    EXPECT_EQ(sheet.cell(1, 2).value, QVariant(0.25));
    EXPECT_EQ(sheet.cell(2, 2).value, QVariant(20.544));
}

TEST(NumericLocale, TheScreenKeepsTheCommaWhileOtherProgramsGetAPoint) {
    // The tests run as a Russian workstation does (LANG=ru_RU.UTF-8) in the client's application.
    EXPECT_EQ(QLocale::system().decimalPoint(), QStringLiteral(","));
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    EXPECT_STREQ(std::localeconv()->decimal_point, ".");
}

TEST_F(BridgeTest, TimesheetFlagsKeepTextBoldAndFitTheColumn) {
    MessageLog log;
    SpreadsheetBridge bridge = timesheetBridge();
    bridge.open();
    bridge.write(1, 1, 1, "007", {.asText = true});
    bridge.write(1, 1, 2, "007");
    bridge.write(1, 2, 1, "Иванов Иван Иванович", {.fitColumn = true, .bold = true});
    bridge.write(1, 3, 1, "8");
    bridge.save();
    EXPECT_EQ(log.count(), 0);
    EXPECT_TRUE(QFileInfo(bridge.lastSavedPath()).fileName().startsWith("Табель "));

    const auto sheet = readSheet(bridge.lastSavedPath());
    EXPECT_EQ(sheet.cell(1, 1).value, QVariant("007"));
    EXPECT_EQ(sheet.cell(1, 1).numberFormat, "@");
    EXPECT_EQ(sheet.cell(2, 1).value, QVariant(7.0));
    EXPECT_EQ(sheet.cell(1, 2).value, QVariant("Иванов Иван Иванович"));
    EXPECT_TRUE(sheet.cell(1, 2).bold);
    EXPECT_FALSE(sheet.cell(1, 3).bold);
    EXPECT_GE(sheet.columnWidth(2), 20.0);  // fitted to the name
    EXPECT_EQ(sheet.columnWidth(3), 0.0);   // never asked to fit
}

TEST_F(BridgeTest, RefusedWritesStopWithTheCell) {
    SpreadsheetBridge bridge = reportBridge();
    bridge.open();
    const struct {
        int sheet, column, row;
        const char* caption;
    } cases[] = {
        {2, 3, 4, "Ошибочный номер листа Microsoft Excel"},
        {0, 1, 1, "Ошибочный номер листа Microsoft Excel"},
        {1, 0, 5, "Ошибка Microsoft Excel"},
        {1, 2, 1048577, "Ошибка Microsoft Excel"},
    };
    for (const auto& c : cases) {
        const exporting::ExportError stop =
            stopOf([&] { bridge.write(c.sheet, c.column, c.row, "x"); });
        EXPECT_EQ(stop.texts(), QStringList{QString("Ошибка при записи: лист %1, столбец %2, "
                                                    "строка %3")
                                                .arg(c.sheet)
                                                .arg(c.column)
                                                .arg(c.row)});
        EXPECT_EQ(stop.caption(), QString::fromUtf8(c.caption));
    }
    bridge.save();
    // After the workbook went to the user there is nothing to write into.
    EXPECT_EQ(stopOf([&] { bridge.write(1, 1, 1, "x"); }).caption(),
              "Ошибочный номер листа Microsoft Excel");
}

// The window's error display shows a stop in boxes of its own caption, the core shows nothing.
TEST_F(BridgeTest, AStopReachesTheUserThroughTheErrorDisplay) {
    MessageLog log;
    SpreadsheetBridge bridge = reportBridge();
    EXPECT_FALSE(ui::runGuarded([&bridge] { bridge.open("/tmp/prices.xlsx"); }));
    ASSERT_EQ(log.count(), 1);
    EXPECT_EQ(log.messages()[0].text, "Ошибка открытия файла Microsoft Excel.");
    EXPECT_EQ(log.messages()[0].caption, "Ошибка");
    EXPECT_EQ(log.messages()[0].icon, ui::Icon::Stop);
    log.clear();
    ui::runGuarded([&bridge] {
        bridge.open();
        bridge.write(2, 1, 1, "x");
    });
    ASSERT_EQ(log.count(), 1);
    EXPECT_EQ(log.messages()[0].caption, "Ошибочный номер листа Microsoft Excel");
}

TEST_F(BridgeTest, ExistingWorkbooksCannotBeOpened) {
    SpreadsheetBridge bridge = reportBridge();
    const exporting::ExportError stop = stopOf([&bridge] { bridge.open("/tmp/prices.xlsx"); });
    EXPECT_EQ(stop.texts(), QStringList{"Ошибка открытия файла Microsoft Excel."});
    EXPECT_EQ(stop.caption(), "Ошибка");
    EXPECT_EQ(bridge.save(), QString());  // nothing held: nothing saved
    EXPECT_TRUE(savedFiles().isEmpty());
}

TEST_F(BridgeTest, AnUnfinishedWorkbookIsDroppedByTheNextOpen) {
    MessageLog log;
    SpreadsheetBridge bridge = reportBridge();
    bridge.open();
    bridge.write(1, 1, 1, "старое");
    bridge.open();
    bridge.write(1, 1, 2, "новое");
    bridge.save();
    EXPECT_EQ(savedFiles().size(), 1);
    const auto sheet = readSheet(bridge.lastSavedPath());
    EXPECT_FALSE(sheet.cell(1, 1).value.isValid());
    EXPECT_EQ(sheet.cell(2, 1).value, QVariant("новое"));
}

// The workbook is written in the shared temporary folder before it is saved: links planted there
// under names a workstation might use must never be written through.
TEST_F(BridgeTest, TheScratchWorkbookCannotBeRedirectedByAPlantedLink) {
    QTemporaryDir sharedTemp;
    const QString victim = sharedTemp.filePath("victim.txt");
    {
        QFile f(victim);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("untouched");
    }
    for (const QString& pattern : {QString("plant-%1-%2.xlsx"), QString("plant-%2.xlsx")})
        for (int n = 0; n <= 200; ++n)
            QFile::link(victim, sharedTemp.filePath(
                                    pattern.arg(QCoreApplication::applicationPid()).arg(n)));
    const QByteArray previousTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", sharedTemp.path().toUtf8());
    MessageLog log;
    SpreadsheetBridge bridge = reportBridge();
    bridge.open();
    bridge.write(1, 1, 1, "x");
    EXPECT_FALSE(bridge.save().isEmpty());
    bridge.open();
    bridge.open();  // drops the one before unsaved
    bridge.save();
    qputenv("TMPDIR", previousTemp);

    EXPECT_EQ(log.count(), 0);
    QFile f(victim);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "untouched");
    EXPECT_FALSE(QFileInfo(bridge.lastSavedPath()).isSymLink());
    EXPECT_EQ(savedFiles().size(), 2);
    // Nothing is left behind in the shared folder but what was there.
    EXPECT_EQ(QDir(sharedTemp.path()).entryList(QDir::Files | QDir::NoSymLinks),
              QStringList{"victim.txt"});
}

TEST_F(BridgeTest, AFolderThatCannotBeWrittenIsReported) {
    const QString blocked = folder_.filePath("file-in-the-way");
    QFile(blocked).open(QIODevice::WriteOnly);
    qputenv("PLANT_EXPORT_DIR", (blocked + "/sub").toUtf8());
    SpreadsheetBridge bridge = reportBridge();
    // Before anything is filled in.
    const exporting::ExportError stop = stopOf([&] { bridge.open(); });
    EXPECT_EQ(stop.caption(), "Ошибка");
    ASSERT_EQ(stop.texts().size(), 1);
    EXPECT_TRUE(stop.texts()[0].contains("sub")) << stop.texts()[0].toStdString();
}

// A workbook is saved whole or not at all, whichever disk fills up: the export folder's takes the
// file, the temporary folder's the parts libxlsxwriter writes before it packs them.
TEST_F(BridgeTest, AWorkbookThatDoesNotFitLeavesNothingAndSaysWhichFolderIsFull) {
    const struct {
        const char* fullFolder;
        const char* message;
    } cases[] = {
        {"PLANT_EXPORT_DIR",
         "Не удалось сохранить книгу Microsoft Excel в папке «%1»: на диске нет места или нет "
         "права записи. Книга не сохранена."},
        {"TMPDIR",
         "Не удалось подготовить книгу Microsoft Excel во временной папке «%1»: на диске нет "
         "места или нет права записи. Книга не сохранена."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fullFolder);
        SmallFilesystem disk(4);
        REQUIRE_SMALL_FILESYSTEM(disk);
        const QByteArray previous = qgetenv(c.fullFolder);
        qputenv(c.fullFolder, disk.path().toUtf8());
        SpreadsheetBridge bridge = reportBridge();
        const QString savedBefore = bridge.lastSavedPath();
        bridge.open();
        for (int row = 1; row <= 300; ++row)
            for (int column = 1; column <= 4; ++column)
                bridge.write(1, column, row, QString::number(row * 1000 + column));
        const exporting::ExportError stop = stopOf([&] { bridge.save(); });
        qputenv(c.fullFolder, previous);

        EXPECT_EQ(stop.texts(), QStringList{QString::fromUtf8(c.message).arg(disk.path())});
        EXPECT_EQ(stop.caption(), "Ошибка");
        EXPECT_EQ(bridge.lastSavedPath(), savedBefore);  // nothing reported as saved
        EXPECT_EQ(disk.entries(), QStringList());
        EXPECT_EQ(QDir(folder_.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }
}

// A file cut short (no zip directory at its end) is told from a whole one.
TEST_F(BridgeTest, AWorkbookCutShortReadsAsCut) {
    SpreadsheetBridge bridge = timesheetBridge();
    bridge.open();
    for (int row = 1; row <= 500; ++row)
        bridge.write(1, 1, row, QString::number(row * 7919));
    const QString whole = bridge.save();
    EXPECT_EQ(exporting::checkWrittenWorkbook(whole), exporting::WorkbookCheck::Whole);

    QFile in(whole);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QByteArray bytes = in.readAll();
    ASSERT_GT(bytes.size(), 8192);
    const QString cut = folder_.filePath("cut.xlsx");
    QFile out(cut);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes.left(8192));
    out.close();
    EXPECT_EQ(exporting::checkWrittenWorkbook(cut), exporting::WorkbookCheck::FileCut);
}

}  // namespace
