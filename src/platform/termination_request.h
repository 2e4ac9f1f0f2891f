// The session ending or a user asking the program to end politely (on
// POSIX systems: SIGTERM or SIGHUP). Instead of ending the process at once,
// such a request becomes a byte to read on a descriptor that the window's
// event loop watches, so that the program can end as its Close button does.
#pragma once

namespace vendral::platform {

// From the first call on, requests are caught; returns the descriptor that
// turns readable on each one, the same on every call, or -1 where requests
// do not arrive this way. A second request of the same kind ends the
// process at once, for a program that does not get round to ending.
int WatchTerminationRequests();

// Reads what requests have left on the descriptor, so that it waits again.
void DrainTerminationRequests(int descriptor);

}  // namespace vendral::platform
