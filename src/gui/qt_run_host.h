// The run host of the window: the output folder field, the busy cursor
// over every window of the program, the modal boxes with the application
// title as caption, and the progress dialog of a long run.
#pragma once

#include <QElapsedTimer>
#include <QMessageBox>
#include <QString>
#include <functional>

#include "core/run/run_host.h"

namespace vendral {

class RunProgressDialog;
class TLMDBrowseEdit;

class QtRunHost : public RunHost {
 public:
  // A run still reading after this long shows the progress dialog; a
  // shorter one shows nothing new.
  static constexpr qint64 kProgressDelayMs = 300;
  // While the dialog shows, the window's events are handled this often, so
  // that it repaints and Cancel is noted soon; handling them is cheap.
  static constexpr qint64 kEventIntervalMs = 50;
  // The bar moves this often: each move repaints it, about a millisecond.
  static constexpr qint64 kBarIntervalMs = 250;

  QtRunHost(QWidget& window, TLMDBrowseEdit& folder_field);
  ~QtRunHost() override;

  std::string OutputFolderPath() override;
  void SetOutputFolderPath(const std::string& path) override;
  void SetBusyCursor() override;
  void ClearBusyCursor() override;
  void ShowNotice(std::string_view text) override;
  void ShowFailure(std::string_view text) override;
  char DecimalSymbol() override { return decimal_symbol_; }
  bool ContinueRun(std::string_view tool, std::string_view source, double fraction_done) override;
  ReadSettings ReadingSettings() override { return {.threads = DefaultReadThreads()}; }

  // Runs a tool as RunGuarded does, with the progress dialog when it takes
  // long. Returns false when the run did not complete.
  bool Run(const std::function<void()>& tool);

  // Reads the locale's decimal symbol again, after a change of the locale.
  void RefreshDecimalSymbol();

  // The program file's name as the caption of the boxes.
  const QString& Title() const { return title_; }

 private:
  void ShowBox(std::string_view text, QMessageBox::Icon icon);
  // Closes the progress dialog for the rest of the run: a box follows.
  void EndProgress();

  QWidget& window_;
  TLMDBrowseEdit& folder_field_;
  QString title_;
  char decimal_symbol_;
  bool busy_ = false;
  QElapsedTimer run_clock_;     // since the run started; invalid outside a run
  QElapsedTimer events_clock_;  // since the window's events were last handled
  QElapsedTimer bar_clock_;     // since the bar last moved
  RunProgressDialog* progress_ = nullptr;  // a child of the window while it shows
};

}  // namespace vendral
