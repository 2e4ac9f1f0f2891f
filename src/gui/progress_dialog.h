// The box that a long run shows over the window: which tool reads which
// source file, a bar for the share read so far, and Cancel, which Esc and
// the close box press as well. Cancel only notes the wish: the run ends at
// its next report, and then the box goes.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QProgressBar;
class QPushButton;

namespace vendral {

class RunProgressDialog : public QDialog {
  Q_OBJECT

 public:
  RunProgressDialog(QWidget& window, const QString& title, const QString& tool, const QString& source);

  void SetFractionDone(double fraction_done);
  bool CancelRequested() const { return cancel_requested_; }

  QLabel* Label() const { return label_; }
  QProgressBar* Bar() const { return bar_; }
  QPushButton* CancelButton() const { return cancel_; }

  void reject() override;

 private:
  QLabel* label_;
  QProgressBar* bar_;
  QPushButton* cancel_;
  bool cancel_requested_ = false;
};

}  // namespace vendral
