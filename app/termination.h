#pragma once

#include <functional>

// Ends the application (the refused version check, the login window's timer). Tests replace the
// ending with a hook so that the test process survives.
void terminateApplication();

void setTerminationHook(std::function<void()> hook);
void clearTerminationHook();
