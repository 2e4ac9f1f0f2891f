#include "gui/open_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace vendral {

bool TOpenDialog::Execute(QWidget* parent) {
  // No filter: every file is listed. A starting path that names a file
  // opens its folder with the file selected.
  const QString chosen = QFileDialog::getOpenFileName(parent, QString(), file_name_);
  if (chosen.isEmpty()) return false;
  file_name_ = QDir::toNativeSeparators(chosen);
  QDir::setCurrent(QFileInfo(chosen).absolutePath());
  return true;
}

}  // namespace vendral
