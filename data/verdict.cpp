#include "data/verdict.h"

#include "data/db_error.h"
#include "ui/quoted_text.h"

namespace data {

QString changedElsewhereMessage(const QList<FieldChange>& changes) {
    QString text = QString::fromUtf8(kChangedElsewhereMessage);
    for (const FieldChange& c : changes)
        text += QLatin1Char('\n') + c.caption + QStringLiteral(": ") + ui::shownUserText(c.loaded) +
                QStringLiteral(" → ") + ui::shownUserText(c.stored) +
                (c.yours ? QStringLiteral(", у вас: ") + ui::shownUserText(*c.yours) : QString());
    return text;
}

Verdict Verdict::gone() {
    return refusal(Kind::Gone, QString::fromUtf8(kRowGoneMessage));
}

Verdict Verdict::changedElsewhere(const QList<FieldChange>& changes, const RowSnapshot& stored) {
    return {Kind::ChangedElsewhere, changedElsewhereMessage(changes), changes, stored, 0};
}

}  // namespace data
