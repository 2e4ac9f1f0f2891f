#include "gui/main_window.h"

#include <QAction>
#include <algorithm>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTabWidget>

#include "core/tools/composition.h"
#include "core/tools/lenmark.h"
#include "core/tools/listrel.h"
#include "core/tools/ordinel.h"
#include "core/run/run_frame.h"
#include "gui/browse_edit.h"
#include "gui/frame_centring.h"
#include "gui/help_texts.h"
#include "gui/open_dialog.h"
#include "gui/path_drop.h"
#include "gui/qt_run_host.h"
#include "gui/radio_group.h"
#include "gui/spin_edit.h"
#include "gui/window_font.h"
#include "platform/platform.h"

namespace vendral {

namespace {

constexpr QRect kGoButton(145, 170, 129, 25);

std::string FileName(const QLineEdit& field) { return QFile::encodeName(field.text()).toStdString(); }

std::string Bytes(const QString& text) { return text.toLocal8Bit().toStdString(); }

QFont Bold(QFont font) {
  font.setBold(true);
  return font;
}

}  // namespace

TForm1::TForm1(const AttachHook& attach, const QString& default_output_folder)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      default_output_folder_(default_output_folder) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Vendral 0.99"));
  setFont(WindowFont());
  setFixedSize(kClientWidth, kClientHeight);

  Label10 = AddLabel(this, "Label10", QStringLiteral("OUTPUT folder:"), {13, 11, 92, 13}, true);
  LMDBrowseEdit1 = Add(new TLMDBrowseEdit(this), "LMDBrowseEdit1");
  LMDBrowseEdit1->setGeometry(107, 5, 326, 21);
  host_ = std::make_unique<QtRunHost>(*this, *LMDBrowseEdit1);

  xxx = Add(new QTabWidget(this), "xxx");
  xxx->setGeometry(12, 37, 425, 234);
  CreateArdentaPage();
  CreateLenmarkPage();
  CreateListrelPage();
  CreateGcContentPage();
  CreateOrdinelPage();
  xxx->setCurrentIndex(kGcContentTab);

  Closevvv = AddButton(this, "Closevvv", QStringLiteral("Close"), {360, 278, 75, 25}, false);
  Edit4 = AddEdit(this, "Edit4", {16, 280, 273, 21});
  Edit4->setFocusPolicy(Qt::NoFocus);
  Edit4->hide();

  OpenDialog1 = Add(new TOpenDialog(this), "OpenDialog1");
  OpenDialog2 = Add(new TOpenDialog(this), "OpenDialog2");
  Action1 = Add(new QAction(this), "Action1");
  addAction(Action1);

  SetTabOrder();
  AcceptDrops();
  xxx->setFocus();
  FrameCentring::Install(*this);

  if (attach) attach(*this);
  Connect();
  Guarded([this] {
    if (on_create_) on_create_();
  });
}

TForm1::~TForm1() {
  hide();
  Guarded([this] {
    if (on_destroy_) on_destroy_();
  });
}

template <typename T>
T* TForm1::Add(T* component, const char* name) {
  component->setObjectName(QString::fromLatin1(name));
  components_.push_back(component);
  return component;
}

QLabel* TForm1::AddLabel(QWidget* parent, const char* name, const QString& text, QRect rect, bool bold,
                         Qt::Alignment alignment) {
  auto* label = Add(new QLabel(text, parent), name);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(alignment | Qt::AlignTop);
  if (bold) label->setFont(Bold(font()));
  // Sized to its text like an auto-sized label: never cut off; a
  // right-aligned one keeps its right edge.
  const QSize hint = label->sizeHint();
  const int width = std::max(rect.width(), hint.width());
  const int height = std::max(rect.height(), hint.height());
  const int left = alignment & Qt::AlignRight ? rect.right() + 1 - width : rect.left();
  label->setGeometry(left, rect.top(), width, height);
  return label;
}

QLineEdit* TForm1::AddEdit(QWidget* parent, const char* name, QRect rect) {
  auto* edit = Add(new QLineEdit(parent), name);
  edit->setGeometry(rect);
  return edit;
}

QPushButton* TForm1::AddButton(QWidget* parent, const char* name, const QString& caption, QRect rect,
                               bool bold) {
  auto* button = Add(new QPushButton(caption, parent), name);
  button->setAutoDefault(false);
  if (bold) button->setFont(Bold(font()));
  button->setGeometry(rect);
  return button;
}

QWidget* TForm1::AddPage(const char* name, const QString& caption) {
  auto* page = Add(new QWidget(xxx), name);
  xxx->addTab(page, caption);
  return page;
}

void TForm1::CreateArdentaPage() {
  QWidget* page = AddPage("TabSheet1", QStringLiteral("Ardenta"));
  AddLabel(page, "Label11", QStringLiteral("Source file: "), {29, 19, 56, 13});
  Edit5 = AddEdit(page, "Edit5", {93, 16, 249, 21});
  Button6 = AddButton(page, "Button6", QStringLiteral("..."), {349, 14, 35, 25}, true);
  BitBtn2 = AddButton(page, "BitBtn2", QStringLiteral("GO"), kGoButton, true);
  AddLabel(page, "Label1", ArdentaHelp(), {28, 52, 354, 104});
}

void TForm1::CreateLenmarkPage() {
  QWidget* page = AddPage("TabSheet2", QStringLiteral("Lenmark"));
  AddLabel(page, "Label6", QStringLiteral("Source file: "), {36, 23, 56, 13});
  wwDBSpinEdit2 = Add(new TwwDBSpinEdit(page), "wwDBSpinEdit2");
  wwDBSpinEdit2->setFont(ArialFont());
  wwDBSpinEdit2->SetMinValue(1);
  wwDBSpinEdit2->SetMaxValue(10000);
  wwDBSpinEdit2->SetIncrement(1);
  wwDBSpinEdit2->SetValue(1000);
  wwDBSpinEdit2->setGeometry(209, 55, 52, 22);
  Edit3 = AddEdit(page, "Edit3", {100, 20, 249, 21});
  ComboBox1 = Add(new QComboBox(page), "ComboBox1");
  ComboBox1->setEditable(true);
  ComboBox1->setInsertPolicy(QComboBox::NoInsert);
  ComboBox1->addItems({QStringLiteral("<"), QStringLiteral("="), QStringLiteral(">")});
  ComboBox1->setCurrentIndex(0);
  ComboBox1->setGeometry(164, 55, 41, 21);
  AddLabel(page, "Label2", QStringLiteral("Length"), {120, 59, 40, 13}, true);
  Button4 = AddButton(page, "Button4", QStringLiteral("..."), {356, 18, 35, 25}, true);
  Button1 = AddButton(page, "Button1", QStringLiteral("GO"), {145, 170, 129, 26}, true);
  AddLabel(page, "Label3", LenmarkHelp(), {24, 95, 304, 52});
}

void TForm1::CreateListrelPage() {
  QWidget* page = AddPage("TabSheet3", QStringLiteral("Listrel"));
  AddLabel(page, "Label4", QStringLiteral("Source  file: "), {37, 9, 59, 13}, false, Qt::AlignRight);
  Edit1 = AddEdit(page, "Edit1", {100, 7, 249, 21});
  Button2 = AddButton(page, "Button2", QStringLiteral("..."), {356, 5, 35, 25}, true);
  AddLabel(page, "Label5", QStringLiteral("Filter file: "), {52, 36, 44, 13}, false, Qt::AlignRight);
  Edit2 = AddEdit(page, "Edit2", {100, 32, 249, 21});
  Button3 = AddButton(page, "Button3", QStringLiteral("..."), {356, 31, 35, 25}, true);
  RadioGroup1 = Add(new TRadioGroup(QStringLiteral("Criteria"),
                                    {QStringLiteral("extract from source file"),
                                     QStringLiteral("exclude from source file")},
                                    2, page),
                    "RadioGroup1");
  RadioGroup1->SetItemIndex(static_cast<int>(ListrelCriteria::kExclude));
  RadioGroup1->setGeometry(24, 54, 365, 41);
  GO = AddButton(page, "GO", QStringLiteral("GO"), kGoButton, true);
  AddLabel(page, "Label9", ListrelHelp(), {24, 100, 361, 65});
}

void TForm1::CreateGcContentPage() {
  QWidget* page = AddPage("TabSheet4", QStringLiteral("GC-content"));
  AddLabel(page, "Label12", QStringLiteral("Source file: "), {29, 19, 56, 13});
  Edit6 = AddEdit(page, "Edit6", {93, 16, 249, 21});
  Button7 = AddButton(page, "Button7", QStringLiteral("..."), {349, 14, 35, 25}, true);
  BitBtn3 = AddButton(page, "BitBtn3", QStringLiteral("GO"), kGoButton, true);
  AddLabel(page, "Label7", GcContentHelp(), {28, 59, 362, 91});
}

void TForm1::CreateOrdinelPage() {
  QWidget* page = AddPage("TabSheet5", QStringLiteral("Ordinel"));
  AddLabel(page, "Label13", QStringLiteral("Source file: "), {29, 19, 56, 13});
  Edit7 = AddEdit(page, "Edit7", {93, 16, 249, 21});
  Button8 = AddButton(page, "Button8", QStringLiteral("..."), {349, 14, 35, 25}, true);
  Button5 = AddButton(page, "Button5", QStringLiteral("GO"), kGoButton, true);
  AddLabel(page, "Label8", OrdinelHelp(), {34, 68, 325, 78});
}

void TForm1::SetTabOrder() {
  // The tab control first and, within it, each page's controls in their
  // own order; then the Close button and the folder field.
  const std::vector<QWidget*> order = {
      xxx,
      BitBtn2, Edit5, Button6,
      Button1, wwDBSpinEdit2, Edit3, ComboBox1, Button4,
      GO, RadioGroup1->Items()[0], RadioGroup1->Items()[1], Edit1, Edit2, Button2, Button3,
      BitBtn3, Edit6, Button7,
      Button5, Edit7, Button8,
      Closevvv, LMDBrowseEdit1,
  };
  for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

void TForm1::Connect() {
  connect(LMDBrowseEdit1, &TLMDBrowseEdit::Change, this, [this] { Guarded([this] { LMDBrowseEdit1Change(); }); });
  const auto choose = [this](QPushButton* button, TOpenDialog* dialog, QLineEdit* field) {
    connect(button, &QPushButton::clicked, this, [this, dialog, field] {
      Guarded([this, dialog, field] { ChooseFile(*dialog, *field); });
    });
  };
  choose(Button6, OpenDialog1, Edit5);
  choose(Button4, OpenDialog1, Edit3);
  choose(Button2, OpenDialog1, Edit1);
  choose(Button3, OpenDialog2, Edit2);
  choose(Button7, OpenDialog1, Edit6);
  choose(Button8, OpenDialog1, Edit7);
  const auto click = [this](QPushButton* button, void (TForm1::*handler)()) {
    connect(button, &QPushButton::clicked, this, [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
  };
  // A tool run: the same guard, and the progress dialog when it takes long.
  const auto run = [this](auto* sender, auto signal, void (TForm1::*tool)()) {
    connect(sender, signal, this, [this, tool] { host_->Run([this, tool] { (this->*tool)(); }); });
  };
  click(BitBtn2, &TForm1::BitBtn2Click);
  run(Button1, &QPushButton::clicked, &TForm1::Button1Click);
  run(GO, &QPushButton::clicked, &TForm1::GOClick);
  click(BitBtn3, &TForm1::BitBtn3Click);
  run(Button5, &QPushButton::clicked, &TForm1::Button5Click);
  click(Closevvv, &TForm1::ClosevvvClick);
  run(Action1, &QAction::triggered, &TForm1::Action1Execute);
}

void TForm1::AcceptDrops() {
  const auto file_into = [](QLineEdit* field) {
    return [field](const QString& path) { field->setText(path); };
  };
  for (QLineEdit* field : {Edit5, Edit3, Edit1, Edit2, Edit6, Edit7}) {
    PathDrop::Install(*field, PathDrop::Kind::kFile, file_into(field));
  }
  // A file dropped anywhere else on a page is that page's source file; the
  // controls that take drops of their own hand theirs to the page too.
  for (QLineEdit* source : {Edit5, Edit3, Edit1, Edit6, Edit7}) {
    QWidget* page = source->parentWidget();
    PathDrop::Install(*page, PathDrop::Kind::kFile, file_into(source));
    for (QWidget* control : page->findChildren<QWidget*>()) {
      if (control->acceptDrops() && !PathDrop::IsInstalledOn(*control)) {
        PathDrop::Install(*control, PathDrop::Kind::kFile, file_into(source));
      }
    }
  }
  PathDrop::Install(*LMDBrowseEdit1, PathDrop::Kind::kFolder,
                    [this](const QString& path) { LMDBrowseEdit1->SetText(path); });
}

void TForm1::Guarded(const std::function<void()>& handler) { RunGuarded(*host_, handler); }

void TForm1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous()) Guarded([this] { FormShow(); });
}

void TForm1::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LocaleChange) host_->RefreshDecimalSymbol();
  QWidget::changeEvent(event);
}

void TForm1::FormShow() {
  // The folder restored into Edit4, or the default one.
  QString folder = Edit4->text();
  if (folder.isEmpty()) {
    folder = default_output_folder_;
    // A run creates one folder level only. Beside the program the level
    // above exists; in the user's documents it may not yet.
    QDir().mkpath(QFileInfo(QDir::cleanPath(folder)).path());
  }
  LMDBrowseEdit1->SetText(folder);
  LMDBrowseEdit1->SetPath(folder);
}

void TForm1::OpenSourceFile(const QString& path) { Edit6->setText(path); }

void TForm1::LMDBrowseEdit1Change() {
  Edit4->setText(LMDBrowseEdit1->Text());
  LMDBrowseEdit1->setToolTip(LMDBrowseEdit1->Text());
}

void TForm1::ChooseFile(TOpenDialog& dialog, QLineEdit& field) {
  if (dialog.Execute(this)) field.setText(dialog.FileName());
}

void TForm1::BitBtn2Click() {
  ToolMode = kArdentaLetters;
  Action1->trigger();
}

void TForm1::BitBtn3Click() {
  ToolMode = kGcLetters;
  Action1->trigger();
}

void TForm1::Action1Execute() { vendral::Action1Execute(*host_, FileName(*Edit5), FileName(*Edit6)); }

void TForm1::Button1Click() {
  RunLenmark(*host_, FileName(*Edit3), Bytes(ComboBox1->currentText()), Bytes(wwDBSpinEdit2->Text()));
}

void TForm1::GOClick() {
  RunListrel(*host_, FileName(*Edit1), FileName(*Edit2), static_cast<ListrelCriteria>(RadioGroup1->ItemIndex()));
}

void TForm1::Button5Click() { RunOrdinel(*host_, FileName(*Edit7)); }

void TForm1::ClosevvvClick() { close(); }

}  // namespace vendral
