#include "gui/progress_dialog.h"

#include <QFontMetrics>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/box_width.h"
#include "gui/frame_centring.h"

namespace vendral {
namespace {

constexpr int kBarSteps = 1000;
// A long path loses its middle rather than widening the box past the window.
constexpr int kMaxPathWidth = 400;
constexpr int kBarWidth = 300;

}  // namespace

RunProgressDialog::RunProgressDialog(QWidget& window, const QString& title, const QString& tool,
                                     const QString& source)
    : QDialog(&window), label_(new QLabel(this)), bar_(new QProgressBar(this)) {
  setObjectName(QStringLiteral("RunProgressDialog"));
  setWindowTitle(title);
  setWindowModality(Qt::ApplicationModal);
  // The window's font is ready at hand; another would be looked up first.
  setFont(window.font());
  label_->setTextFormat(Qt::PlainText);
  label_->setText(tool + QLatin1Char('\n') +
                  QFontMetrics(label_->font()).elidedText(source, Qt::ElideMiddle, kMaxPathWidth));
  bar_->setRange(0, kBarSteps);
  bar_->setValue(0);
  bar_->setMinimumWidth(kBarWidth);
  // A plain button: a themed icon is one more thing to load as the run works.
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  connect(cancel_, &QPushButton::clicked, this, &RunProgressDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label_);
  layout->addWidget(bar_);
  layout->addWidget(cancel_, 0, Qt::AlignRight);
  const QSize hint = sizeHint();
  setFixedSize(std::max(hint.width(), BoxMinimumWidth(title)), hint.height());
  FrameCentring::Install(*this, [&window] { return window.frameGeometry(); });
}

void RunProgressDialog::SetFractionDone(double fraction_done) {
  bar_->setValue(static_cast<int>(fraction_done * kBarSteps));
}

void RunProgressDialog::reject() {
  cancel_requested_ = true;
  cancel_->setEnabled(false);
}

}  // namespace vendral
