#pragma once

#include "data/row_check.h"

#include <QStringList>

// What an editor shows after its save was refused because another workstation changed the row
// meanwhile: nothing the other workstation wrote and nothing the user typed is lost unseen.
namespace refbooks {

inline constexpr const char* kStoredShownNote =
    "Поля, которые вы не меняли, показаны с новыми значениями.";
inline constexpr const char* kYoursKeptNote =
    "Где указано «у вас», повторная запись сохранит ваше значение.";

struct RowMerge {
    // The fields (ShownField::field) the editor now shows as stored, with their keys: changed
    // elsewhere and left alone by the user.
    QStringList fromStored;
    // Every field changed elsewhere, in the editor's order; `yours` where the user changed it
    // too, to another value.
    QList<data::FieldChange> changes;

    bool takes(const QString& field) const { return fromStored.contains(field); }
    // The refusal: the changes (data::changedElsewhereMessage), then kStoredShownNote when a
    // field now shows the stored value and kYoursKeptNote when a field keeps the user's value.
    QString message() const;
};

// The rule, field by field (a field with a key differs when its text or its key differs):
// changed elsewhere and not by the user (`edited`, the editor's boxes as a snapshot, is as
// `loaded`): the editor shows the stored value; changed by both to different values: the user's
// value stays and the change names both. The editor then takes `stored` as the row loaded, so
// that its next save writes what it shows and a further change elsewhere is caught again.
RowMerge mergeRefused(const data::ShownFields& fields, const data::RowSnapshot& loaded,
                      const data::RowSnapshot& stored, const data::RowSnapshot& edited);

}  // namespace refbooks
