// The output folder field: a one-line editor with a browse button at its
// right end that picks a folder. Its only state is its text; Change fires
// once for every change of it and never for a text that stays the same.
#pragma once

#include <QLineEdit>
#include <QString>

class QToolButton;

namespace vendral {

class TLMDBrowseEdit : public QLineEdit {
  Q_OBJECT

 public:
  static constexpr int kCustomButtonWidth = 18;

  explicit TLMDBrowseEdit(QWidget* parent = nullptr);

  QString Text() const { return text(); }
  // Replaces the text when it differs, with the caret at the start.
  void SetText(const QString& text);

  // The text, unchanged: no separator is added or removed.
  QString Path() const { return text(); }
  void SetPath(const QString& path) { SetText(path); }

  QToolButton* BrowseButton() const { return button_; }

 signals:
  void Change();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Browse();

  QToolButton* button_;
};

}  // namespace vendral
