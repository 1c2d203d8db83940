#include "data/column_store.h"

#include <QDate>

namespace data {

namespace {
// Texts stay stored once each until a column holds more distinct texts than this and more than
// half as many as it has rows: then each row keeps its own (shared) text.
constexpr size_t kFewDistinctTexts = 1024;
}  // namespace

size_t ColumnStore::Column::size() const {
    switch (kind) {
        case Kind::Int:
        case Kind::Int64:
        case Kind::Date:
            return ints.size();
        case Kind::Double:
            return doubles.size();
        case Kind::Text:
            return interned() ? textIds.size() : texts.size();
        case Kind::Variant:
            return variants.size();
    }
    return 0;
}

ColumnStore::Kind ColumnStore::kindOf(int type) {
    switch (type) {
        case QMetaType::Int:
            return Kind::Int;
        case QMetaType::LongLong:
            return Kind::Int64;
        case QMetaType::Double:
            return Kind::Double;
        case QMetaType::QDate:
            return Kind::Date;
        case QMetaType::QString:
            return Kind::Text;
        default:
            return Kind::Variant;
    }
}

void ColumnStore::reset(const std::vector<int>& types) {
    clear();
    columns_.resize(types.size());
    for (size_t c = 0; c < types.size(); ++c) {
        Column& col = columns_[c];
        col.type = types[c];
        col.nullType = types[c];
        col.kind = kindOf(types[c]);
        if (col.kind == Kind::Text)
            col.distinct = std::make_unique<std::unordered_map<QStringView, quint32, ViewHash>>();
    }
}

void ColumnStore::clear() {
    columns_.clear();
    columns_.shrink_to_fit();
    rows_ = 0;
}

void ColumnStore::setNull(Column& c, size_t row, bool null) {
    if (c.nulls.size() <= row) {
        if (!null)
            return;
        c.nulls.resize(row + 1, false);
    }
    c.nulls[row] = null;
}

void ColumnStore::appendNull(int column) {
    Column& c = columns_[column];
    const size_t row = c.size();
    switch (c.kind) {
        case Kind::Int:
        case Kind::Int64:
        case Kind::Date:
            c.ints.push_back(0);
            break;
        case Kind::Double:
            c.doubles.push_back(0);
            break;
        case Kind::Text:
            appendTextValue(c, QStringView());
            break;
        case Kind::Variant:
            c.variants.emplace_back(QMetaType(c.nullType));
            return;
    }
    setNull(c, row, true);
}

void ColumnStore::appendInt(int column, qint32 v) {
    Column& c = columns_[column];
    if (c.kind == Kind::Int)
        c.ints.push_back(v);
    else
        append(column, QVariant(static_cast<int>(v)));
}

void ColumnStore::appendInt64(int column, qint64 v) {
    Column& c = columns_[column];
    if (c.kind == Kind::Int64)
        c.ints.push_back(v);
    else
        append(column, QVariant(static_cast<qlonglong>(v)));
}

void ColumnStore::appendDouble(int column, double v) {
    Column& c = columns_[column];
    if (c.kind == Kind::Double)
        c.doubles.push_back(v);
    else
        append(column, QVariant(v));
}

void ColumnStore::appendText(int column, QStringView text) {
    Column& c = columns_[column];
    if (c.kind == Kind::Text)
        appendTextValue(c, text);
    else
        append(column, QVariant(text.toString()));
}

void ColumnStore::appendTextValue(Column& c, QStringView text) {
    if (!c.interned()) {
        c.texts.push_back(text.toString());
        return;
    }
    c.textIds.push_back(textId(c, text));
    if (c.texts.size() > kFewDistinctTexts && c.texts.size() * 2 > c.textIds.size())
        keepTextsOneByOne(c);
}

quint32 ColumnStore::textId(Column& c, QStringView text) {
    const auto found = c.distinct->find(text);
    if (found != c.distinct->end())
        return found->second;
    const auto id = static_cast<quint32>(c.texts.size());
    c.texts.push_back(text.toString());
    c.distinct->emplace(QStringView(c.texts.back()), id);
    return id;
}

void ColumnStore::keepTextsOneByOne(Column& c) {
    std::vector<QString> rows;
    rows.reserve(c.textIds.capacity());
    for (quint32 id : c.textIds)
        rows.push_back(c.texts[id]);
    c.distinct.reset();
    c.texts.swap(rows);
    c.textIds = {};
}

void ColumnStore::append(int column, const QVariant& v) {
    Column& c = columns_[column];
    if (c.kind != Kind::Variant && v.isNull()) {
        if (c.nulls.empty())
            c.nullType = v.typeId();
        if (v.typeId() == c.nullType) {
            appendNull(column);
            return;
        }
    }
    if (c.kind != Kind::Variant && (v.typeId() != c.type || v.isNull()))
        toVariants(column);
    switch (c.kind) {
        case Kind::Int:
        case Kind::Int64:
            c.ints.push_back(v.toLongLong());
            break;
        case Kind::Date:
            c.ints.push_back(v.toDate().toJulianDay());
            break;
        case Kind::Double:
            c.doubles.push_back(v.toDouble());
            break;
        case Kind::Text:
            appendTextValue(c, v.toString());
            break;
        case Kind::Variant:
            c.variants.push_back(v);
            break;
    }
}

QVariant ColumnStore::stored(int row, int column) const {
    const Column& c = columns_[column];
    const auto r = static_cast<size_t>(row);
    if (c.kind == Kind::Variant)
        return c.variants[r];
    if (isNull(c, r))
        return QVariant(QMetaType(c.nullType));
    switch (c.kind) {
        case Kind::Int:
            return QVariant(static_cast<int>(c.ints[r]));
        case Kind::Int64:
            return QVariant(static_cast<qlonglong>(c.ints[r]));
        case Kind::Date:
            return QVariant(QDate::fromJulianDay(c.ints[r]));
        case Kind::Double:
            return QVariant(c.doubles[r]);
        case Kind::Text:
            return QVariant(c.interned() ? c.texts[c.textIds[r]] : c.texts[r]);
        case Kind::Variant:
            break;
    }
    return {};
}

QVariant ColumnStore::value(int row, int column) const {
    if (row < 0 || row >= rows_ || column < 0 || column >= columnCount())
        return {};
    return stored(row, column);
}

void ColumnStore::toVariants(int column) {
    Column& c = columns_[column];
    if (c.kind == Kind::Variant)
        return;
    const size_t n = c.size();
    std::vector<QVariant> variants;
    variants.reserve(n);
    for (size_t r = 0; r < n; ++r)
        variants.push_back(stored(static_cast<int>(r), column));
    Column replacement;
    replacement.kind = Kind::Variant;
    replacement.type = c.type;
    replacement.nullType = c.nullType;
    replacement.variants.swap(variants);
    c = std::move(replacement);
}

void ColumnStore::set(int row, int column, const QVariant& v) {
    Column& c = columns_[column];
    const auto r = static_cast<size_t>(row);
    if (c.kind != Kind::Variant && !v.isNull() && v.typeId() != c.type)
        toVariants(column);
    if (c.kind == Kind::Variant) {
        c.variants[r] = v;
        return;
    }
    setNull(c, r, v.isNull());
    if (v.isNull())
        return;
    switch (c.kind) {
        case Kind::Int:
        case Kind::Int64:
            c.ints[r] = v.toLongLong();
            break;
        case Kind::Date:
            c.ints[r] = v.toDate().toJulianDay();
            break;
        case Kind::Double:
            c.doubles[r] = v.toDouble();
            break;
        case Kind::Text:
            if (c.interned())
                c.textIds[r] = textId(c, v.toString());
            else
                c.texts[r] = v.toString();
            break;
        case Kind::Variant:
            break;
    }
}

void ColumnStore::appendBlankRow() {
    for (int c = 0; c < columnCount(); ++c)
        appendNull(c);
    endRows();
}

void ColumnStore::removeRow(int row) {
    const auto r = static_cast<size_t>(row);
    for (Column& c : columns_) {
        auto erase = [r](auto& v) {
            if (r < v.size())
                v.erase(v.begin() + static_cast<std::ptrdiff_t>(r));
        };
        if (c.kind == Kind::Text && c.interned())
            erase(c.textIds);
        else if (c.kind == Kind::Text)
            erase(c.texts);
        erase(c.ints);
        erase(c.doubles);
        erase(c.variants);
        erase(c.nulls);
    }
    --rows_;
}

}  // namespace data
