#include "data/verdict.h"

#include "data/db_error.h"
#include "data/quoted_text.h"

namespace data {

QString changedElsewhereMessage(const QList<FieldChange>& changes) {
    QString text = QString::fromUtf8(kChangedElsewhereMessage);
    for (const FieldChange& c : changes)
        text += QLatin1Char('\n') + c.caption + QStringLiteral(": ") +
                data::shownUserText(c.loaded) + QStringLiteral(" → ") +
                data::shownUserText(c.stored) +
                (c.yours ? QStringLiteral(", у вас: ") + data::shownUserText(*c.yours) : QString());
    return text;
}

Verdict Verdict::gone() {
    return refusal(Kind::Gone, QString::fromUtf8(kRowGoneMessage));
}

Verdict Verdict::changedElsewhere(const QList<FieldChange>& changes, const RowSnapshot& stored) {
    return {Kind::ChangedElsewhere, changedElsewhereMessage(changes), changes, stored, 0};
}

}  // namespace data
