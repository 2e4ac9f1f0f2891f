// The run host of the window: the output folder field, the busy cursor
// over every window of the program, and the modal boxes with the
// application title as caption.
#pragma once

#include <QMessageBox>
#include <QString>

#include "core/run_host.h"

namespace vendral {

class TLMDBrowseEdit;

class QtRunHost : public RunHost {
 public:
  QtRunHost(QWidget& window, TLMDBrowseEdit& folder_field);
  ~QtRunHost() override;

  std::string OutputFolderPath() override;
  void SetOutputFolderPath(const std::string& path) override;
  void SetBusyCursor() override;
  void ClearBusyCursor() override;
  void ShowNotice(std::string_view text) override;
  void ShowFailure(std::string_view text) override;
  char DecimalSymbol() override { return decimal_symbol_; }

  // Reads the locale's decimal symbol again, after a change of the locale.
  void RefreshDecimalSymbol();

  // The program file's name as the caption of the boxes.
  const QString& Title() const { return title_; }

 private:
  void ShowBox(std::string_view text, QMessageBox::Icon icon);

  QWidget& window_;
  TLMDBrowseEdit& folder_field_;
  QString title_;
  char decimal_symbol_;
  bool busy_ = false;
};

}  // namespace vendral
