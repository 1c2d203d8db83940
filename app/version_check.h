#pragma once

#include "app/build_stamp.h"

// Keeps the workstations on one build: raises the database's version record to this program's
// stamp, and refuses (message, then termination) a program older than the record. The stamp is
// kept in the journal window for the login caption.
void VersionCheck();

// The same with a given program stamp.
void VersionCheck(const BuildStamp& program);
