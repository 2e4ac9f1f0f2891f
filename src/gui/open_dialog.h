// A file-open dialog that remembers the file last chosen through it and
// opens there next time, with that file selected.
#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace vendral {

class TOpenDialog : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

  // The full name of the file last chosen; empty before the first choice.
  const QString& FileName() const { return file_name_; }

  // Shows the dialog modally. A confirmed choice becomes FileName and moves
  // the current folder to the file's folder; returns whether one was made.
  bool Execute(QWidget* parent);

 private:
  QString file_name_;
};

}  // namespace vendral
