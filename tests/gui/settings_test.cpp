// The main window with its control-value store IniVal1: what survives a
// restart, what does not, and failures while loading or saving.
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QWindow>
#include <map>

#include "core/settings_fake_control.h"
#include "gui/browse_edit.h"
#include "gui/component_adapters.h"
#include "gui/main_window.h"
#include "gui/radio_group.h"
#include "gui/spin_edit.h"
#include "find_component.h"
#include "modal.h"
#include "support/temp_folder.h"

namespace vendral {

namespace {

using testing::Find;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

QString Q(const std::string& text) { return QString::fromStdString(text); }

struct Box {
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  bool seen = false;
};

void CloseNextBox(Box& box) {
  testing::WhenModal([&box](QWidget* modal) {
    if (auto* message = qobject_cast<QMessageBox*>(modal)) box = {message->text(), message->icon(), true};
    modal->close();
  });
}

// The window with its store on the given file; shown unless told otherwise.
struct Started {
  explicit Started(const std::string& ini_file_name, bool show = true)
      : form([this, ini_file_name](TForm1& f) { settings = &AttachIniVal1(f, ini_file_name); }) {
    if (!show) return;
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
  }
  FormSettings* settings = nullptr;
  TForm1 form;
};

// As the window's close box does it.
void CloseWithCloseBox(TForm1& form) {
  QCloseEvent close;
  QCoreApplication::sendEvent(form.windowHandle(), &close);
}

QString DefaultFolder() { return QCoreApplication::applicationDirPath() + QStringLiteral("/output/"); }

std::string Section(const std::vector<std::pair<const char*, std::string>>& keys) {
  std::string text = "[Form1]\r\n";
  for (const auto& [key, value] : keys) text += std::string(key) + "=" + value + "\r\n";
  return text;
}

// The stored controls in their order, with the values of a first start.
std::string FirstCloseFile() {
  return Section({{"Edit5", ""}, {"wwDBSpinEdit2", "1000"}, {"Edit3", ""}, {"ComboBox1", "<"},
                  {"Edit1", ""}, {"Edit2", ""}, {"Edit6", ""}, {"Edit7", ""},
                  {"Edit4", DefaultFolder().toStdString()}, {"Action1", "0"}});
}

const char* KindName(PropertyKind kind) {
  switch (kind) {
    case PropertyKind::kText: return "text";
    case PropertyKind::kInteger: return "integer";
    case PropertyKind::kEnumeration: return "enumeration";
    case PropertyKind::kBoolean: return "boolean";
    case PropertyKind::kFloat: return "float";
    case PropertyKind::kInt64: return "int64";
  }
  return "?";
}

// What a component offers that a value rule looks at, e.g. "Text:text".
QString RuleView(const Component& c) {
  QStringList offered;
  for (const char* name : {"Text", "Value", "Checked", "Style", "itemindex", "Path"}) {
    const Property* p = c.FindProperty(name);
    if (!p) continue;
    QString entry = QString::fromStdString(p->name) + ":" + KindName(p->kind);
    if (p->name == "Style") entry += "=" + QString::number(c.ReadOrdinal("Style"));
    offered << entry;
  }
  if (c.Family() == ClassFamily::kCustomEdit) offered << QStringLiteral("TwwDBCustomEdit");
  if (c.Family() != ClassFamily::kNone && c.Family() != ClassFamily::kCustomEdit) {
    offered << QStringLiteral("another family");
  }
  return offered.join(' ');
}

}  // namespace

class SettingsTest : public QObject {
  Q_OBJECT

 private slots:
  void EachComponentOffersExactlyWhatItsRuleNeeds() {
    TempFolder temp;
    Started started(temp / "IniVal1", false);
    const QString text = QStringLiteral("Text:text");
    const QString style0 = QStringLiteral("Style:enumeration=0");
    const std::map<std::string, QString> expected = {
        {"Edit5", text}, {"Edit3", text}, {"Edit1", text}, {"Edit2", text},
        {"Edit6", text}, {"Edit7", text}, {"Edit4", text},
        {"wwDBSpinEdit2", QStringLiteral("TwwDBCustomEdit")},
        {"ComboBox1", QStringLiteral("Text:text Style:enumeration=0 ItemIndex:integer")},
        {"Action1", QStringLiteral("Checked:boolean")},
        {"LMDBrowseEdit1", QStringLiteral("Path:text")},
        {"RadioGroup1", QStringLiteral("ItemIndex:integer")},
        {"xxx", style0}, {"BitBtn2", style0}, {"BitBtn3", style0},
    };
    const std::vector<Component*>& components = started.settings->form.Components();
    QCOMPARE(components.size(), started.form.Components().size() + 1);
    QCOMPARE(components.back()->Name(), std::string("IniVal1"));
    for (std::size_t i = 0; i < started.form.Components().size(); ++i) {
      QCOMPARE(Q(components[i]->Name()), started.form.Components()[i]->objectName());
    }
    for (const Component* c : components) {
      const auto it = expected.find(c->Name());
      QCOMPARE(qPrintable(RuleView(*c)), qPrintable(it == expected.end() ? QString() : it->second));
    }
    QCOMPARE(started.settings->form.Name(), std::string("Form1"));
  }

  void FileNameDefaultsToTheProgramFolder() {
    TIniVal* store = nullptr;
    TForm1 form([&store](TForm1& f) { store = &AttachIniVal1(f).store; });
    QCOMPARE(Q(store->IniPath()), QCoreApplication::applicationDirPath() + QStringLiteral("/INIVAL1.INI"));
    store->SetAutomatic(false);  // nothing is written beside the test program
  }

  void FirstStartShowsDesignedValuesAndClosingWritesTheTable() {
    TempFolder temp;
    {
      Started started(temp / "IniVal1");
      QCOMPARE(Find<TwwDBSpinEdit>(started.form, "wwDBSpinEdit2")->Text(), QStringLiteral("1000"));
      QCOMPARE(Find<QComboBox>(started.form, "ComboBox1")->currentText(), QStringLiteral("<"));
      for (const char* name : {"Edit5", "Edit3", "Edit1", "Edit2", "Edit6", "Edit7"}) {
        QVERIFY2(Find<QLineEdit>(started.form, name)->text().isEmpty(), name);
      }
      QCOMPARE(Find<TLMDBrowseEdit>(started.form, "LMDBrowseEdit1")->Path(), DefaultFolder());
      QVERIFY(!QFileInfo::exists(Q(temp / "INIVAL1.INI")));
      Find<QPushButton>(started.form, "Closevvv")->click();
      QVERIFY(!started.form.isVisible());
    }
    QCOMPARE(Q(ReadBytes(temp / "INIVAL1.INI")), Q(FirstCloseFile()));
  }

  void RestartRestoresTheStoredFields_data() {
    QTest::addColumn<QString>("length");
    QTest::addColumn<QString>("sign");
    QTest::addColumn<int>("sign_item");  // -1: typed, no item
    QTest::newRow("above the limit, an item") << "20000" << "=" << 1;
    QTest::newRow("letters, typed sign") << "abc" << ">=" << -1;
  }

  void RestartRestoresTheStoredFields() {
    QFETCH(QString, length);
    QFETCH(QString, sign);
    QFETCH(int, sign_item);
    TempFolder temp;
    const QString folder = Q(temp / "typed/folder");  // no final separator
    {
      Started first(temp / "IniVal1");
      Find<QLineEdit>(first.form, "Edit5")->setText(QStringLiteral("/data/ardenta.fa"));
      Find<TwwDBSpinEdit>(first.form, "wwDBSpinEdit2")->SetText(length);
      Find<QLineEdit>(first.form, "Edit3")->setText(QStringLiteral("/data/len mark.fa"));
      auto* combo = Find<QComboBox>(first.form, "ComboBox1");
      if (sign_item >= 0) {
        combo->setCurrentIndex(sign_item);
      } else {
        combo->setEditText(sign);
      }
      Find<QLineEdit>(first.form, "Edit1")->setText(QStringLiteral("/data/list.fa"));
      Find<QLineEdit>(first.form, "Edit2")->setText(QStringLiteral("/data/filter.txt"));
      Find<QLineEdit>(first.form, "Edit6")->setText(QStringLiteral("/data/g\u00e8nes.fa"));
      Find<QLineEdit>(first.form, "Edit7")->setText(QStringLiteral("/data/ordinel.fa"));
      Find<TLMDBrowseEdit>(first.form, "LMDBrowseEdit1")->SetText(folder);
      Find<TRadioGroup>(first.form, "RadioGroup1")->SetItemIndex(0);
      Find<QTabWidget>(first.form, "xxx")->setCurrentIndex(1);
      CloseWithCloseBox(first.form);
      QVERIFY(!first.form.isVisible());
    }
    QCOMPARE(Q(ReadBytes(temp / "INIVAL1.INI")),
             Q(Section({{"Edit5", "/data/ardenta.fa"}, {"wwDBSpinEdit2", length.toStdString()},
                      {"Edit3", "/data/len mark.fa"}, {"ComboBox1", sign.toStdString()},
                      {"Edit1", "/data/list.fa"}, {"Edit2", "/data/filter.txt"},
                      {"Edit6", "/data/g\xc3\xa8nes.fa"}, {"Edit7", "/data/ordinel.fa"},
                      {"Edit4", folder.toStdString()}, {"Action1", "0"}})));

    Started second(temp / "IniVal1");
    QCOMPARE(Find<QLineEdit>(second.form, "Edit5")->text(), QStringLiteral("/data/ardenta.fa"));
    QCOMPARE(Find<TwwDBSpinEdit>(second.form, "wwDBSpinEdit2")->Text(), length);
    QCOMPARE(Find<QLineEdit>(second.form, "Edit3")->text(), QStringLiteral("/data/len mark.fa"));
    QCOMPARE(Find<QComboBox>(second.form, "ComboBox1")->currentText(), sign);
    if (sign_item >= 0) QCOMPARE(Find<QComboBox>(second.form, "ComboBox1")->currentIndex(), sign_item);
    QCOMPARE(Find<QLineEdit>(second.form, "Edit1")->text(), QStringLiteral("/data/list.fa"));
    QCOMPARE(Find<QLineEdit>(second.form, "Edit2")->text(), QStringLiteral("/data/filter.txt"));
    QCOMPARE(Find<QLineEdit>(second.form, "Edit6")->text(), QStringLiteral("/data/g\u00e8nes.fa"));
    QCOMPARE(Find<QLineEdit>(second.form, "Edit7")->text(), QStringLiteral("/data/ordinel.fa"));
    auto* field = Find<TLMDBrowseEdit>(second.form, "LMDBrowseEdit1");
    QCOMPARE(field->Path(), folder);
    QCOMPARE(field->toolTip(), folder);
    // Neither the criteria nor the active tab are stored.
    QCOMPARE(Find<TRadioGroup>(second.form, "RadioGroup1")->ItemIndex(), 1);
    QCOMPARE(Find<QTabWidget>(second.form, "xxx")->currentIndex(), TForm1::kGcContentTab);
  }

  void EmptiedFolderFieldGivesTheDefaultFolderNextStart() {
    TempFolder temp;
    WriteBytes(temp / "INIVAL1.INI", "[Form1]\r\nEdit4=/stored/folder/\r\n");
    {
      Started first(temp / "IniVal1");
      auto* field = Find<TLMDBrowseEdit>(first.form, "LMDBrowseEdit1");
      QCOMPARE(field->Path(), QStringLiteral("/stored/folder/"));
      field->SetText(QString());
    }
    Started second(temp / "IniVal1");
    QCOMPARE(Find<TLMDBrowseEdit>(second.form, "LMDBrowseEdit1")->Path(), DefaultFolder());
  }

  void KeysOfUnstoredControlsAreNeitherReadNorWritten() {
    TempFolder temp;
    const std::string stored =
        "[Form1]\r\nLMDBrowseEdit1=/path/\r\nxxx=1\r\nEdit5=old\r\nRadioGroup1=0\r\nBitBtn2=2\r\n"
        "Label10=label\r\nTabSheet1=page\r\nClosevvv=button\r\nOpenDialog1=dialog\r\nIniVal1=store\r\n";
    WriteBytes(temp / "INIVAL1.INI", stored);
    {
      Started started(temp / "IniVal1", false);  // not shown: the folder field stays as loaded
      QCOMPARE(Find<TLMDBrowseEdit>(started.form, "LMDBrowseEdit1")->Path(), QString());
      QCOMPARE(Find<QTabWidget>(started.form, "xxx")->currentIndex(), TForm1::kGcContentTab);
      QCOMPARE(Find<QLineEdit>(started.form, "Edit5")->text(), QStringLiteral("old"));
      QCOMPARE(Find<TRadioGroup>(started.form, "RadioGroup1")->ItemIndex(), 1);
      QCOMPARE(Find<QLabel>(started.form, "Label10")->text(), QStringLiteral("OUTPUT folder:"));
      QCOMPARE(Find<QPushButton>(started.form, "Closevvv")->text(), QStringLiteral("Close"));
      QCOMPARE(started.settings->store.IniFileName(), temp / "IniVal1");
      Find<QLineEdit>(started.form, "Edit5")->setText(QStringLiteral("new"));
    }
    // Edit5 replaced in its place, the other stored keys added in order.
    std::string expected = stored;
    expected.replace(expected.find("Edit5=old"), 9, "Edit5=new");
    expected += "wwDBSpinEdit2=1000\r\nEdit3=\r\nComboBox1=<\r\nEdit1=\r\nEdit2=\r\nEdit6=\r\nEdit7=\r\n"
                "Edit4=\r\nAction1=0\r\n";
    QCOMPARE(Q(ReadBytes(temp / "INIVAL1.INI")), Q(expected));
  }

  void FailingSaveIsShownAndTheWindowStillCloses() {
    TempFolder temp;
    Box box;
    {
      Started started(temp / "missing/IniVal1");
      Find<QPushButton>(started.form, "Closevvv")->click();
      CloseNextBox(box);
    }
    QVERIFY(box.seen);
    QCOMPARE(box.text, Q("Unable to write to " + (temp / "missing/INIVAL1.INI") + "."));
    QCOMPARE(box.icon, QMessageBox::Critical);
    QVERIFY(!QFileInfo::exists(Q(temp / "missing")));
  }

  void HandlersTheWindowHadRunBeforeLoadingAndAfterSaving() {
    TempFolder temp;
    WriteBytes(temp / "INIVAL1.INI", "[Form1]\r\nEdit5=restored\r\n");
    QStringList seen;
    {
      TForm1 form([&](TForm1& f) {
        auto* edit5 = Find<QLineEdit>(f, "Edit5");
        f.SetOnCreate([&seen, edit5] { seen << "create " + edit5->text(); });
        f.SetOnDestroy([&seen, &temp] {
          const bool saved = Q(ReadBytes(temp / "INIVAL1.INI")).contains(QStringLiteral("\nEdit5=saved\r"));
          seen << (saved ? "destroy after saving" : "destroy before saving");
        });
        AttachIniVal1(f, temp / "IniVal1");
      });
      QCOMPARE(Find<QLineEdit>(form, "Edit5")->text(), QStringLiteral("restored"));
      Find<QLineEdit>(form, "Edit5")->setText(QStringLiteral("saved"));
    }
    // The creation handler saw the designed value, before loading.
    QCOMPARE(seen, QStringList({"create ", "destroy after saving"}));
  }

  void LoadFailureIsShownAndTheWindowStillShows() {
    TempFolder temp;
    WriteBytes(temp / "INIVAL1.INI", "[Form1]\r\nEdit5=restored\r\nEdit4=/restored/\r\n");
    // Loading fails only outside the rules that ignore errors, which no
    // control of the window can do; a lookup field that rejects its text can.
    testing::FakeControl lookup("wwDBLookupCombo1", ClassFamily::kCustomLookupCombo);
    lookup.reject_text = true;
    Box box;
    CloseNextBox(box);
    TForm1 form([&](TForm1& f) { AttachIniVal1(f, temp / "IniVal1").form.AddComponent(lookup); });
    QVERIFY(box.seen);
    QCOMPARE(box.text, QStringLiteral("Text rejected."));
    QCOMPARE(box.icon, QMessageBox::Critical);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(Find<QLineEdit>(form, "Edit5")->text(), QStringLiteral("restored"));
    QCOMPARE(Find<TLMDBrowseEdit>(form, "LMDBrowseEdit1")->Path(), QStringLiteral("/restored/"));
  }
};

}  // namespace vendral

QTEST_MAIN(vendral::SettingsTest)
#include "settings_test.moc"
