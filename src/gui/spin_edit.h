// The number field: a one-line editor whose text is its only state, with
// arrow buttons at its right end. Value is computed from the text; typing
// is filtered, pasting and assigning the text are not; the range is
// enforced when a value is assigned and when the field loses the focus.
#pragma once

#include <QChar>
#include <QLineEdit>
#include <QString>

class QToolButton;

namespace vendral {

class TwwDBSpinEdit : public QLineEdit {
  Q_OBJECT

 public:
  static constexpr int kButtonWidth = 15;
  static constexpr int kRepeatDelayMs = 400;
  static constexpr int kRepeatIntervalMs = 100;

  // Created with the text "0", no limits and a step of 1.
  explicit TwwDBSpinEdit(QWidget* parent = nullptr);

  double MinValue() const { return min_value_; }
  void SetMinValue(double value) { min_value_ = value; }
  double MaxValue() const { return max_value_; }
  void SetMaxValue(double value) { max_value_ = value; }
  double Increment() const { return increment_; }
  void SetIncrement(double value) { increment_ = value; }

  // The number the text stands for; MinValue for an empty or non-numeric text.
  double Value() const;
  // Clamps, then shows the shortest general form with 15 significant digits.
  void SetValue(double value);

  // Assigned unchanged: no filter, no range check.
  QString Text() const { return text(); }
  void SetText(const QString& text) { setText(text); }

  void StepUp() { Step(+1); }
  void StepDown() { Step(-1); }

  QChar DecimalSymbol() const { return decimal_symbol_; }

  QToolButton* UpButton() const { return up_; }
  QToolButton* DownButton() const { return down_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  QToolButton* MakeButton(Qt::ArrowType arrow, const char* name);
  double Clamped(double value) const;
  bool IsTypable(QChar c) const;
  void Step(int direction);

  double min_value_ = 0;
  double max_value_ = 0;
  double increment_ = 1;
  QChar decimal_symbol_;
  QToolButton* up_;
  QToolButton* down_;
};

}  // namespace vendral
