// The main window: its controls, start-up, the file dialogs and the GO buttons.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>

#include "find_component.h"
#include "gui/browse_edit.h"
#include "gui/main_window.h"
#include "gui/radio_group.h"
#include "gui/spin_edit.h"
#include "modal.h"
#include "support/compressed_samples.h"
#include "support/temp_folder.h"

namespace vendral {

namespace {

using testing::Find;

// What a box showed, and which key closed it.
struct Box {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  bool seen = false;
};

void CloseNextBox(Box& box) {
  testing::WhenModal([&box](QWidget* modal) {
    if (auto* message = qobject_cast<QMessageBox*>(modal)) {
      box = {message->windowTitle(), message->text(), message->icon(), true};
      QTest::keyClick(message, Qt::Key_Enter);
    } else {
      modal->close();
    }
  });
}

// Presses a button whose handler shows one box, and returns that box.
Box PressAndClose(QPushButton* button) {
  Box box;
  CloseNextBox(box);
  button->click();
  return box;
}

struct Shown {
  explicit Shown(const TForm1::AttachHook& attach = {}) : form(attach) {
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
  }
  TForm1 form;
};

// Makes the tab that holds the control the current one, so that it is laid out.
void ShowPageOf(TForm1& form, QWidget* control) {
  auto* tabs = Find<QTabWidget>(form, "xxx");
  for (int i = 0; i < tabs->count(); ++i) {
    if (tabs->widget(i)->isAncestorOf(control)) tabs->setCurrentIndex(i);
  }
  QCoreApplication::processEvents();
}

// Chooses the file in an open-file dialog; the dialog reads folders in
// the background, so the choice is repeated until the dialog takes it.
void ConfirmFile(QFileDialog* dialog, const QString& file, int tries = 200) {
  // Typed into the name field, as a user would.
  if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) name->setText(file);
  QMetaObject::invokeMethod(dialog, "accept");
  if (dialog->isVisible() && tries > 0) {
    QTimer::singleShot(10, dialog, [dialog, file, tries] { ConfirmFile(dialog, file, tries - 1); });
  }
}

QString ExpectedDefaultFolder() { return QCoreApplication::applicationDirPath() + QStringLiteral("/output/"); }

}  // namespace

class WindowTest : public QObject {
  Q_OBJECT

 private slots:
  void Window() {
    TForm1 form;
    QCOMPARE(form.objectName(), QStringLiteral("Form1"));
    QCOMPARE(form.windowTitle(), QStringLiteral("Vendral 0.99"));
    QCOMPARE(form.minimumSize(), QSize(450, 309));
    QCOMPARE(form.maximumSize(), QSize(450, 309));
    QVERIFY(!(form.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(form.windowFlags() & Qt::WindowCloseButtonHint);
    QCOMPARE(form.font().pointSize(), 8);
  }

  void ControlsAtTheirPlaces_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");  // the window or a tab's caption
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("bold");
    const QString window = QStringLiteral("window");
    const QString dots = QStringLiteral("...");
    const QString go = QStringLiteral("GO");
    struct Row { const char* name; QString parent; QRect rect; QString caption; bool bold; };
    const Row rows[] = {
        {"LMDBrowseEdit1", window, {107, 5, 326, 21}, {}, false},
        {"xxx", window, {12, 37, 425, 234}, {}, false},
        {"Closevvv", window, {360, 278, 75, 25}, QStringLiteral("Close"), false},
        {"Edit4", window, {16, 280, 273, 21}, {}, false},
        {"Edit5", QStringLiteral("Ardenta"), {93, 16, 249, 21}, {}, false},
        {"Button6", QStringLiteral("Ardenta"), {349, 14, 35, 25}, dots, true},
        {"BitBtn2", QStringLiteral("Ardenta"), {145, 170, 129, 25}, go, true},
        {"Edit3", QStringLiteral("Lenmark"), {100, 20, 249, 21}, {}, false},
        {"Button4", QStringLiteral("Lenmark"), {356, 18, 35, 25}, dots, true},
        {"ComboBox1", QStringLiteral("Lenmark"), {164, 55, 41, 21}, {}, false},
        {"wwDBSpinEdit2", QStringLiteral("Lenmark"), {209, 55, 52, 22}, {}, false},
        {"Button1", QStringLiteral("Lenmark"), {145, 170, 129, 26}, go, true},
        {"Edit1", QStringLiteral("Listrel"), {100, 7, 249, 21}, {}, false},
        {"Button2", QStringLiteral("Listrel"), {356, 5, 35, 25}, dots, true},
        {"Edit2", QStringLiteral("Listrel"), {100, 32, 249, 21}, {}, false},
        {"Button3", QStringLiteral("Listrel"), {356, 31, 35, 25}, dots, true},
        {"RadioGroup1", QStringLiteral("Listrel"), {24, 54, 365, 41}, {}, false},
        {"GO", QStringLiteral("Listrel"), {145, 170, 129, 25}, go, true},
        {"Edit6", QStringLiteral("GC-content"), {93, 16, 249, 21}, {}, false},
        {"Button7", QStringLiteral("GC-content"), {349, 14, 35, 25}, dots, true},
        {"BitBtn3", QStringLiteral("GC-content"), {145, 170, 129, 25}, go, true},
        {"Edit7", QStringLiteral("Ordinel"), {93, 16, 249, 21}, {}, false},
        {"Button8", QStringLiteral("Ordinel"), {349, 14, 35, 25}, dots, true},
        {"Button5", QStringLiteral("Ordinel"), {145, 170, 129, 25}, go, true},
    };
    for (const Row& row : rows) QTest::newRow(row.name) << QString::fromLatin1(row.name) << row.parent << row.rect << row.caption << row.bold;
  }

  void ControlsAtTheirPlaces() {
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(QRect, rect);
    QFETCH(QString, caption);
    QFETCH(bool, bold);
    TForm1 form;
    auto* control = form.findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), rect);
    auto* tabs = Find<QTabWidget>(form, "xxx");
    if (parent == QStringLiteral("window")) {
      QCOMPARE(control->parentWidget(), &form);
    } else {
      const int page = tabs->indexOf(control->parentWidget());
      QVERIFY(page >= 0);
      QCOMPARE(tabs->tabText(page), parent);
    }
    if (auto* button = qobject_cast<QPushButton*>(control)) {
      QCOMPARE(button->text(), caption);
      QVERIFY(!button->isDefault() && !button->autoDefault());
    }
    QCOMPARE(control->font().bold(), bold);
  }

  void Labels_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPoint>("place");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("bold");
    QTest::newRow("Label10") << "Label10" << QPoint(13, 11) << "OUTPUT folder:" << true;
    QTest::newRow("Label11") << "Label11" << QPoint(29, 19) << "Source file: " << false;
    QTest::newRow("Label6") << "Label6" << QPoint(36, 23) << "Source file: " << false;
    QTest::newRow("Label2") << "Label2" << QPoint(120, 59) << "Length" << true;
    QTest::newRow("Label12") << "Label12" << QPoint(29, 19) << "Source file: " << false;
    QTest::newRow("Label13") << "Label13" << QPoint(29, 19) << "Source file: " << false;
    QTest::newRow("Label3") << "Label3" << QPoint(24, 95)
                            << "Lenmark - retains certain sequence lenghts in the database.\n"
                               "\n"
                               "The program uses multiFASTA sequence file as an input file and \n"
                               "returns filtered multiFASTA sequence file in OUTPUT folder."
                            << false;
    QTest::newRow("Label9") << "Label9" << QPoint(24, 100)
                            << "The program uses multiFASTA sequence file as an input file and returns \n"
                               "filtered multiFASTA sequence file in OUTPUT folder.\n"
                               "\n"
                               "MultiFASTA sequence file single-line descriptions must contain numbers only.\n"
                               "Filter file is a .txt file containing a list of single-line descriptions. "
                            << false;
    QTest::newRow("Label7") << "Label7" << QPoint(28, 59)
                            << "The program calculates GC-content as the percentage of nitrogenous \n"
                               "bases on a DNA molecule. \n"
                               "\n"
                               "The program uses multiFASTA file with nucleotide sequences as an input file.\n"
                               "\n"
                               "The program returns a .csv file in OUTPUT folder with sequences single line \n"
                               "descriptions and GC-content listed in separate columns."
                            << false;
    QTest::newRow("Label8") << "Label8" << QPoint(34, 68)
                            << "The program replaces existing single-line description in a multiFASTA \n"
                               "file with raw numbers.\n"
                               "\n"
                               "The program uses multiFASTA sequence file as an input file.\n"
                               "\n"
                               "The program returns multiFASTA sequence file in OUTPUT folder."
                            << false;
  }

  void Labels() {
    QFETCH(QString, name);
    QFETCH(QPoint, place);
    QFETCH(QString, text);
    QFETCH(bool, bold);
    Shown shown;
    auto* label = shown.form.findChild<QLabel*>(name);
    QVERIFY(label);
    ShowPageOf(shown.form, label);
    QCOMPARE(label->text(), text);
    QCOMPARE(label->geometry().topLeft(), place);
    QCOMPARE(label->font().bold(), bold);
    // Never cut off, and inside its parent.
    QVERIFY(label->width() >= label->sizeHint().width());
    QVERIFY(label->height() >= label->sizeHint().height());
    QVERIFY(label->parentWidget()->rect().contains(label->geometry()));
  }

  void RightAlignedLabelsKeepTheirRightEdge() {
    Shown shown;
    for (const auto& [name, right] : {std::pair{"Label4", 96}, std::pair{"Label5", 96}}) {
      auto* label = Find<QLabel>(shown.form, name);
      QCOMPARE(label->geometry().right() + 1, right);
      QVERIFY(label->alignment() & Qt::AlignRight);
    }
    QCOMPARE(Find<QLabel>(shown.form, "Label4")->text(), QStringLiteral("Source  file: "));
    QCOMPARE(Find<QLabel>(shown.form, "Label5")->text(), QStringLiteral("Filter file: "));
  }

  void ArdentaHelpHasEightLines() {
    TForm1 form;
    const QStringList lines = Find<QLabel>(form, "Label1")->text().split(u'\n');
    QCOMPARE(lines.size(), 8);
    QCOMPARE(lines[0], QStringLiteral("The program calculates thermostability index as proportion of "));
    QCOMPARE(lines[1], QStringLiteral("LVWIFMPCDEKR over all aminoacids in the protein after "));
    QVERIFY(lines[2].contains(QStringLiteral("2007")));
    QCOMPARE(lines[3], QString());
    QCOMPARE(lines[4], QStringLiteral("The program uses multiFASTA file with protein sequences as an input file."));
    QCOMPARE(lines[5], QString());
    QCOMPARE(lines[6], QStringLiteral("The program returns a .csv file in OUTPUT folder with sequences single "));
    QCOMPARE(lines[7], QStringLiteral("line descriptions and thermostability index values listed in separate columns."));
  }

  void DesignedValues() {
    Shown shown;
    TForm1& form = shown.form;
    auto* tabs = Find<QTabWidget>(form, "xxx");
    QStringList captions;
    for (int i = 0; i < tabs->count(); ++i) captions << tabs->tabText(i);
    QCOMPARE(captions, QStringList({"Ardenta", "Lenmark", "Listrel", "GC-content", "Ordinel"}));
    QCOMPARE(tabs->tabText(tabs->currentIndex()), QStringLiteral("GC-content"));

    auto* combo = Find<QComboBox>(form, "ComboBox1");
    QVERIFY(combo->isEditable());
    QCOMPARE(combo->count(), 3);
    QCOMPARE(combo->itemText(0) + combo->itemText(1) + combo->itemText(2), QStringLiteral("<=>"));
    QCOMPARE(combo->currentText(), QStringLiteral("<"));

    auto* length = Find<TwwDBSpinEdit>(form, "wwDBSpinEdit2");
    QCOMPARE(length->Text(), QStringLiteral("1000"));
    QCOMPARE(length->MinValue(), 1.0);
    QCOMPARE(length->MaxValue(), 10000.0);
    QCOMPARE(length->Increment(), 1.0);

    auto* criteria = Find<TRadioGroup>(form, "RadioGroup1");
    ShowPageOf(form, criteria);
    QCOMPARE(criteria->title(), QStringLiteral("Criteria"));
    QCOMPARE(criteria->Items().size(), std::size_t{2});
    QCOMPARE(criteria->Items()[0]->text(), QStringLiteral("extract from source file"));
    QCOMPARE(criteria->Items()[1]->text(), QStringLiteral("exclude from source file"));
    QCOMPARE(criteria->ItemIndex(), 1);
    // Two columns: side by side.
    QCOMPARE(criteria->Items()[0]->y(), criteria->Items()[1]->y());
    QVERIFY(criteria->Items()[0]->geometry().right() < criteria->Items()[1]->x());

    for (const char* name : {"Edit1", "Edit2", "Edit3", "Edit5", "Edit6", "Edit7"}) {
      QCOMPARE(Find<QLineEdit>(form, name)->text(), QString());
    }
    auto* action = Find<QAction>(form, "Action1");
    QVERIFY(action->shortcut().isEmpty());
    QVERIFY(!action->isChecked());
    QVERIFY(Find<QObject>(form, "OpenDialog1") != Find<QObject>(form, "OpenDialog2"));
  }

  void OpensOnTheGcContentTabEveryTime() {
    for (int start = 0; start < 2; ++start) {
      Shown shown;
      auto* tabs = Find<QTabWidget>(shown.form, "xxx");
      QCOMPARE(tabs->currentIndex(), TForm1::kGcContentTab);
      tabs->setCurrentIndex(0);
    }
  }

  void WindowIsCentredByItsFrame() {
    Shown shown;
    const QRect area = shown.form.screen()->availableGeometry();
    const QRect frame = shown.form.frameGeometry();
    QVERIFY(std::abs(frame.left() - area.left() - (area.right() - frame.right())) <= 1);
    QVERIFY(std::abs(frame.top() - area.top() - (area.bottom() - frame.bottom())) <= 1);
  }

  void Edit4StaysHidden() {
    Shown shown;
    auto* edit4 = Find<QLineEdit>(shown.form, "Edit4");
    QVERIFY(!edit4->isVisible());
    QCOMPARE(edit4->focusPolicy(), Qt::NoFocus);
  }

  void TabOrder() {
    Shown shown;
    auto* tabs = Find<QTabWidget>(shown.form, "xxx");
    // The tab control has the focus first.
    QVERIFY(tabs->isAncestorOf(QApplication::focusWidget()));
    const auto walk = [&](const std::vector<const char*>& names) {
      Find(shown.form, names[0])->setFocus();
      for (std::size_t i = 1; i < names.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* expected = Find(shown.form, names[i]);
        QWidget* focus = QApplication::focusWidget();
        QVERIFY2(focus == expected || expected->isAncestorOf(focus), names[i]);
      }
    };
    tabs->setCurrentIndex(1);
    walk({"Button1", "wwDBSpinEdit2", "Edit3", "ComboBox1", "Button4", "Closevvv", "LMDBrowseEdit1"});
    tabs->setCurrentIndex(4);
    walk({"Button5", "Edit7", "Button8", "Closevvv"});
    tabs->setCurrentIndex(2);
    walk({"Edit1", "Edit2", "Button2", "Button3", "Closevvv"});
  }

  void ComponentsInCreationOrder() {
    TForm1 form;
    // The components that the control-value store keeps, in its order.
    const QStringList stored = {"Edit5", "wwDBSpinEdit2", "Edit3", "ComboBox1", "Edit1",
                                "Edit2", "Edit6",         "Edit7", "Edit4",     "Action1"};
    QStringList seen;
    for (const QObject* component : form.Components()) {
      QVERIFY(!component->objectName().isEmpty());
      if (stored.contains(component->objectName())) seen << component->objectName();
    }
    QCOMPARE(seen, stored);
    QVERIFY(form.Components().size() > 40);
  }

  void FormShowFillsTheDefaultFolder() {
    Shown shown;
    const QString folder = ExpectedDefaultFolder();
    QCOMPARE(Find<TLMDBrowseEdit>(shown.form, "LMDBrowseEdit1")->Path(), folder);
    QCOMPARE(Find<TLMDBrowseEdit>(shown.form, "LMDBrowseEdit1")->toolTip(), folder);
    QCOMPARE(Find<QLineEdit>(shown.form, "Edit4")->text(), folder);
    QVERIFY(!QDir(folder).exists());
  }

  void FormShowTakesTheRestoredFolder() {
    // As the store does: Edit4 restored in the creation event, before the show.
    bool hidden_at_create = false;
    Shown shown([&hidden_at_create](TForm1& form) {
      form.SetOnCreate([&form, &hidden_at_create] {
        hidden_at_create = !form.isVisible();
        Find<QLineEdit>(form, "Edit4")->setText(QStringLiteral("/restored/folder"));
      });
    });
    QVERIFY(hidden_at_create);
    auto* field = Find<TLMDBrowseEdit>(shown.form, "LMDBrowseEdit1");
    QCOMPARE(field->Path(), QStringLiteral("/restored/folder"));
    QCOMPARE(field->toolTip(), QStringLiteral("/restored/folder"));
  }

  void DestroyEventSeesTheControls() {
    QString saved;
    bool visible = true;
    {
      Shown shown([&](TForm1& form) {
        form.SetOnDestroy([&form, &saved, &visible] {
          visible = form.isVisible();
          saved = Find<QLineEdit>(form, "Edit4")->text();
        });
      });
      Find<TLMDBrowseEdit>(shown.form, "LMDBrowseEdit1")->SetPath(QStringLiteral("/typed/at/the/end"));
    }
    QVERIFY(!visible);
    QCOMPARE(saved, QStringLiteral("/typed/at/the/end"));
  }

  void FailureInTheCreationEventIsReported() {
    Box box;
    CloseNextBox(box);
    TForm1 form([](TForm1& f) { f.SetOnCreate([] { throw std::runtime_error("Unable to write to X"); }); });
    QVERIFY(box.seen);
    QCOMPARE(box.text, QStringLiteral("Unable to write to X."));
    QCOMPARE(box.icon, QMessageBox::Critical);
    QVERIFY(Find<QLineEdit>(form, "Edit4"));
  }

  void CloseButtonClosesTheWindow() {
    Shown shown;
    Find<QPushButton>(shown.form, "Closevvv")->click();
    QVERIFY(!shown.form.isVisible());
  }

  void FolderFieldChangeCopiesTheText() {
    Shown shown;
    auto* field = Find<TLMDBrowseEdit>(shown.form, "LMDBrowseEdit1");
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("typed"));
    QCOMPARE(Find<QLineEdit>(shown.form, "Edit4")->text(), QStringLiteral("typed"));
    QCOMPARE(field->toolTip(), QStringLiteral("typed"));
  }

  void GcContentGoWritesItsFile() {
    testing::TempFolder temp;
    testing::WriteBytes(temp / "genes.fa", "header\r\n>a,b\r\nACGT\n>c\nGG\r\nCCNN\n>d\n");
    Shown shown;
    Find<QLineEdit>(shown.form, "Edit6")->setText(QString::fromStdString(temp / "genes.fa"));
    Find<TLMDBrowseEdit>(shown.form, "LMDBrowseEdit1")->SetPath(QString::fromStdString(temp / "out"));
    const Box box = PressAndClose(Find<QPushButton>(shown.form, "BitBtn3"));
    QVERIFY(box.seen);
    QCOMPARE(box.text, QStringLiteral("Done!"));
    QCOMPARE(box.icon, QMessageBox::NoIcon);
    QCOMPARE(box.title, QStringLiteral("vendral_window_tests"));
    QCOMPARE(testing::ReadBytes(temp / "out/genes.fa.GC-Content.csv"),
             std::string("Single-line description,,,GC%\r\n>a.b,,,50\r\n>c,,,66.6666666666667\r\n>d,,,error: \r\n"));
    // The run made the folder end with its separator; Edit4 follows.
    QCOMPARE(Find<QLineEdit>(shown.form, "Edit4")->text(), QString::fromStdString(temp / "out/"));
  }

  void ArdentaGoWritesItsFile() {
    testing::TempFolder temp;
    testing::WriteBytes(temp / "prot.fa", ">p1\nMKLV\n>p2\nMA*\n");
    Shown shown;
    Find<QLineEdit>(shown.form, "Edit5")->setText(QString::fromStdString(temp / "prot.fa"));
    Find<TLMDBrowseEdit>(shown.form, "LMDBrowseEdit1")->SetPath(QString::fromStdString(temp.path()));
    QCOMPARE(PressAndClose(Find<QPushButton>(shown.form, "BitBtn2")).text, QStringLiteral("Done!"));
    QCOMPARE(testing::ReadBytes(temp / "prot.fa.Ardenta.csv"),
             std::string("Single-line description,,,thermostability index\r\n>p1,,,100\r\n>p2,,,33.3333333333333\r\n"));
  }

  // Each tab reads a compressed source as the command line does: the output
  // is that of the plain bytes, under the compressed file's name.
  void CompressedSourcesInEveryTab_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("output");
    QTest::newRow("Ardenta") << "Edit5" << "BitBtn2" << "Ardenta.csv";
    QTest::newRow("Lenmark") << "Edit3" << "Button1" << "Lenmark.fas";
    QTest::newRow("Listrel") << "Edit1" << "GO" << "Listrel.fas";
    QTest::newRow("GC-content") << "Edit6" << "BitBtn3" << "GC-Content.csv";
    QTest::newRow("Ordinel") << "Edit7" << "Button5" << "Ordinel.fas";
  }

  void CompressedSourcesInEveryTab() {
    QFETCH(QString, field);
    QFETCH(QString, button);
    QFETCH(QString, output);
    testing::TempFolder temp;
    std::string records;
    for (int record = 1; record <= 3000; ++record) {
      records += ">" + std::to_string(record) + "\n" + std::string(record % 1500, "ACGTMKLV"[record % 8]) + "\r\n";
    }
    testing::WriteBytes(temp / "s.fa", records);
    testing::WriteBytes(temp / "s.fa.gz", testing::GzipMember(records));
    testing::WriteBytes(temp / "list.txt", testing::ZstdFrame("5\n2999\n7\n"));
    Shown shown;
    Find<QLineEdit>(shown.form, "Edit2")->setText(QString::fromStdString(temp / "list.txt"));
    for (const char* source : {"s.fa", "s.fa.gz"}) {
      Find<QLineEdit>(shown.form, field.toLatin1().constData())->setText(QString::fromStdString(temp / source));
      Find<TLMDBrowseEdit>(shown.form, "LMDBrowseEdit1")->SetPath(QString::fromStdString(temp / "out"));
      QCOMPARE(PressAndClose(shown.form.findChild<QPushButton*>(button)).text, QStringLiteral("Done!"));
    }
    const std::string plain = testing::ReadBytes(temp / ("out/s.fa." + output.toStdString()));
    QVERIFY(plain.size() > 1000);
    QCOMPARE(testing::ReadBytes(temp / ("out/s.fa.gz." + output.toStdString())), plain);
  }

  void EveryGoButtonReachesItsTool_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("notice");
    QTest::newRow("Ardenta") << "BitBtn2" << "Define correct file!!!";
    QTest::newRow("Lenmark") << "Button1" << "Define correct file!!!";
    QTest::newRow("Listrel") << "GO" << "Define correct files!!!";
    QTest::newRow("GC-content") << "BitBtn3" << "Define correct file!!!";
    QTest::newRow("Ordinel") << "Button5" << "Define correct file!!!";
  }

  void EveryGoButtonReachesItsTool() {
    QFETCH(QString, button);
    QFETCH(QString, notice);
    testing::TempFolder temp;
    Shown shown;
    Find<TLMDBrowseEdit>(shown.form, "LMDBrowseEdit1")->SetPath(QString::fromStdString(temp.path()));
    const Box box = PressAndClose(shown.form.findChild<QPushButton*>(button));
    QCOMPARE(box.text, notice);
    QCOMPARE(box.icon, QMessageBox::NoIcon);
  }

  void FailureIsReportedAndTheWindowGoesOn() {
    testing::TempFolder temp;
    testing::WriteBytes(temp / "genes.fa", ">g\nGC\n");
    Shown shown;
    auto* field = Find<TLMDBrowseEdit>(shown.form, "LMDBrowseEdit1");
    Find<QLineEdit>(shown.form, "Edit6")->setText(QString::fromStdString(temp / "genes.fa"));
    field->SetPath(QString::fromStdString(temp / "missing/out/"));
    const Box failure = PressAndClose(Find<QPushButton>(shown.form, "BitBtn3"));
    QCOMPARE(failure.text, QString::fromStdString("Cannot create folder:  " + temp / "missing/out/."));
    QCOMPARE(failure.icon, QMessageBox::Critical);
    QCOMPARE(failure.title, QStringLiteral("vendral_window_tests"));
    field->SetPath(QString::fromStdString(temp.path()));
    QCOMPARE(PressAndClose(Find<QPushButton>(shown.form, "BitBtn3")).text, QStringLiteral("Done!"));
  }

  void FileButtonsRememberTheirDialogsFile() {
    testing::TempFolder temp;
    QVERIFY(QDir().mkpath(QString::fromStdString(temp / "a")));
    QVERIFY(QDir().mkpath(QString::fromStdString(temp / "b")));
    testing::WriteBytes(temp / "a/genes.fa", ">g\n");
    testing::WriteBytes(temp / "b/filter.txt", "1\n");
    const QString genes = QString::fromStdString(temp / "a/genes.fa");
    const QString filter = QString::fromStdString(temp / "b/filter.txt");
    const QString previous_folder = QDir::currentPath();
    Shown shown;

    // Confirms file in the next dialog and notes where it opened.
    QString opened_in;
    QStringList preselected;
    const auto choose = [&](const QString& file, const char* button) {
      testing::WhenModal([&, file](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog) return modal->close(), void();
        opened_in = dialog->directory().absolutePath();
        preselected = dialog->selectedFiles();
        if (file.isEmpty()) return dialog->close(), void();
        ConfirmFile(dialog, file);
      });
      Find<QPushButton>(shown.form, button)->click();
    };

    choose(genes, "Button7");
    QCOMPARE(Find<QLineEdit>(shown.form, "Edit6")->text(), genes);
    QCOMPARE(QDir::currentPath(), QString::fromStdString(temp / "a"));

    choose(filter, "Button3");
    QCOMPARE(Find<QLineEdit>(shown.form, "Edit2")->text(), filter);
    QCOMPARE(QDir::currentPath(), QString::fromStdString(temp / "b"));

    // OpenDialog1 opens at its own last file; cancelling leaves the field.
    Find<QLineEdit>(shown.form, "Edit5")->setText(QStringLiteral("kept"));
    choose(QString(), "Button6");
    QCOMPARE(opened_in, QString::fromStdString(temp / "a"));
    QCOMPARE(preselected, QStringList{genes});
    QCOMPARE(Find<QLineEdit>(shown.form, "Edit5")->text(), QStringLiteral("kept"));

    choose(QString(), "Button3");
    QCOMPARE(preselected, QStringList{filter});
    QDir::setCurrent(previous_folder);
  }
};

}  // namespace vendral

QTEST_MAIN(vendral::WindowTest)
#include "window_test.moc"
