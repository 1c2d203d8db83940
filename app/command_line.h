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
// "--help" or "-h", wherever it stands among the arguments (args: program name first; the first
// one wins). Empty for every other command line: its arguments keep their meaning (database
// name, server).
std::optional<QString> answerFor(const QStringList& args);

// The exit code of a command line the program refuses.
inline constexpr int kUsageExitCode = 2;

// The refusal, for standard error, of a command line with an option this program does not know
// (an argument starting with "-": no database or server name does), or with --upgrade-database
// anywhere but first. Empty when every argument is one the program takes.
std::optional<QString> refusalOf(const QStringList& args);

}  // namespace command_line
