#pragma once

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

// Connects, runs the built-in upgrade and reports in Russian what it did on out, or why it failed
// on err. Returns the exit code: 0 when the database was upgraded.
int runUpgrade(const UpgradeRequest& request, QString& out, QString& err);

}  // namespace command_line
