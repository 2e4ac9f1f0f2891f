#include "platform/termination_request.h"

namespace vendral::platform {

// Windows has no such signals: the session's end comes to the windows as a
// message, which the toolkit handles.
int WatchTerminationRequests() { return -1; }

void DrainTerminationRequests(int) {}

}  // namespace vendral::platform
