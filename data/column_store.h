#pragma once

#include <QString>
#include <QStringView>
#include <QVariant>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace data {

// The fetched rows of a dataset, kept by column in their own types: numbers, dates and times as
// plain values, texts once per distinct value while that saves memory (a column of mostly
// different texts keeps them one by one). A cell reads back as the QVariant it was stored as,
// NULLs typed as their column; a column given a value of another type keeps QVariants from then
// on, so nothing is ever converted.
class ColumnStore {
public:
    // One column per Qt type id, as the driver types the result's fields.
    void reset(const std::vector<int>& types);
    void clear();

    int columnCount() const { return static_cast<int>(columns_.size()); }
    int rowCount() const { return rows_; }

    QVariant value(int row, int column) const;

    // Filling: every column takes one value per row, then endRows() counts the rows complete.
    void appendNull(int column);
    void appendInt(int column, qint32 v);
    void appendInt64(int column, qint64 v);
    void appendDouble(int column, double v);
    void appendText(int column, QStringView text);
    void append(int column, const QVariant& v);  // any type; the column's own is cheapest
    void endRows(int rows = 1) { rows_ += rows; }

    // Editing stored rows.
    void set(int row, int column, const QVariant& v);
    void appendBlankRow();  // every cell NULL
    void removeRow(int row);

private:
    enum class Kind { Int, Int64, Double, Date, Text, Variant };

    struct ViewHash {
        size_t operator()(QStringView s) const noexcept { return qHash(s); }
    };

    struct Column {
        Kind kind = Kind::Variant;
        int type = QMetaType::UnknownType;
        int nullType = QMetaType::UnknownType;  // how its NULLs read: typed, or untyped as some
                                                // drivers give them
        std::vector<qint64> ints;               // Int, Int64, Date (Julian day)
        std::vector<double> doubles;            // Double
        std::vector<quint32> textIds;           // Text while its texts are kept once each
        std::vector<QString> texts;             // Text: the distinct texts, or every row's text
        std::unique_ptr<std::unordered_map<QStringView, quint32, ViewHash>> distinct;
        std::vector<QVariant> variants;  // Variant: other types, or values of another type
        std::vector<bool> nulls;         // empty while no NULL was stored

        bool interned() const { return distinct != nullptr; }
        size_t size() const;
    };

    static Kind kindOf(int type);
    static void setNull(Column& c, size_t row, bool null);
    static bool isNull(const Column& c, size_t row) { return row < c.nulls.size() && c.nulls[row]; }
    void appendTextValue(Column& c, QStringView text);
    static quint32 textId(Column& c, QStringView text);  // of a column keeping texts once each
    static void keepTextsOneByOne(Column& c);
    void toVariants(int column);
    QVariant stored(int row, int column) const;

    std::vector<Column> columns_;
    int rows_ = 0;
};

}  // namespace data
