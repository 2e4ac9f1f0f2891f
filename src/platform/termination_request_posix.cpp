#include "platform/termination_request.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <initializer_list>

namespace vendral::platform {
namespace {

// Written once, before the handler is installed; the handler only reads it.
int request_write_end = -1;

// Async-signal-safe only: one write, errno kept for the code it interrupted.
// A full pipe already says that a request is waiting, so a failed write loses
// nothing.
extern "C" void OnTerminationSignal(int) {
  const int saved_errno = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(request_write_end, &byte, 1);
  errno = saved_errno;
}

bool MakeNonBlockingAndCloseOnExec(int descriptor) {
  const int status_flags = ::fcntl(descriptor, F_GETFL);
  return status_flags != -1 && ::fcntl(descriptor, F_SETFL, status_flags | O_NONBLOCK) == 0 &&
         ::fcntl(descriptor, F_SETFD, FD_CLOEXEC) == 0;
}

int CreateRequestPipe() {
  int ends[2];
  if (::pipe(ends) != 0) return -1;
  if (!MakeNonBlockingAndCloseOnExec(ends[0]) || !MakeNonBlockingAndCloseOnExec(ends[1])) {
    ::close(ends[0]);
    ::close(ends[1]);
    return -1;
  }
  request_write_end = ends[1];
  struct sigaction action = {};
  action.sa_handler = OnTerminationSignal;
  sigemptyset(&action.sa_mask);
  // Restarted calls: a file read or write under way goes on undisturbed.
  // Reset after one: a second request of the same kind ends the process.
  action.sa_flags = SA_RESTART | SA_RESETHAND;
  for (const int signal_number : {SIGTERM, SIGHUP}) ::sigaction(signal_number, &action, nullptr);
  return ends[0];
}

}  // namespace

int WatchTerminationRequests() {
  static const int read_end = CreateRequestPipe();
  return read_end;
}

void DrainTerminationRequests(int descriptor) {
  char bytes[64];
  while (::read(descriptor, bytes, sizeof bytes) > 0) {
  }
}

}  // namespace vendral::platform
