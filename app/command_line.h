#pragma once

#include "app/build_stamp.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace command_line {

// "plant-client 1.0 (build: 20221118.56556)": the version and the build stamp, as the login
// window's caption shows it.
QString versionText(const BuildStamp& stamp);

// The usage of the two arguments, in Russian.
QString usageText();

// What to print instead of running the client: the version text for "--version", the usage for
// "--help", wherever it stands among the arguments (args: program name first; the first of the
// two wins). Empty for every other command line: its arguments keep their meaning (database
// name, server).
std::optional<QString> answerFor(const QStringList& args);

}  // namespace command_line
