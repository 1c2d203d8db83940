#include "data/row_filter.h"

#include "data/db_error.h"

#include <QRegularExpression>
#include <cmath>

namespace data {

RowFilter RowFilter::parse(const QString& expression) {
    RowFilter f;
    const QString e = expression.trimmed();
    if (e.isEmpty())
        return f;

    // Only the part before the first quote is read as an expression; everything from there to the
    // closing %' is the typed text, taken as it is whatever characters it holds (a pattern run
    // over it would refuse some, half a surrogate pair for one).
    static const QRegularExpression likeHead(QStringLiteral(R"(^(\w+)\s+like\s+$)"),
                                             QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression eq(QStringLiteral(R"(^(\w+)\s*=\s*(-?\d+(?:\.\d+)?)$)"));

    const qsizetype quote = e.indexOf(QLatin1Char('\''));
    const QLatin1StringView likeTail("%'");
    if (quote > 0 && e.endsWith(likeTail) && e.size() >= quote + 1 + likeTail.size()) {
        if (auto m = likeHead.match(e.left(quote).trimmed() + QLatin1Char(' ')); m.hasMatch()) {
            f.kind_ = Kind::Prefix;
            f.field_ = m.captured(1);
            f.prefix_ = e.mid(quote + 1, e.size() - quote - 1 - likeTail.size());
            return f;
        }
    }
    if (auto m = eq.match(e); m.hasMatch()) {
        f.kind_ = Kind::Equals;
        f.field_ = m.captured(1);
        f.number_ = m.captured(2).toDouble();
        return f;
    }
    throw DbError(QStringLiteral("Неверное выражение фильтра: ") + expression);
}

QString prefixFilter(const QString& field, const QString& typed) {
    if (typed.isEmpty())
        return {};
    return field + QStringLiteral(" like '") + typed + QStringLiteral("%'");
}

bool RowFilter::matches(const QVariant& value) const {
    switch (kind_) {
        case Kind::None:
            return true;
        case Kind::Prefix:
            if (value.isNull())
                return false;
            return value.toString().startsWith(prefix_, Qt::CaseInsensitive);
        case Kind::Equals: {
            if (value.isNull())
                return false;
            bool ok = false;
            const double v = value.toDouble(&ok);
            return ok && std::fabs(v - number_) < 1e-9;
        }
    }
    return false;
}

}  // namespace data
