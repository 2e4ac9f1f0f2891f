#include "gui/browse_dialog.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>

namespace vendral {

TLMDBrowseDlg::TLMDBrowseDlg(QWidget* parent, const QString& start_folder)
    : QFileDialog(parent, QString(), start_folder) {
  setObjectName(QStringLiteral("TLMDBrowseDlg"));
  // The platform's own dialog would not let the OK button be held back.
  setOption(QFileDialog::DontUseNativeDialog);
  setOption(QFileDialog::ShowDirsOnly);
  setFileMode(QFileDialog::Directory);
  if (auto* buttons = findChild<QDialogButtonBox*>()) ok_ = buttons->button(QDialogButtonBox::Open);
  if (ok_) {
    ok_wanted_ = ok_->isEnabled();
    ok_->setEnabled(false);
    // The dialog enables the button again whenever its state changes; until
    // a folder is selected, that is undone at once.
    ok_->installEventFilter(this);
  }
  connect(this, &QFileDialog::currentChanged, this, [this](const QString& path) {
    if (!path.isEmpty()) FolderSelected();
  });
  connect(this, &QFileDialog::directoryEntered, this, &TLMDBrowseDlg::FolderSelected);
  if (auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
    connect(name, &QLineEdit::textEdited, this, &TLMDBrowseDlg::FolderSelected);
  }
}

bool TLMDBrowseDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ok_ && event->type() == QEvent::EnabledChange && !selected_ && !holding_back_) {
    ok_wanted_ = ok_->isEnabled();
    holding_back_ = true;
    ok_->setEnabled(false);
    holding_back_ = false;
  }
  return QFileDialog::eventFilter(watched, event);
}

void TLMDBrowseDlg::FolderSelected() {
  if (selected_) return;
  selected_ = true;
  if (ok_) ok_->setEnabled(ok_wanted_);
}

}  // namespace vendral
