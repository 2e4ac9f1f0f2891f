#include "gui/qt_run_host.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <utility>

#include "core/run/run_frame.h"
#include "gui/browse_edit.h"
#include "gui/box_width.h"
#include "gui/busy_cursor.h"
#include "gui/decimal_symbol.h"
#include "gui/frame_centring.h"
#include "gui/progress_dialog.h"
#include "platform/platform.h"

namespace vendral {

namespace {

QString FromLocal(std::string_view text) {
  return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

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

bool QtRunHost::Run(const std::function<void()>& tool) {
  run_clock_.start();
  const bool completed = RunGuarded(*this, tool) == RunOutcome::kDone;
  EndProgress();
  return completed;
}

bool QtRunHost::ContinueRun(std::string_view tool, std::string_view source, double fraction_done) {
  if (!run_clock_.isValid()) return true;
  if (!progress_) {
    if (run_clock_.elapsed() < kProgressDelayMs) return true;
    progress_ = new RunProgressDialog(window_, title_, FromLocal(tool), FromLocal(source));
    progress_->SetFractionDone(fraction_done);
    progress_->show();
    bar_clock_.start();
    events_clock_.invalidate();
  }
  // The dialog is modal: the events handled here repaint the window and
  // serve the dialog, while every input to the window is refused.
  if (!events_clock_.isValid() || events_clock_.elapsed() >= kEventIntervalMs) {
    if (bar_clock_.elapsed() >= kBarIntervalMs) {
      progress_->SetFractionDone(fraction_done);
      bar_clock_.start();
    }
    QCoreApplication::processEvents();
    events_clock_.start();
  }
  return !progress_->CancelRequested();
}

void QtRunHost::EndProgress() {
  if (progress_) {
    // Hidden at once; destroyed when the run is over, outside its time.
    progress_->hide();
    std::exchange(progress_, nullptr)->deleteLater();
  }
  run_clock_.invalidate();
}

void QtRunHost::RefreshDecimalSymbol() { decimal_symbol_ = SystemDecimalSymbol(); }

void QtRunHost::ShowBox(std::string_view text, QMessageBox::Icon icon) {
  EndProgress();
  QMessageBox box(icon, title_, FromLocal(text), QMessageBox::NoButton, &window_);
  box.setTextFormat(Qt::PlainText);
  SetBoxMinimumWidth(box);
  QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
  box.setDefaultButton(ok);
  box.setEscapeButton(ok);
  // In the middle of the screen, not of the window.
  box.adjustSize();
  FrameCentring::Install(box);
  // The default cursor while the box is open; the one set before comes back.
  QApplication::setOverrideCursor(Qt::ArrowCursor);
  box.exec();
  QApplication::restoreOverrideCursor();
}

}  // namespace vendral
