#pragma once

#include "data/db_error.h"

#include "app/server_login.h"

#include <QString>
#include <QStringList>
#include <optional>

// "plant-client --upgrade-database БАЗА СЕРВЕР": brings a plant's database up to this client's
// server objects and exits, without a display.
namespace command_line {

struct UpgradeRequest {
    QString database;
    QString server;
};

// The request when args (program name first) start with --upgrade-database; an empty database or
// server stays empty, for runUpgrade to refuse.
std::optional<UpgradeRequest> upgradeRequestIn(const QStringList& args);

// Why an upgrade stopped when another session held a table it changes longer than the lock wait.
inline constexpr const char* kBusyDatabaseMessage =
    "База данных занята: другое рабочее место сейчас работает с таблицами, которые меняет "
    "обновление. Запустите обновление ещё раз через несколько минут.";

// The error output of a command that changed nothing: its headline, then the busy message or the
// server's own text.
QString unchangedDatabaseText(const QString& headline, const data::DbError& error);

// Connects (as PGUSER when it is set, else with the built-in login), runs the built-in upgrade
// (on a secured database within the securing scripts, as its owner role) and reports in Russian
// what it did on out, or why it failed on err. Returns the exit code: 0 when the database was
// upgraded.
int runUpgrade(const UpgradeRequest& request, QString& out, QString& err,
               const PasswordPrompt& ask = terminalPrompt());

}  // namespace command_line
