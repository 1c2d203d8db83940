#include "printing/report_layout.h"

#include <cmath>

namespace printing {

QVariant Row::value(int column) const {
    return rows_ && row_ >= 0 ? rows_->valueAt(row_, column) : QVariant();
}

UnknownFieldError::UnknownFieldError(const QString& report, const QString& field)
    : std::invalid_argument(
          (report.isEmpty()
               ? QStringLiteral("В данных отчета нет поля «%1».").arg(field)
               : QStringLiteral("В данных отчета «%1» нет поля «%2».").arg(report, field))
              .toStdString()),
      field_(field) {}

int requiredField(const RowSource& rows, const QString& field, const QString& report) {
    const int column = rows.fieldIndex(field);
    if (column < 0)
        throw UnknownFieldError(report, field);
    return column;
}

QVariant Row::value(const QString& field) const {
    if (!rows_)
        return {};
    const int column = requiredField(*rows_, field);
    return row_ >= 0 ? rows_->valueAt(row_, column) : QVariant();
}

double Row::number(const QString& field) const {
    const QVariant v = value(field);
    return v.isNull() ? 0.0 : v.toDouble();
}

int Row::integer(const QString& field) const {
    return static_cast<int>(std::llround(number(field)));
}

Item& Item::at(double left, double width, Align a) {
    leftMm = left;
    widthMm = width;
    align = a;
    return *this;
}

Item& Item::top(double mm) {
    topMm = mm;
    return *this;
}

Item& Item::withFont(const QString& family, double pointSize, Weight weight) {
    font = Font{family, pointSize, weight == Weight::Bold};
    return *this;
}

Item& Item::bold() {
    if (!font)
        font = Font{};
    font->bold = true;
    return *this;
}

Item& Item::withBackground(const QColor& c) {
    background = c;
    return *this;
}

Item& Item::withFrame(int sides, LineStyle style, const QColor& c) {
    frame.sides = sides;
    frame.style = style;
    frame.color = c;
    return *this;
}

Item& Item::growing() {
    grows = true;
    return *this;
}

Item& Item::wrapping() {
    wraps = true;
    return *this;
}

Item& Item::reading(QStringList fields) {
    reads = std::move(fields);
    return *this;
}

Item fixedText(const QString& text) {
    Item i;
    i.kind = ItemKind::Text;
    i.text = text;
    return i;
}

Item fieldText(const QString& field, const QString& mask) {
    Item i;
    i.kind = ItemKind::Field;
    i.field = field;
    i.mask = mask;
    return i;
}

Item computedText(TextFunction compute) {
    Item i;
    i.kind = ItemKind::Computed;
    i.compute = std::move(compute);
    return i;
}

Item pageNumber(const QString& pattern) {
    Item i;
    i.kind = ItemKind::PageNumber;
    i.text = pattern;
    return i;
}

Item sumOf(const QString& field, const QString& mask, SumReset reset) {
    Item i;
    i.kind = ItemKind::Sum;
    i.field = field;
    i.mask = mask;
    i.reset = reset;
    return i;
}

Item sumOf(NumberFunction expression, const QString& mask, SumReset reset) {
    Item i;
    i.kind = ItemKind::Sum;
    i.expression = std::move(expression);
    i.mask = mask;
    i.reset = reset;
    return i;
}

Band& Band::add(Item item) {
    items.push_back(std::move(item));
    return *this;
}

Band& Band::withBackground(const QColor& c) {
    background = c;
    return *this;
}

Band& Band::withFrame(int sides, LineStyle style, const QColor& c) {
    frame.sides = sides;
    frame.style = style;
    frame.color = c;
    return *this;
}

Band band(double heightMm) {
    Band b;
    b.heightMm = heightMm;
    return b;
}

Band gapBand(double heightMm) {
    return band(heightMm);
}

}  // namespace printing
