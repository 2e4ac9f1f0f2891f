#include "gui/qt_run_host.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QScreen>

#include "core/run_frame.h"
#include "gui/browse_edit.h"
#include "gui/box_width.h"
#include "gui/busy_cursor.h"
#include "gui/decimal_symbol.h"
#include "platform/platform.h"

namespace vendral {

namespace {

// A message box that sits in the middle of the screen, not of its parent.
class CentredBox : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;

 protected:
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);
    if (const QScreen* screen = this->screen()) {
      const QRect area = screen->availableGeometry();
      move(area.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
  }
};

}  // namespace

QtRunHost::QtRunHost(QWidget& window, TLMDBrowseEdit& folder_field)
    : window_(window),
      folder_field_(folder_field),
      title_(QString::fromLocal8Bit(ApplicationTitle(platform::ProgramFilePath()))),
      decimal_symbol_(SystemDecimalSymbol()) {}

QtRunHost::~QtRunHost() { ClearBusyCursor(); }

std::string QtRunHost::OutputFolderPath() { return QFile::encodeName(folder_field_.Path()).toStdString(); }

void QtRunHost::SetOutputFolderPath(const std::string& path) {
  folder_field_.SetPath(QFile::decodeName(QByteArray::fromStdString(path)));
}

void QtRunHost::SetBusyCursor() {
  if (busy_) return;
  QApplication::setOverrideCursor(SqlWaitCursor());
  busy_ = true;
}

void QtRunHost::ClearBusyCursor() {
  if (!busy_) return;
  QApplication::restoreOverrideCursor();
  busy_ = false;
}

void QtRunHost::ShowNotice(std::string_view text) { ShowBox(text, QMessageBox::NoIcon); }

void QtRunHost::ShowFailure(std::string_view text) { ShowBox(text, QMessageBox::Critical); }

void QtRunHost::RefreshDecimalSymbol() { decimal_symbol_ = SystemDecimalSymbol(); }

void QtRunHost::ShowBox(std::string_view text, QMessageBox::Icon icon) {
  CentredBox box(icon, title_, QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size())),
                 QMessageBox::NoButton, &window_);
  box.setTextFormat(Qt::PlainText);
  SetBoxMinimumWidth(box);
  QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
  box.setDefaultButton(ok);
  box.setEscapeButton(ok);
  // The default cursor while the box is open; the one set before comes back.
  QApplication::setOverrideCursor(Qt::ArrowCursor);
  box.exec();
  QApplication::restoreOverrideCursor();
}

}  // namespace vendral
