// The main window Form1: the output folder field, one tab per tool and the
// Close button. Its handlers read the fields and run the core tools
// through the window's run host; a failure that escapes one is reported and
// the window goes on.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "gui/program_places.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace vendral {

class QtRunHost;
class TLMDBrowseEdit;
class TOpenDialog;
class TRadioGroup;
class TwwDBSpinEdit;

class TForm1 : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 450;
  static constexpr int kClientHeight = 309;
  static constexpr int kGcContentTab = 3;

  // Runs once inside the constructor, when every control exists with its
  // designed values and before the creation event: the place where the
  // control-value store attaches itself and sets the two events, whose
  // handlers may own what they use; they live as long as the window.
  using AttachHook = std::function<void(TForm1&)>;
  using FormEvent = std::function<void()>;

  // default_output_folder: what the folder field shows when the store has
  // restored no folder.
  explicit TForm1(const AttachHook& attach = {},
                  const QString& default_output_folder = PortablePlaces().default_output_folder);
  ~TForm1() override;

  // Fired once after the attach hook, and once by the destructor after the
  // window has been hidden, while every control still exists. A failure in
  // either is reported, and the window is still created or destroyed.
  const FormEvent& OnCreate() const { return on_create_; }
  void SetOnCreate(FormEvent handler) { on_create_ = std::move(handler); }
  const FormEvent& OnDestroy() const { return on_destroy_; }
  void SetOnDestroy(FormEvent handler) { on_destroy_ = std::move(handler); }

  // Fills the source field of the tab the window opens on, GC-content: the
  // file the program was asked to open.
  void OpenSourceFile(const QString& path);

  // Every named component in creation order, the order of the layout.
  const std::vector<QObject*>& Components() const { return components_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  template <typename T>
  T* Add(T* component, const char* name);
  QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, QRect rect,
                   bool bold = false, Qt::Alignment alignment = Qt::AlignLeft);
  QLineEdit* AddEdit(QWidget* parent, const char* name, QRect rect);
  QPushButton* AddButton(QWidget* parent, const char* name, const QString& caption, QRect rect,
                         bool bold);
  QWidget* AddPage(const char* name, const QString& caption);

  void CreateArdentaPage();
  void CreateLenmarkPage();
  void CreateListrelPage();
  void CreateGcContentPage();
  void CreateOrdinelPage();
  void SetTabOrder();
  void Connect();
  void AcceptDrops();

  // Runs a handler; a failure that escapes it goes to ReportFailure.
  void Guarded(const std::function<void()>& handler);
  void ChooseFile(TOpenDialog& dialog, QLineEdit& field);

  void FormShow();
  void LMDBrowseEdit1Change();
  void BitBtn2Click();
  void BitBtn3Click();
  void Action1Execute();
  void Button1Click();
  void GOClick();
  void Button5Click();
  void ClosevvvClick();

  const QString default_output_folder_;
  std::vector<QObject*> components_;
  std::unique_ptr<QtRunHost> host_;
  FormEvent on_create_;
  FormEvent on_destroy_;

  QLabel* Label10;
  TLMDBrowseEdit* LMDBrowseEdit1;
  QTabWidget* xxx;
  QLineEdit* Edit5;
  QPushButton* Button6;
  QPushButton* BitBtn2;
  TwwDBSpinEdit* wwDBSpinEdit2;
  QLineEdit* Edit3;
  QComboBox* ComboBox1;
  QPushButton* Button4;
  QPushButton* Button1;
  QLineEdit* Edit1;
  QPushButton* Button2;
  QLineEdit* Edit2;
  QPushButton* Button3;
  TRadioGroup* RadioGroup1;
  QPushButton* GO;
  QLineEdit* Edit6;
  QPushButton* Button7;
  QPushButton* BitBtn3;
  QLineEdit* Edit7;
  QPushButton* Button8;
  QPushButton* Button5;
  QPushButton* Closevvv;
  QLineEdit* Edit4;
  TOpenDialog* OpenDialog1;
  TOpenDialog* OpenDialog2;
  QAction* Action1;
};

}  // namespace vendral
