#include "gui/browse_edit.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStyle>
#include <QToolButton>

#include "gui/browse_dialog.h"

namespace vendral {

namespace {

// The folder the dialog starts in: the desktop, or home where there is none.
QString StartFolder() {
  const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
  return QDir(desktop).exists() ? desktop : QDir::homePath();
}

QString TrimBlanks(const QString& text) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && text[begin] == u' ') ++begin;
  while (end > begin && text[end - 1] == u' ') --end;
  return text.mid(begin, end - begin);
}

}  // namespace

TLMDBrowseEdit::TLMDBrowseEdit(QWidget* parent) : QLineEdit(parent), button_(new QToolButton(this)) {
  button_->setObjectName(QStringLiteral("BrowseButton"));
  button_->setFocusPolicy(Qt::NoFocus);
  button_->setCursor(Qt::ArrowCursor);
  button_->setIcon(style()->standardIcon(QStyle::SP_DirIcon));
  button_->setIconSize(QSize(13, 14));
  setTextMargins(0, 0, kCustomButtonWidth, 0);
  connect(button_, &QToolButton::clicked, this, &TLMDBrowseEdit::Browse);
  connect(this, &QLineEdit::textChanged, this, &TLMDBrowseEdit::Change);
}

void TLMDBrowseEdit::SetText(const QString& text) {
  if (text == this->text()) return;
  setText(text);
  setCursorPosition(0);
}

void TLMDBrowseEdit::resizeEvent(QResizeEvent* event) {
  QLineEdit::resizeEvent(event);
  const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
  button_->setGeometry(width() - frame - kCustomButtonWidth, frame, kCustomButtonWidth,
                       height() - 2 * frame);
}

void TLMDBrowseEdit::Browse() {
  if (!hasFocus()) setFocus();
  TLMDBrowseDlg dialog(window(), StartFolder());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString folder = dialog.selectedFiles().constFirst();
  if (folder.isEmpty()) return;
  // Blanks around the path go, unless they belong to the folder's name.
  const QString path = QDir::toNativeSeparators(folder);
  SetText(QFileInfo(path).isDir() ? path : TrimBlanks(path));
}

}  // namespace vendral
