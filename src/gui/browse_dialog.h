// The folder dialog of the output folder field. It opens with its OK button
// disabled, so that a reflex click cannot choose the folder it happens to
// open in; OK becomes usable once the user selects a folder, enters one or
// types a name.
#pragma once

#include <QFileDialog>

class QPushButton;

namespace vendral {

class TLMDBrowseDlg : public QFileDialog {
  Q_OBJECT

 public:
  TLMDBrowseDlg(QWidget* parent, const QString& start_folder);

  QPushButton* OkButton() const { return ok_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FolderSelected();

  QPushButton* ok_ = nullptr;
  bool selected_ = false;
  bool holding_back_ = false;  // the filter's own change of the button
  // What the dialog itself last made of the button, given once a folder
  // is selected.
  bool ok_wanted_ = false;
};

}  // namespace vendral
