#include "export/spreadsheet_bridge.h"
#include "../support/message_log.h"
#include "../support/small_filesystem.h"
#include "../support/xlsx_readback.h"
#include "export/workbook_check.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using testing_support::MessageLog;
using testing_support::SmallFilesystem;
using xlsx_readback::readSheet;

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
    SpreadsheetBridge& bridge = ReportBridge();
    ASSERT_EQ(bridge.OpenWorkbook(""), 1);
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
        EXPECT_EQ(bridge.WriteCell(1, 2, row++, QString::fromUtf8(c.text)), 1);
    EXPECT_EQ(bridge.WriteCell(1, 3, 1, ""), 1);  // empty text writes nothing
    EXPECT_EQ(bridge.SetVisible(1), 1);

    EXPECT_EQ(log.count(), 0) << log.texts().join("|").toStdString();
    const QString path = bridge.lastSavedPath();
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

TEST_F(BridgeTest, TimesheetFlagsKeepTextBoldAndFitTheColumn) {
    MessageLog log;
    SpreadsheetBridge& bridge = TimesheetBridge();
    ASSERT_EQ(bridge.OpenWorkbook(""), 1);
    EXPECT_EQ(bridge.SetVisible(0), 1);  // filled off screen; the workbook stays held
    EXPECT_EQ(bridge.WriteCell(1, 1, 1, "007", true, false, false), 1);
    EXPECT_EQ(bridge.WriteCell(1, 1, 2, "007", false, false, false), 1);
    EXPECT_EQ(bridge.WriteCell(1, 2, 1, "Иванов Иван Иванович", false, true, true), 1);
    EXPECT_EQ(bridge.WriteCell(1, 3, 1, "8", false, false, false), 1);
    EXPECT_EQ(bridge.SetVisible(1), 1);
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

TEST_F(BridgeTest, RefusedWritesTellTheCellAndReturnMinusOne) {
    SpreadsheetBridge& bridge = ReportBridge();
    ASSERT_EQ(bridge.OpenWorkbook(""), 1);
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
        MessageLog log;
        EXPECT_EQ(bridge.WriteCell(c.sheet, c.column, c.row, "x"), -1);
        ASSERT_EQ(log.count(), 1);
        EXPECT_EQ(log.messages()[0].text,
                  QString("Ошибка при записи: лист %1, столбец %2, строка %3")
                      .arg(c.sheet)
                      .arg(c.column)
                      .arg(c.row));
        EXPECT_EQ(log.messages()[0].caption, QString::fromUtf8(c.caption));
        EXPECT_EQ(log.messages()[0].icon, ui::Icon::Stop);
    }
    bridge.SetVisible(1);
    // After the workbook went to the user there is nothing to write into.
    MessageLog log;
    EXPECT_EQ(bridge.WriteCell(1, 1, 1, "x"), -1);
    EXPECT_EQ(log.messages().value(0).caption, "Ошибочный номер листа Microsoft Excel");
}

TEST_F(BridgeTest, ExistingWorkbooksCannotBeOpened) {
    MessageLog log;
    EXPECT_EQ(ReportBridge().OpenWorkbook("/tmp/prices.xlsx"), -1);
    ASSERT_EQ(log.count(), 1);
    EXPECT_EQ(log.messages()[0].text, "Ошибка открытия файла Microsoft Excel.");
    EXPECT_EQ(log.messages()[0].caption, "Ошибка");
    EXPECT_EQ(ReportBridge().SetVisible(1), 1);  // nothing held: nothing saved
    EXPECT_TRUE(savedFiles().isEmpty());
}

TEST_F(BridgeTest, AnUnfinishedWorkbookIsDroppedByTheNextOpen) {
    MessageLog log;
    SpreadsheetBridge& bridge = ReportBridge();
    ASSERT_EQ(bridge.OpenWorkbook(""), 1);
    bridge.WriteCell(1, 1, 1, "старое");
    ASSERT_EQ(bridge.OpenWorkbook(""), 1);
    bridge.WriteCell(1, 1, 2, "новое");
    bridge.SetVisible(1);
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
    SpreadsheetBridge& bridge = ReportBridge();
    ASSERT_EQ(bridge.OpenWorkbook(""), 1);
    bridge.WriteCell(1, 1, 1, "x");
    EXPECT_EQ(bridge.SetVisible(1), 1);
    ASSERT_EQ(bridge.OpenWorkbook(""), 1);
    ASSERT_EQ(bridge.OpenWorkbook(""), 1);  // drops the one before unsaved
    bridge.SetVisible(1);
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
    MessageLog log;
    SpreadsheetBridge& bridge = ReportBridge();
    EXPECT_EQ(bridge.OpenWorkbook(""), -1);  // before anything is filled in
    ASSERT_EQ(log.count(), 1);
    EXPECT_EQ(log.messages()[0].caption, "Ошибка");
    EXPECT_EQ(log.messages()[0].icon, ui::Icon::Stop);
    EXPECT_TRUE(log.messages()[0].text.contains("sub")) << log.messages()[0].text.toStdString();
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
        MessageLog log;
        SpreadsheetBridge& bridge = ReportBridge();
        const QString savedBefore = bridge.lastSavedPath();
        ASSERT_EQ(bridge.OpenWorkbook(""), 1);
        for (int row = 1; row <= 300; ++row)
            for (int column = 1; column <= 4; ++column)
                bridge.WriteCell(1, column, row, QString::number(row * 1000 + column));
        EXPECT_EQ(bridge.SetVisible(1), -1);
        qputenv(c.fullFolder, previous);

        ASSERT_EQ(log.count(), 1) << log.texts().join("|").toStdString();
        EXPECT_EQ(log.messages()[0].text, QString::fromUtf8(c.message).arg(disk.path()));
        EXPECT_EQ(log.messages()[0].caption, "Ошибка");
        EXPECT_EQ(bridge.lastSavedPath(), savedBefore);  // nothing reported as saved
        EXPECT_EQ(disk.entries(), QStringList());
        EXPECT_EQ(QDir(folder_.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }
}

// A file cut short (no zip directory at its end) is told from a whole one.
TEST_F(BridgeTest, AWorkbookCutShortReadsAsCut) {
    SpreadsheetBridge& bridge = TimesheetBridge();
    ASSERT_EQ(bridge.OpenWorkbook(""), 1);
    for (int row = 1; row <= 500; ++row)
        bridge.WriteCell(1, 1, row, QString::number(row * 7919));
    ASSERT_EQ(bridge.SetVisible(1), 1);
    const QString whole = bridge.lastSavedPath();
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
