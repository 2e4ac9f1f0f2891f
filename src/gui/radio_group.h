// A framed group of radio buttons laid out in columns, one of them chosen.
#pragma once

#include <QGroupBox>
#include <QStringList>
#include <vector>

class QButtonGroup;
class QRadioButton;

namespace vendral {

class TRadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  TRadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent = nullptr);

  // The chosen item, -1 for none.
  int ItemIndex() const;
  void SetItemIndex(int index);

  const std::vector<QRadioButton*>& Items() const { return items_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QButtonGroup* group_;
  std::vector<QRadioButton*> items_;
  int columns_;
};

}  // namespace vendral
