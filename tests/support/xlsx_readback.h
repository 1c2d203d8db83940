#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QMap>
#include <QString>
#include <QVariant>

// Reads a written workbook back with openpyxl (python3-openpyxl), as a spreadsheet would see it.
namespace xlsx_readback {

struct Cell {
    QVariant value;  // double for a number, QString for a text, invalid when the cell is empty
    QString numberFormat;
    bool bold = false;
};

class Sheet {
public:
    Cell cell(int row, int column) const;  // 1-based, as the bridge counts
    int maxRow() const { return maxRow_; }
    int maxColumn() const { return maxColumn_; }
    double columnWidth(int column) const;  // 0 when the column has its default width
    QString name;

private:
    friend Sheet readSheet(const QString&, int);
    QJsonObject cells_;
    QJsonObject widths_;
    int maxRow_ = 0;
    int maxColumn_ = 0;
};

int sheetCount(const QString& path);
// The package's parts by name ("xl/worksheets/sheet1.xml") with their bytes.
QMap<QString, QByteArray> parts(const QString& path);
// Sheet by 1-based number; fails the test (gtest ADD_FAILURE) when python or the file fails.
Sheet readSheet(const QString& path, int sheet = 1);

}  // namespace xlsx_readback
