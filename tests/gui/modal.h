// Closing the modal dialogs that the code under test opens: the action
// runs on the dialog as soon as it is the active modal widget.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace vendral::testing {

// Fails the wait (nothing is done) when no modal dialog shows within ~10 s.
inline void WhenModal(std::function<void(QWidget*)> action) {
  auto* timer = new QTimer(qApp);
  auto tries = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, tries, action] {
    QWidget* modal = QApplication::activeModalWidget();
    if ((modal && modal->isVisible()) || ++*tries > 1000) {
      timer->stop();
      timer->deleteLater();
      if (modal) action(modal);
    }
  });
  timer->start(10);
}

}  // namespace vendral::testing
