#pragma once

#include "app/server_login.h"

#include <QString>
#include <QStringList>
#include <optional>

// "plant-client --secure-database БАЗА СЕРВЕР [--admin ВХОД]": gives a plant's database personal
// logins and job roles (db/secure) as the server administrator named by PGUSER, and exits,
// without a display.
namespace command_line {

struct SecureRequest {
    QString database;
    QString server;
    QString admin;              // the first administrator's login; empty: none asked for
    bool badArguments = false;  // an argument the command does not know, or --admin without a login
};

// The environment variable a script sets to give the first administrator's password without
// the terminal.
inline constexpr const char* kAdminPasswordVariable = "PLANT_ADMIN_PASSWORD";

// The request when args (program name first) start with --secure-database.
std::optional<SecureRequest> secureRequestIn(const QStringList& args);

// Connects as PGUSER, secures the database in one transaction and reports in Russian what it did
// on out, or why it failed on err. Returns 0 when secured, 1 when the server refused (nothing
// changed), 2 for a wrong command line. ask asks for passwords on the terminal.
int runSecure(const SecureRequest& request, QString& out, QString& err,
              const PasswordPrompt& ask = terminalPrompt());

}  // namespace command_line
