#pragma once

#include <QString>

// What the reference-book pickers hand back to the window that opened them.
namespace refbooks {

struct WorkerChoice {
    int id = 0;
    QString name;
};

struct ProductChoice {
    int id = 0;
    QString mark;
};

struct KindChoice {
    int id = 0;
    QString name;
};

// An operation with its product and its base price; text is "mark; kind; finished/blank".
struct OperationChoice {
    int id = 0;
    int productId = 0;
    double basePrice = 0;
    QString text;
};

}  // namespace refbooks
