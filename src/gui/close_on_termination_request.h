// A request from the session or a user to end the program (SIGTERM, SIGHUP)
// closes the windows as the Close button does, so that the main window's
// destruction saves the field values as on every ordinary end.
#pragma once

#include <QObject>

namespace vendral {

class CloseOnTerminationRequest : public QObject {
 public:
  // Catches the requests from now on; needs the application object.
  explicit CloseOnTerminationRequest(QObject* parent = nullptr);
};

}  // namespace vendral
