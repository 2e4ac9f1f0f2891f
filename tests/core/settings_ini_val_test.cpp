#include "core/settings/ini_val.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/settings/component_owner.h"
#include "platform/platform.h"
#include "settings_fake_control.h"
#include "support/native_path.h"
#include "support/temp_folder.h"

namespace vendral {
namespace {

using testing::FakeControl;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;
namespace fs = std::filesystem;
using Kind = PropertyKind;

// The main window's components in layout order, with their designed values.
struct MainWindow {
  explicit MainWindow(const std::string& ini_file_name) {
    browse.WithText("Path", "");
    tabs.WithOrdinal("Style", Kind::kEnumeration, 0);
    edit5.WithText("Text", "");
    spin.shown_text = "1000";
    edit3.WithText("Text", "");
    combo.WithText("Text", "<")
        .WithOrdinal("Style", Kind::kEnumeration, 0)
        .WithOrdinal("ItemIndex", Kind::kInteger, 0);
    radio.WithOrdinal("ItemIndex", Kind::kInteger, 0);
    for (FakeControl* edit : {&edit1, &edit2, &edit6, &edit7, &edit4}) edit->WithText("Text", "");
    button.WithOrdinal("Style", Kind::kEnumeration, 0);
    action.WithOrdinal("Checked", Kind::kBoolean, 0);
    for (Component* c : std::initializer_list<Component*>{
             &browse, &tabs, &edit5, &spin, &edit3, &combo, &radio, &edit1, &edit2, &edit6, &edit7,
             &button, &edit4, &action, &store}) {
      form.AddComponent(*c);
    }
    store.SetName("IniVal1");
    store.SetIniFileName(ini_file_name);
    store.AttachToOwner();
  }

  ComponentOwner form{"Form1"};
  FakeControl browse{"LMDBrowseEdit1"}, tabs{"xxx"}, edit5{"Edit5"};
  FakeControl spin{"wwDBSpinEdit2", ClassFamily::kCustomEdit};
  FakeControl edit3{"Edit3"}, combo{"ComboBox1"}, radio{"RadioGroup1"}, edit1{"Edit1"};
  FakeControl edit2{"Edit2"}, edit6{"Edit6"}, edit7{"Edit7"}, button{"BitBtn2"};
  FakeControl edit4{"Edit4"}, action{"Action1"};
  TIniVal store{form};
};

const char kFirstSave[] =
    "[Form1]\r\nEdit5=\r\nwwDBSpinEdit2=1000\r\nEdit3=\r\nComboBox1=<\r\nEdit1=\r\nEdit2=\r\n"
    "Edit6=\r\nEdit7=\r\nEdit4=\r\nAction1=0\r\n";

TEST(TIniValTest, FirstStartKeepsDesignedValuesAndEndWritesKeysInLayoutOrder) {
  TempFolder folder;
  MainWindow window(folder / "IniVal1");
  window.form.FireCreate();
  EXPECT_EQ(window.spin.shown_text, "1000");
  EXPECT_EQ(window.combo.text("Text"), "<");
  EXPECT_FALSE(fs::exists(folder / "INIVAL1.INI")) << "loading never creates the file";
  window.form.FireDestroy();
  EXPECT_EQ(ReadBytes(folder / "INIVAL1.INI"), kFirstSave);
}

TEST(TIniValTest, RestartRestoresStoredControlsOnly) {
  TempFolder folder;
  {
    MainWindow first(folder / "IniVal1");
    first.form.FireCreate();
    first.edit5.WriteText("Text", "D:\\data\\genes.fa");
    first.spin.shown_text = "12ab";  // pasted letters come back as they were
    first.combo.WriteText("Text", "=");
    first.edit4.WriteText("Text", "/out/");
    first.action.WriteOrdinal("Checked", 1);
    first.browse.WriteText("Path", "/elsewhere/");
    first.radio.WriteOrdinal("ItemIndex", 2);
    first.form.FireDestroy();
  }
  MainWindow second(folder / "IniVal1");
  second.form.FireCreate();
  EXPECT_EQ(second.edit5.text("Text"), "D:\\data\\genes.fa");
  EXPECT_EQ(second.spin.shown_text, "12ab");
  EXPECT_EQ(second.combo.text("Text"), "=");
  EXPECT_EQ(second.edit4.text("Text"), "/out/");
  EXPECT_EQ(second.action.ordinal("Checked"), 1);
  EXPECT_EQ(second.browse.text("Path"), "");
  EXPECT_EQ(second.radio.ordinal("ItemIndex"), 0);
}

TEST(TIniValTest, EmptyFileNameMeansProgramFolderAndStoreName) {
  ComponentOwner form("Form1");
  TIniVal store(form);
  store.SetName("IniVal1");
  store.AttachToOwner();
  const fs::path program(platform::ProgramFilePath());
  EXPECT_EQ(store.IniPath(), (program.parent_path() / "INIVAL1.INI").string());
}

TEST(TIniValTest, IniPathUpperCasesAndExtendsOnlyTheFileName) {
  const std::pair<const char*, const char*> cases[] = {
      {"settings", "SETTINGS.INI"},
      {" my.cfg ", "MY.CFG"},
      {"\t/home/u/.local/bin/IniVal1\r\n", "/home/u/.local/bin/INIVAL1.INI"},
      {"/srv/old.data/IniVal1", "/srv/old.data/INIVAL1.INI"},
      {"Mixed/Case/name.x", "Mixed/Case/NAME.X"},
  };
  ComponentOwner form("Form1");
  TIniVal store(form);
  for (const auto& [name, expected] : cases) {
    store.SetIniFileName(testing::Native(name));
    EXPECT_EQ(store.IniPath(), testing::Native(expected)) << name;
  }
}

TEST(TIniValTest, DottedFolderKeepsTheFileName) {
  TempFolder folder;
  fs::create_directory(folder / "old.data");
  {
    MainWindow first(folder / "old.data/IniVal1");
    first.edit6.WriteText("Text", "genes.fa");
    first.form.FireDestroy();
  }
  EXPECT_TRUE(fs::is_regular_file(folder / "old.data/INIVAL1.INI"));
  MainWindow second(folder / "old.data/IniVal1");
  second.form.FireCreate();
  EXPECT_EQ(second.edit6.text("Text"), "genes.fa");
}

// A window of test controls whose store is used without hooking.
struct TestWindow {
  explicit TestWindow(const std::string& ini_file_name,
                      std::initializer_list<Component*> controls) {
    for (Component* c : controls) form.AddComponent(*c);
    store.SetIniFileName(ini_file_name);
  }
  ComponentOwner form{"W"};
  TIniVal store{form};
};

TEST(TIniValTest, MemoAndRichTextLinesAreEscapedAndComeBack) {
  TempFolder folder;
  const std::string ini = folder / "NOTES";
  FakeControl memo("Memo1", ClassFamily::kMemo), rich("RichEdit1", ClassFamily::kRichEdit);
  FakeControl edit("Edit1");
  memo.shown_text = "a\r\nb";
  rich.lines = {"a", "b"};
  edit.WithText("Text", "x&#13;y");
  TestWindow saving(ini, {&memo, &rich, &edit});
  saving.store.SaveValues();
  EXPECT_EQ(ReadBytes(folder / "NOTES.INI"),
            "[W]\r\nMemo1=a&#13;&#10;b\r\nRichEdit1=a&#13;&#10;b&#13;&#10;\r\nEdit1=x&#13;y\r\n");

  memo.shown_text = "changed";
  rich.lines = {"changed"};
  edit.WriteText("Text", "changed");
  saving.store.LoadValues();
  EXPECT_EQ(memo.shown_text, "a\r\nb");
  EXPECT_EQ(rich.lines, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(edit.text("Text"), "x&#13;y") << "plain text is not unescaped";

  WriteBytes(folder / "NOTES.INI", "[W]\r\nMemo1=x&#13;y&#10;z\r\nRichEdit1=p&#10;&#10;q\r\n");
  saving.store.LoadValues();
  EXPECT_EQ(memo.shown_text, "x\r\ny\r\nz");
  EXPECT_EQ(rich.lines, (std::vector<std::string>{"p", "", "q"}));
}

TEST(TIniValTest, EscapeAndUnescapeLineBreaks) {
  EXPECT_EQ(TIniVal::EscapeLineBreaks("a\r\nb\n\rc&d"), "a&#13;&#10;b&#10;&#13;c&d");
  EXPECT_EQ(TIniVal::UnescapeLineBreaks("a&#13;&#10;b&#10;&#13;c&#13&#10"), "a\r\nb\n\rc&#13&#10");
  EXPECT_EQ(TIniVal::UnescapeLineBreaks("&#X13;&#13;"), "&#X13;\r");
}

TEST(TIniValTest, DropDownListStoresItsIndexAndLoadsTextThenIndex) {
  TempFolder folder;
  FakeControl list("ComboBox2");
  list.WithText("Text", "Two")
      .WithOrdinal("Style", Kind::kEnumeration, 2)
      .WithOrdinal("ItemIndex", Kind::kInteger, 1);
  TestWindow window(folder / "LIST", {&list});
  window.store.SaveValues();
  EXPECT_EQ(ReadBytes(folder / "LIST.INI"), "[W]\r\nComboBox2=1\r\n");
  list.log.clear();
  window.store.LoadValues();
  EXPECT_EQ(list.log, (std::vector<std::string>{"Text=1", "ItemIndex=1"}));
}

TEST(TIniValTest, ValueAndCheckedRulesFollowThePropertyKind) {
  TempFolder folder;
  FakeControl text_value("TextValue"), int_value("IntValue"), checked("Check");
  FakeControl float_value("FloatValue"), big_value("BigValue"), enum_value("EnumValue");
  text_value.WithText("Value", "t");
  int_value.WithOrdinal("Value", Kind::kInteger, 5);
  checked.WithOrdinal("checked", Kind::kBoolean, 1);
  float_value.AddProperty(TextProperty(
      "Value", [] { return "1.5"; }, {}, Kind::kFloat));
  big_value.WithOrdinal("Value", Kind::kInt64, 7);
  enum_value.WithOrdinal("Value", Kind::kEnumeration, 1);
  TestWindow window(folder / "VALUES",
                    {&text_value, &int_value, &checked, &float_value, &big_value, &enum_value});
  window.store.SaveValues();
  EXPECT_EQ(ReadBytes(folder / "VALUES.INI"), "[W]\r\nTextValue=t\r\nIntValue=5\r\nCheck=1\r\n");

  WriteBytes(folder / "VALUES.INI", "[W]\r\nTextValue=u\r\nIntValue=0x10\r\nCheck=0\r\n");
  window.store.LoadValues();
  EXPECT_EQ(text_value.text("Value"), "u");
  EXPECT_EQ(int_value.ordinal("Value"), 16);
  EXPECT_EQ(checked.ordinal("checked"), 0);

  WriteBytes(folder / "VALUES.INI", "[W]\r\nIntValue=five\r\nCheck=yes\r\n");
  window.store.LoadValues();
  EXPECT_EQ(int_value.ordinal("Value"), 16) << "not an integer keeps the value";
  EXPECT_EQ(checked.ordinal("checked"), 0);
}

TEST(TIniValTest, FamilyRulesSaveTheirValuesLastRuleDeciding) {
  TempFolder folder;
  FakeControl spin("Spin", ClassFamily::kCustomEdit),
      lookup("Lookup", ClassFamily::kCustomLookupCombo);
  FakeControl combo("Combo", ClassFamily::kComboBox), date("Date", ClassFamily::kDateTimePicker);
  spin.shown_text = "1000";
  lookup.shown_text = "L";
  combo.shown_text = "<";
  combo.item_index = 1;
  date.shown_text = "01.02.2020";
  TestWindow window(folder / "FAMILIES", {&spin, &lookup, &combo, &date});
  window.store.SaveValues();
  EXPECT_EQ(ReadBytes(folder / "FAMILIES.INI"),
            "[W]\r\nSpin=1000\r\nLookup=L\r\nCombo=1\r\nDate=01.02.2020\r\n");
}

TEST(TIniValTest, RulesThatIgnoreErrorsLeaveTheControlAsItWas) {
  TempFolder folder;
  FakeControl spin("Spin", ClassFamily::kCustomEdit), combo("Combo", ClassFamily::kComboBox);
  FakeControl empty_date("EmptyDate", ClassFamily::kDateTimePicker);
  FakeControl date("Date", ClassFamily::kDateTimePicker),
      bad_date("BadDate", ClassFamily::kDateTimePicker);
  FakeControl after("After");
  spin.shown_text = "1000";
  spin.reject_text = true;
  combo.shown_text = "<";
  combo.item_index = 0;
  date.shown_text = bad_date.shown_text = "01.02.2020";
  after.WithText("Text", "designed");
  WriteBytes(folder / "ERRORS.INI",
             "[W]\r\nSpin=9\r\nCombo=abc\r\nEmptyDate=05.06.2022\r\nDate=03.04.2021\r\n"
             "BadDate=soon\r\nAfter=restored\r\n");
  TestWindow window(folder / "ERRORS", {&spin, &combo, &empty_date, &date, &bad_date, &after});
  window.store.LoadValues();
  EXPECT_EQ(spin.shown_text, "1000");
  EXPECT_EQ(combo.log, (std::vector<std::string>{"text=abc"}));
  EXPECT_EQ(combo.item_index, 0);
  EXPECT_EQ(empty_date.date, "") << "an empty date is not read";
  EXPECT_EQ(date.date, "03.04.2021");
  EXPECT_EQ(bad_date.date, "");
  EXPECT_EQ(after.text("Text"), "restored");

  WriteBytes(folder / "ERRORS.INI", "[W]\r\nCombo=2\r\n");
  combo.log.clear();
  window.store.LoadValues();
  EXPECT_EQ(combo.log, (std::vector<std::string>{"text=2", "index=2"}));
}

TEST(TIniValTest, LookupErrorEndsLoadingAndLaterControlsKeepTheirValues) {
  TempFolder folder;
  FakeControl before("Before"), lookup("Lookup", ClassFamily::kCustomLookupCombo), after("After");
  before.WithText("Text", "");
  lookup.reject_text = true;
  after.WithText("Text", "designed");
  WriteBytes(folder / "LOOKUP.INI", "[W]\r\nBefore=b\r\nLookup=x\r\nAfter=a\r\n");
  TestWindow window(folder / "LOOKUP", {&before, &lookup, &after});
  EXPECT_THROW(window.store.LoadValues(), Failure);
  EXPECT_EQ(before.text("Text"), "b");
  EXPECT_EQ(after.text("Text"), "designed");
}

TEST(TIniValTest, LongValueComesBackCut) {
  TempFolder folder;
  FakeControl edit("Edit1");
  edit.WithText("Text", std::string(2100, 'a') + "b");
  TestWindow window(folder / "LONG", {&edit});
  window.store.SaveValues();
  window.store.LoadValues();
  EXPECT_EQ(edit.text("Text"), std::string(2047, 'a'));
}

TEST(TIniValTest, NamelessComponentIsNeverWrittenButReadsTheEmptyKey) {
  TempFolder folder;
  FakeControl nameless(""), named("Named");
  nameless.WithText("Text", "nameless");
  named.WithText("Text", "n");
  TestWindow window(folder / "NAMES", {&nameless, &named});
  window.store.SaveValues();
  EXPECT_EQ(ReadBytes(folder / "NAMES.INI"), "[W]\r\nNamed=n\r\n");
  WriteBytes(folder / "NAMES.INI", "[W]\r\n=from the empty key\r\nNamed=n\r\n");
  window.store.LoadValues();
  EXPECT_EQ(nameless.text("Text"), "from the empty key");
}

// Counts the calls of a window's own handler and notes their senders.
struct Recorder {
  void Handle(Component* sender) { senders.push_back(sender); }
  EventHandler Bound() { return EventHandler::Bind<&Recorder::Handle>(*this); }
  std::vector<Component*> senders;
};

TEST(TIniValTest, SavedHandlersRunOnceWithTheStoreAsSenderEvenWhenAttachedTwice) {
  TempFolder folder;
  Recorder created, destroyed;
  ComponentOwner form("Form1");
  FakeControl edit("Edit1");
  edit.WithText("Text", "designed");
  form.AddComponent(edit);
  form.SetOnCreate(created.Bound());
  form.SetOnDestroy(destroyed.Bound());
  TIniVal store(form);
  store.SetIniFileName(folder / "HOOKS");
  store.AttachToOwner();
  store.AttachToOwner();
  WriteBytes(folder / "HOOKS.INI", "[Form1]\r\nEdit1=restored\r\n");
  form.FireCreate();
  EXPECT_EQ(created.senders, std::vector<Component*>{&store});
  EXPECT_EQ(edit.text("Text"), "restored");
  form.FireDestroy();
  EXPECT_EQ(destroyed.senders, std::vector<Component*>{&store});
}

TEST(TIniValTest, WithoutAutomaticNothingIsHookedLoadedOrSaved) {
  TempFolder folder;
  const std::string stored = "[Form1]\r\nEdit1=stored\r\n";
  WriteBytes(folder / "AUTO.INI", stored);
  for (bool clear_after_attach : {false, true}) {
    Recorder created, destroyed;
    ComponentOwner form("Form1");
    FakeControl edit("Edit1");
    edit.WithText("Text", "designed");
    form.AddComponent(edit);
    form.SetOnCreate(created.Bound());
    form.SetOnDestroy(destroyed.Bound());
    TIniVal store(form);
    store.SetIniFileName(folder / "AUTO");
    if (!clear_after_attach) store.SetAutomatic(false);
    store.AttachToOwner();
    store.SetAutomatic(false);
    EXPECT_EQ(form.OnCreate().IsSameAs(created.Bound()), !clear_after_attach);
    form.FireCreate();
    edit.WriteText("Text", "changed");
    form.FireDestroy();
    Component* sender = clear_after_attach ? static_cast<Component*>(&store) : &form;
    EXPECT_EQ(created.senders, std::vector<Component*>{sender});
    EXPECT_EQ(destroyed.senders, std::vector<Component*>{sender});
    EXPECT_EQ(ReadBytes(folder / "AUTO.INI"), stored);
  }
}

TEST(TIniValTest, OwnerThatIsNoFormIsNotHooked) {
  Recorder created;
  ComponentOwner module("DataModule1", /*is_form=*/false);
  module.SetOnCreate(created.Bound());
  TIniVal store(module);
  store.SetIniFileName("unused");
  store.AttachToOwner();
  EXPECT_TRUE(module.OnCreate().IsSameAs(created.Bound()));
}

TEST(TIniValTest, FailedWriteEndsSavingAndSkipsTheSavedDestroyHandler) {
  TempFolder folder;
  Recorder destroyed;
  ComponentOwner form("Form1");
  FakeControl edit("Edit1");
  edit.WithText("Text", "x");
  form.AddComponent(edit);
  form.SetOnDestroy(destroyed.Bound());
  TIniVal store(form);
  store.SetIniFileName(folder / "absent/IniVal1");
  store.AttachToOwner();
  try {
    form.FireDestroy();
    FAIL() << "no failure";
  } catch (const Failure& failure) {
    EXPECT_STREQ(failure.what(), ("Unable to write to " + (folder / "absent/INIVAL1.INI")).c_str());
  }
  EXPECT_TRUE(destroyed.senders.empty());
}

}  // namespace
}  // namespace vendral
