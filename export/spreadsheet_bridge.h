#pragma once

#include "ui/captioned_error.h"

#include <QString>

#include <memory>

namespace exporting {

// How one cell is written; the default writes the text as typing it would, in a plain font.
struct CellStyle {
    bool asText = false;     // kept as text (format "@"), even when it reads as a number
    bool fitColumn = false;  // the column widens to its widest text when the workbook is saved
    bool bold = false;
};

// Why an export stopped: the stop boxes' texts and caption, for the window that exports to show
// (the error display shows it when it escapes the window's handler). Nothing is left saved.
class ExportError : public ui::CaptionedError {
public:
    using ui::CaptionedError::CaptionedError;
};

}  // namespace exporting

// The layer through which exports fill a workbook. A workbook lives in memory from open() until
// save(), which saves it as an .xlsx in the export folder; the window then shows it to the user
// (exporting::showWorkbook). A workbook is either saved whole or not at all: it is written beside
// its name and takes the name only once it reads back whole. Every failure throws
// exporting::ExportError.
class SpreadsheetBridge {
public:
    // fileStem starts the saved file's name ("Отчет" gives "Отчет 2026-12-10 14-05-33.xlsx").
    explicit SpreadsheetBridge(QString fileStem);
    ~SpreadsheetBridge();
    SpreadsheetBridge(const SpreadsheetBridge&) = delete;
    SpreadsheetBridge& operator=(const SpreadsheetBridge&) = delete;

    // Empty name: a new workbook with one sheet. Existing workbooks cannot be opened, nor can a
    // workbook whose export folder takes no file. A workbook still held from an unfinished export
    // is dropped.
    void open(const QString& existing = {});
    // Sheet, column and row count from 1. Empty text writes nothing. Unless style.asText, a text
    // that reads as a number in the workstation's locale becomes a number, as typing it would.
    void write(int sheet, int column, int row, const QString& text,
               exporting::CellStyle style = {});
    // Saves the held workbook and returns the saved file; nothing held: nothing saved, an empty
    // path returned.
    QString save();

    // The .xlsx written by the last save(); empty before.
    QString lastSavedPath() const { return lastSavedPath_; }

private:
    struct Workbook;

    void dropWorkbook();
    QString saveWorkbook();

    QString fileStem_;
    std::unique_ptr<Workbook> book_;
    QString lastSavedPath_;
};
