#pragma once

#include "entry/shift_rows.h"

#include <QStringList>
#include <utility>
#include <vector>

// The workers and operations a row of "Ввод смены" is typed from: read from the reference
// books once per showing, then a typed name or operation text (as the editor shows it) takes the
// row's worker or operation, whatever the letter case.
namespace entry::shift {

class ShiftNames {
public:
    // Read again on next use (the books may have changed since the last showing).
    void forget() { loaded_ = false; }

    // The lists the grid's editors complete from.
    QStringList workerNames();
    QStringList operationTexts();

    // The worker named typed, or the typed text alone (no worker) when none is.
    void takeWorkerName(ShiftRow& row, const QString& typed);
    // The operation whose text is typed; otherwise the row has none until one is chosen.
    void takeOperationText(ShiftRow& row, const QString& typed);
    // The operation's fields into the row; the colour stays for paint operations only.
    void takeOperation(ShiftRow& row, int operationId);

private:
    struct OperationName {
        ShiftRow operation;  // its operation fields only
        QString text;
    };
    void load();

    bool loaded_ = false;
    std::vector<std::pair<int, QString>> workers_;
    std::vector<OperationName> operations_;
};

}  // namespace entry::shift
