// Preparation: resolving the layout's bands once, and the texts, widths and heights of items.
#include "printing/preparer.h"

#include "ui/format.h"

#include <algorithm>

namespace printing {

namespace {

// A number through a mask, rounded on its decimal value as sums are.
QString maskedText(double value, const QString& mask, QChar separator) {
    if (mask.isEmpty())
        return ui::shortestFloat(value, separator);
    ExactSum s;
    s.add(value);
    return s.text(mask, separator);
}

QString valueText(const QVariant& v, const QString& mask, QChar separator) {
    if (v.isNull())
        return {};
    switch (v.typeId()) {
        case QMetaType::Double:
        case QMetaType::Float:
            return maskedText(v.toDouble(), mask, separator);
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
            return mask.isEmpty() ? v.toString() : maskedText(v.toDouble(), mask, separator);
        case QMetaType::QDate:
            return ui::dateText(v.toDate());
        case QMetaType::QDateTime:
            return ui::dateText(v.toDateTime().date());
        case QMetaType::QString: {
            if (!mask.isEmpty()) {
                bool ok = false;
                const double d = v.toString().toDouble(&ok);
                if (ok)
                    return maskedText(d, mask, separator);
            }
            return v.toString();
        }
        default:
            return v.toString();
    }
}

}  // namespace

PreparedKind preparedKind(ItemKind kind) {
    switch (kind) {
        case ItemKind::Text:
            return PreparedKind::Text;
        case ItemKind::Field:
            return PreparedKind::Field;
        case ItemKind::Computed:
            return PreparedKind::Computed;
        case ItemKind::PageNumber:
            return PreparedKind::PageNumber;
        case ItemKind::Sum:
            return PreparedKind::Sum;
    }
    return PreparedKind::Text;
}

int Preparer::addStyle(const ItemStyle& style) {
    report_.styles.push_back(style);
    return static_cast<int>(report_.styles.size()) - 1;
}

ResolvedBand Preparer::resolve(const Band& band) {
    ResolvedBand rb;
    rb.band = &band;
    if (band.background.isValid() || band.frame.sides != NoSides) {
        ItemStyle box;
        box.background = band.background;
        box.frame = band.frame;
        rb.boxStyle = addStyle(box);
    }
    for (const Item& item : band.items) {
        ResolvedItem r{&item};
        ItemStyle style;
        style.font = item.font.value_or(layout_.page.baseFont);
        style.align = item.align;
        style.wrap = item.wrapsText();
        style.color = item.color;
        style.background = item.background;
        style.frame = item.frame;
        r.style = addStyle(style);
        if (!item.field.isEmpty())
            r.column = requiredField(rows_, item.field, layout_.title);
        for (const QString& field : item.reads)
            requiredField(rows_, field, layout_.title);
        if (item.kind == ItemKind::Sum) {
            Accumulator acc;
            acc.column = r.column;
            if (item.expression)
                acc.expression = &item.expression;
            sums_.push_back(acc);
            r.sum = static_cast<int>(sums_.size()) - 1;
            if (item.reset == SumReset::AfterPrint)
                rb.resetsSums = true;
        }
        rb.grows = rb.grows || item.wrapsText();
        rb.items.push_back(r);
    }
    return rb;
}

std::vector<ResolvedBand> Preparer::resolve(const std::vector<Band>& bands) {
    std::vector<ResolvedBand> out;
    out.reserve(bands.size());
    for (const Band& b : bands)
        out.push_back(resolve(b));
    return out;
}

void Preparer::resolveAll() {
    reportHeader_ = resolve(layout_.reportHeader);
    repeatedHeader_ = resolve(layout_.repeatedHeader);
    for (const Group& g : layout_.groups) {
        groupHeaders_.push_back(resolve(g.header));
        groupFooters_.push_back(resolve(g.footer));
        groupColumns_.push_back(requiredField(rows_, g.field, layout_.title));
    }
    if (layout_.detail)
        detail_ = resolve(*layout_.detail);
    reportFooter_ = resolve(layout_.reportFooter);
    if (layout_.pageFooter)
        pageFooter_ = resolve(*layout_.pageFooter);
    repeatedHeaderHeight_ = height(repeatedHeader_);

    auto number = [this](ResolvedBand& b) {
        b.id = static_cast<int>(bands_.size());
        bands_.push_back(&b);
    };
    for (auto* list : {&reportHeader_, &repeatedHeader_, &reportFooter_})
        for (ResolvedBand& b : *list)
            number(b);
    for (auto* lists : {&groupHeaders_, &groupFooters_})
        for (auto& list : *lists)
            for (ResolvedBand& b : list)
                number(b);
    if (detail_)
        number(*detail_);
    if (pageFooter_)
        number(*pageFooter_);
}

double Preparer::height(const std::vector<ResolvedBand>& bands) const {
    double h = 0;
    for (const ResolvedBand& b : bands)
        h += b.band->heightMm;
    return h;
}

QString Preparer::itemText(const ResolvedItem& r, const Row& row, int pageNumber) {
    const Item& item = *r.item;
    switch (item.kind) {
        case ItemKind::Text:
            return item.text;
        case ItemKind::Field:
            return valueText(row.value(r.column), item.mask, separator_);
        case ItemKind::Computed:
            return item.compute ? item.compute(row) : QString();
        case ItemKind::PageNumber: {
            const QString number = QString::number(pageNumber);
            return item.text.isEmpty()
                       ? number
                       : QString(item.text)
                             .replace(QLatin1String("%1"), number)
                             .replace(QLatin1String("%2"), QString::number(pageCount()));
        }
        case ItemKind::Sum:
            return sums_[r.sum].total.text(item.mask, separator_);
    }
    return {};
}

double Preparer::itemWidth(const ResolvedItem& r, const QString& text) {
    const Item& item = *r.item;
    const double room = std::max(0.0, layout_.page.usableWidthMm() - item.leftMm);
    if (item.widthMm > 0 && !item.grows)
        return item.widthMm;
    const double textWidth = measure_.widthMm(report_.styles[r.style].font, text);
    return std::min(room, std::max(item.widthMm, textWidth));
}

bool Preparer::showsNumber(const ResolvedItem& r, const Row& row) const {
    switch (r.item->kind) {
        case ItemKind::Sum:
        case ItemKind::PageNumber:
            return true;
        case ItemKind::Field: {
            const QVariant v = row.value(r.column);
            return v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float ||
                   v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong ||
                   v.typeId() == QMetaType::UInt || v.typeId() == QMetaType::ULongLong ||
                   v.typeId() == QMetaType::Short || v.typeId() == QMetaType::UShort;
        }
        case ItemKind::Text:
        case ItemKind::Computed:
            return false;
    }
    return false;
}

double Preparer::bandHeight(const ResolvedBand& band, const Row& row) {
    double h = band.band->heightMm;
    if (!band.grows)
        return h;
    for (const ResolvedItem& r : band.items) {
        if (!r.item->wrapsText())
            continue;
        const QString text = itemText(r, row, pageCount());
        const double w = itemWidth(r, text);
        const double textHeight = measure_.wrappedHeightMm(report_.styles[r.style].font, text, w);
        h = std::max(h, r.item->topMm + std::max(r.item->heightMm, textHeight));
    }
    return h;
}

}  // namespace printing
