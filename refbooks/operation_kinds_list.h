#pragma once

#include "refbooks/choices.h"
#include "refbooks/reference_list.h"

#include <memory>
#include <optional>

namespace refbooks {
class OperationKindEditor;
}  // namespace refbooks
namespace data {
class SharedData;
}

namespace refbooks {

// The operation kinds list over the shared operation kinds query, also the kind picker.
class OperationKindsList : public refbooks::ReferenceList {
    Q_OBJECT
public:
    explicit OperationKindsList(data::SharedData& db, QWidget* parent = nullptr);
    ~OperationKindsList() override;

    // Shown modally as the picker; the kind chosen, if any (an empty list gives id 0 and no
    // name).
    std::optional<refbooks::KindChoice> pick();

private:
    void addNew() override;
    void changeCurrent() override;
    bool chooseCurrent() override;
    QString filterFor(const QString& typed) const override;

    std::unique_ptr<refbooks::OperationKindEditor> editor_;
    std::optional<refbooks::KindChoice> choice_;
};

}  // namespace refbooks
