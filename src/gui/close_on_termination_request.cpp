#include "gui/close_on_termination_request.h"

#include <QApplication>
#include <QSocketNotifier>

#include "platform/termination_request.h"

namespace vendral {

CloseOnTerminationRequest::CloseOnTerminationRequest(QObject* parent) : QObject(parent) {
  const int descriptor = platform::WatchTerminationRequests();
  if (descriptor < 0) return;
  auto* notifier = new QSocketNotifier(descriptor, QSocketNotifier::Read, this);
  connect(notifier, &QSocketNotifier::activated, this, [descriptor] {
    platform::DrainTerminationRequests(descriptor);
    // An open box or dialog goes first, as if cancelled; then the main
    // window closes, which ends the event loop as Close does.
    QApplication::closeAllWindows();
  });
}

}  // namespace vendral
