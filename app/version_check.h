#pragma once

#include "app/build_stamp.h"

#include <functional>

// Keeps the workstations on one build: raises the database's version record to the program's
// stamp, and refuses a program older than the record: beforeRefusal runs, then the message,
// then termination. False when refused. Without mayRaise the record is only compared (on a
// database with personal logins the built-in login reads it; a person's session raises it).
bool VersionCheck(const BuildStamp& program, const std::function<void()>& beforeRefusal = {},
                  bool mayRaise = true);
