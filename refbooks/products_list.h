#pragma once

#include "refbooks/choices.h"
#include "refbooks/reference_list.h"

#include <memory>
#include <optional>

namespace refbooks {
class ProductEditor;
}  // namespace refbooks
namespace data {
class SharedData;
}

namespace refbooks {

// The products list over the shared products query, also the product picker. A row is changed
// or chosen by a double-click.
class ProductsList : public refbooks::ReferenceList {
    Q_OBJECT
public:
    explicit ProductsList(data::SharedData& db, QWidget* parent = nullptr);
    ~ProductsList() override;

    // Shown modally as the picker; the product chosen, if any (an empty list gives id 0 and no
    // mark).
    std::optional<refbooks::ProductChoice> pick();

private:
    void addNew() override;
    void changeCurrent() override;
    bool chooseCurrent() override;
    QString filterFor(const QString& typed) const override;

    std::unique_ptr<refbooks::ProductEditor> editor_;
    std::optional<refbooks::ProductChoice> choice_;
};

}  // namespace refbooks
