#pragma once

#include <QString>

#include <memory>

// The layer through which exports fill a workbook. A workbook lives in memory from OpenWorkbook
// until SetVisible(1), which saves it as an .xlsx in the export folder and opens it in the
// desktop's spreadsheet application. A workbook is either saved whole or not at all: it is written
// beside its name and takes the name only once it reads back whole. Results: 1 success, -1
// failure; failures are told to the user in a stop box.
class SpreadsheetBridge {
public:
    // fileStem starts the saved file's name ("Отчет" gives "Отчет 2026-12-10 14-05-33.xlsx").
    explicit SpreadsheetBridge(QString fileStem);
    ~SpreadsheetBridge();
    SpreadsheetBridge(const SpreadsheetBridge&) = delete;
    SpreadsheetBridge& operator=(const SpreadsheetBridge&) = delete;

    // Empty name: a new workbook with one sheet. Existing workbooks cannot be opened (-1), nor can
    // a workbook whose export folder takes no file (-1).
    // A workbook still held from an unfinished export is dropped.
    int OpenWorkbook(const QString& name);
    // 1: saves the workbook and opens it for the user (PLANT_NO_LAUNCH=1 only saves); -1 when it
    // could not be saved whole (nothing is left in the export folder);
    // 0: nothing to do, the workbook is not on screen while it is filled. Without a workbook: 1.
    int SetVisible(int flag);
    // Sheet, column and row count from 1. Empty text writes nothing. A text that reads as a number
    // in the workstation's locale becomes a number, as typing it would.
    int WriteCell(int sheet, int column, int row, const QString& text);
    // asText keeps the text as text (format "@"); autoFit widens the column to its widest text
    // when the workbook is saved; bold sets the cell's font bold or not.
    int WriteCell(int sheet, int column, int row, const QString& text, bool asText, bool autoFit,
                  bool bold);

    // The .xlsx written by the last SetVisible(1); empty before.
    QString lastSavedPath() const { return lastSavedPath_; }

private:
    struct Workbook;

    void dropWorkbook();
    bool saveWorkbook(QString& savedPath);

    QString fileStem_;
    std::unique_ptr<Workbook> book_;
    QString lastSavedPath_;
};

// The report instance (price list, production summary).
SpreadsheetBridge& ReportBridge();
// The timesheet instance.
SpreadsheetBridge& TimesheetBridge();
