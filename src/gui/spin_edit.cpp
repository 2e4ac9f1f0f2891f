#include "gui/spin_edit.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QStyle>
#include <QToolButton>
#include <charconv>
#include <optional>
#include <string>

#include "core/text/value_text.h"
#include "gui/decimal_symbol.h"

namespace vendral {

namespace {

bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// An optional sign, digits with at most one decimal symbol, and an optional
// exponent; anything else, or a number out of range, is no number.
std::optional<double> ParseDecimal(const QString& text, QChar decimal_symbol) {
  std::string plain;
  qsizetype i = 0;
  const qsizetype n = text.size();
  if (i < n && (text[i] == u'+' || text[i] == u'-')) {
    if (text[i] == u'-') plain += '-';
    ++i;
  }
  int mantissa_digits = 0;
  for (; i < n && IsDigit(text[i]); ++i, ++mantissa_digits) plain += static_cast<char>(text[i].unicode());
  if (i < n && text[i] == decimal_symbol) {
    plain += '.';
    for (++i; i < n && IsDigit(text[i]); ++i, ++mantissa_digits) plain += static_cast<char>(text[i].unicode());
  }
  if (mantissa_digits == 0) return std::nullopt;
  if (i < n && (text[i] == u'e' || text[i] == u'E')) {
    plain += 'e';
    ++i;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) plain += static_cast<char>(text[i++].unicode());
    int exponent_digits = 0;
    for (; i < n && IsDigit(text[i]); ++i, ++exponent_digits) plain += static_cast<char>(text[i].unicode());
    if (exponent_digits == 0) return std::nullopt;
  }
  if (i != n) return std::nullopt;
  double value = 0;
  const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (error != std::errc() || end != plain.data() + plain.size()) return std::nullopt;
  return value;
}

}  // namespace

TwwDBSpinEdit::TwwDBSpinEdit(QWidget* parent)
    : QLineEdit(parent),
      decimal_symbol_(QChar::fromLatin1(SystemDecimalSymbol())),
      up_(MakeButton(Qt::UpArrow, "UpButton")),
      down_(MakeButton(Qt::DownArrow, "DownButton")) {
  setText(QStringLiteral("0"));
  setTextMargins(0, 0, kButtonWidth, 0);
  connect(up_, &QToolButton::clicked, this, &TwwDBSpinEdit::StepUp);
  connect(down_, &QToolButton::clicked, this, &TwwDBSpinEdit::StepDown);
}

QToolButton* TwwDBSpinEdit::MakeButton(Qt::ArrowType arrow, const char* name) {
  auto* button = new QToolButton(this);
  button->setObjectName(QString::fromLatin1(name));
  button->setArrowType(arrow);
  button->setFocusPolicy(Qt::NoFocus);
  button->setCursor(Qt::ArrowCursor);
  // A click steps on release; a held button steps again after the delay and
  // then at each interval while the pointer stays on it.
  button->setAutoRepeat(true);
  button->setAutoRepeatDelay(kRepeatDelayMs);
  button->setAutoRepeatInterval(kRepeatIntervalMs);
  return button;
}

double TwwDBSpinEdit::Value() const {
  return ParseDecimal(text(), decimal_symbol_).value_or(min_value_);
}

double TwwDBSpinEdit::Clamped(double value) const {
  if (min_value_ == 0 && max_value_ == 0) return value;
  if (value < min_value_) return min_value_;
  if (value > max_value_) return max_value_;
  return value;
}

void TwwDBSpinEdit::SetValue(double value) {
  const std::string shown = ValueText(Clamped(value), static_cast<char>(decimal_symbol_.unicode()));
  setText(QString::fromStdString(shown));
}

bool TwwDBSpinEdit::IsTypable(QChar c) const {
  return c.unicode() < 32 || c == u'+' || c == u'-' || IsDigit(c) || c == decimal_symbol_;
}

void TwwDBSpinEdit::Step(int direction) {
  setFocus();
  SetValue(Value() + direction * increment_);
  setModified(true);
}

void TwwDBSpinEdit::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
    Step(event->key() == Qt::Key_Up ? +1 : -1);
    event->accept();
    return;
  }
  // Shortcuts (Ctrl+V and the like) and keys that insert nothing pass.
  const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  if (!shortcut) {
    for (const QChar c : event->text()) {
      if (c.isPrint() && !IsTypable(c)) {
        QApplication::beep();
        event->accept();
        return;
      }
    }
  }
  QLineEdit::keyPressEvent(event);
}

void TwwDBSpinEdit::inputMethodEvent(QInputMethodEvent* event) {
  QString kept;
  for (const QChar c : event->commitString()) {
    if (IsTypable(c)) kept += c;
  }
  if (kept.size() != event->commitString().size()) {
    QApplication::beep();
    event->setCommitString(kept, event->replacementStart(), event->replacementLength());
  }
  QLineEdit::inputMethodEvent(event);
}

void TwwDBSpinEdit::focusOutEvent(QFocusEvent* event) {
  const double value = Value();
  const double clamped = Clamped(value);
  if (clamped != value) SetValue(clamped);
  QLineEdit::focusOutEvent(event);
}

void TwwDBSpinEdit::resizeEvent(QResizeEvent* event) {
  QLineEdit::resizeEvent(event);
  const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
  const int inner = height() - 2 * frame;
  const int left = width() - frame - kButtonWidth;
  up_->setGeometry(left, frame, kButtonWidth, inner / 2);
  down_->setGeometry(left, frame + inner / 2, kButtonWidth, inner - inner / 2);
}

void TwwDBSpinEdit::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LocaleChange) decimal_symbol_ = QChar::fromLatin1(SystemDecimalSymbol());
  QLineEdit::changeEvent(event);
}

}  // namespace vendral
