// Closing the modal dialogs that the code under test opens: the action
// runs on the dialog as soon as it is the active modal widget.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace vendral::testing {

// Runs the action on the first active modal dialog of the class Dialog;
// gives up (nothing is done) when none shows within ~1000 looks, 10 ms apart.
template <typename Dialog>
void WhenModalOf(std::function<void(Dialog*)> action) {
  auto* timer = new QTimer(qApp);
  auto tries = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, tries, action] {
    auto* modal = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    if ((modal && modal->isVisible()) || ++*tries > 1000) {
      timer->stop();
      timer->deleteLater();
      if (modal) action(modal);
    }
  });
  timer->start(10);
}

// The same for whatever modal dialog shows first.
inline void WhenModal(std::function<void(QWidget*)> action) { WhenModalOf<QWidget>(std::move(action)); }

}  // namespace vendral::testing
