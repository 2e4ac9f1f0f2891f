// The window's controls found by their component names, as the tests name them.
#pragma once

#include <QObject>
#include <QString>
#include <QWidget>
#include <QtGlobal>

namespace vendral::testing {

template <typename T = QWidget>
T* Find(const QObject& form, const char* name) {
  T* found = form.findChild<T*>(QString::fromLatin1(name));
  if (!found) qFatal("no component %s", name);
  return found;
}

}  // namespace vendral::testing
