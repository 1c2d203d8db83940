#pragma once

#include <QStringList>

namespace testing_support {

// Every control of the journal and report windows a role may narrow, by name (report window's
// prefixed "report."), that is disabled now.
QStringList disabledControls();

// The controls each role leaves disabled after its login, sorted.
QStringList reviewerDisabled();
QStringList foremanDisabled();
QStringList storekeeperDisabled();

}  // namespace testing_support
