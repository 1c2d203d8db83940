#pragma once

#include <functional>

namespace data {

// Marks the time the server works on a statement: while one lives, the busy indicator the window
// layer installed (the wait cursor) shows. Without an indicator it does nothing.
class BusyScope {
public:
    BusyScope();
    ~BusyScope();
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    std::function<void()> end_;
};

// The window layer's indicator: show() shows it and answers what hides it again.
void setBusyIndicator(std::function<std::function<void()>()> show);

}  // namespace data
