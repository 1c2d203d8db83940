#pragma once

#include <functional>

namespace ui {

// Input given while the window waited on the server never acts afterwards: when a wait ends,
// the clicks and key presses queued meanwhile are dropped before anything else is handled, and
// after a long wait that dropped some the user is told so once. Waits inside waits count as one.
// What starting a wait answers ends it (the data layer's busy indicator, data::BusyScope).
std::function<void()> beginServerWait();

// Input queued during a wait at least this long is dropped; a shorter wait is over before a
// click given during it could mean anything else.
inline constexpr int kDropAfterMilliseconds = 100;
// A wait at least this long tells the user that their input was dropped.
inline constexpr int kLongServerWaitMilliseconds = 1000;

// The message that says so.
const char* droppedInputMessage();

}  // namespace ui
