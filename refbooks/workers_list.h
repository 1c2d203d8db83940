#pragma once

#include "refbooks/choices.h"
#include "refbooks/reference_list.h"

#include <memory>
#include <optional>

namespace refbooks {
class WorkerEditor;
}  // namespace refbooks
namespace data {
class SharedData;
}

namespace refbooks {

// The workers list over the shared Workers query, also the worker picker.
class WorkersList : public refbooks::ReferenceList {
    Q_OBJECT
public:
    explicit WorkersList(data::SharedData& db, QWidget* parent = nullptr);
    ~WorkersList() override;

    // Shown modally as the picker; the worker chosen, if any.
    std::optional<refbooks::WorkerChoice> pick();

private:
    void addNew() override;
    void changeCurrent() override;
    bool chooseCurrent() override;
    void removeCurrent() override;
    QString filterFor(const QString& typed) const override;

    std::unique_ptr<refbooks::WorkerEditor> editor_;
    std::optional<refbooks::WorkerChoice> choice_;
};

}  // namespace refbooks
