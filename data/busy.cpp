#include "data/busy.h"

#include <utility>

namespace data {

namespace {
std::function<std::function<void()>()>& indicator() {
    static std::function<std::function<void()>()> show;
    return show;
}
}  // namespace

BusyScope::BusyScope() {
    if (indicator())
        end_ = indicator()();
}

BusyScope::~BusyScope() {
    if (end_)
        end_();
}

void setBusyIndicator(std::function<std::function<void()>()> show) {
    indicator() = std::move(show);
}

}  // namespace data
