#include "core/settings/ini_val.h"

#include <cstdint>
#include <vector>

#include "core/text/parse_integer.h"
#include "core/settings/ini_file.h"
#include "platform/platform.h"

namespace vendral {
namespace {

// Where a control's value goes: the owner's section, the control's key.
struct Slot {
  IniFile& ini;
  const std::string& section;
  const std::string& key;
};

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }


std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  std::string result;
  for (std::size_t start = 0;;) {
    std::size_t hit = text.find(from, start);
    result.append(text.substr(start, hit - start));
    if (hit == std::string_view::npos) return result;
    result.append(to);
    start = hit + from.size();
  }
}

// Lines end at CR LF, CR or LF; a break at the very end adds no empty line.
std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t stop = text.find_first_of("\r\n", start);
    if (stop == std::string_view::npos) stop = text.size();
    lines.emplace_back(text.substr(start, stop - start));
    if (stop < text.size() && text[stop] == '\r') ++stop;
    if (stop < text.size() && text[stop] == '\n') ++stop;
    start = stop;
  }
  return lines;
}

std::string JoinLinesEachEnded(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// Every line break, CR, LF or CR LF, becomes CR LF.
std::string WithCrLfBreaks(std::string_view text) {
  std::string result;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') {
      result += text[i];
      continue;
    }
    result += "\r\n";
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
  }
  return result;
}

bool OffersKind(const Component& c, std::string_view name, PropertyKind kind) {
  const Property* p = c.FindProperty(name);
  return p != nullptr && p->kind == kind;
}

bool OffersOrdinal(const Component& c, std::string_view name) {
  const Property* p = c.FindProperty(name);
  return p != nullptr && IsOrdinalKind(p->kind);
}

// A list in drop-down-list style, whose value is its selection.
bool IsListSelection(const Component& c) {
  return OffersOrdinal(c, "Style") && OffersOrdinal(c, "itemindex") && c.ReadOrdinal("Style") == 2;
}

std::int32_t ReadInt32(const Component& c, std::string_view name) {
  return static_cast<std::int32_t>(c.ReadOrdinal(name));
}

// Rules 1 to 11, in this order.
void SaveControl(Slot s, const Component& c) {
  if (OffersKind(c, "Text", PropertyKind::kText)) {
    s.ini.WriteString(s.section, s.key, c.ReadText("Text"));
  }
  if (OffersKind(c, "Value", PropertyKind::kText)) {
    s.ini.WriteString(s.section, s.key, c.ReadText("Value"));
  }
  if (OffersKind(c, "Value", PropertyKind::kInteger)) {
    s.ini.WriteInteger(s.section, s.key, ReadInt32(c, "Value"));
  }
  if (OffersOrdinal(c, "Checked")) s.ini.WriteBool(s.section, s.key, c.ReadOrdinal("Checked") != 0);
  if (c.IsA(ClassFamily::kRichEdit)) {
    s.ini.WriteString(s.section, s.key, TIniVal::EscapeLineBreaks(JoinLinesEachEnded(c.Lines())));
  }
  if (c.IsA(ClassFamily::kMemo)) {
    s.ini.WriteString(s.section, s.key, TIniVal::EscapeLineBreaks(c.Text()));
  }
  if (c.IsA(ClassFamily::kCustomEdit)) s.ini.WriteString(s.section, s.key, c.Text());
  if (c.IsA(ClassFamily::kCustomLookupCombo)) s.ini.WriteString(s.section, s.key, c.Text());
  if (c.IsA(ClassFamily::kComboBox)) {
    s.ini.WriteString(s.section, s.key, std::to_string(c.ItemIndex()));
  }
  if (c.IsA(ClassFamily::kDateTimePicker)) s.ini.WriteString(s.section, s.key, c.Text());
  if (IsListSelection(c)) s.ini.WriteInteger(s.section, s.key, ReadInt32(c, "itemindex"));
}

bool HasNotedText(const Component& c) {
  return c.IsA(ClassFamily::kCustomEdit) || c.IsA(ClassFamily::kCustomLookupCombo) ||
         c.IsA(ClassFamily::kComboBox) || c.IsA(ClassFamily::kDateTimePicker);
}

template <class Rule>
void IgnoringErrors(Rule rule) {
  try {
    rule();
  } catch (const std::exception&) {
    // A value that does not fit the control leaves it as it was.
  }
}

// Rules 1, 11, 2 to 10. noted is the text at the start of the control's turn.
void LoadControl(Slot s, Component& c, const std::string& noted) {
  if (OffersKind(c, "Text", PropertyKind::kText)) {
    c.WriteText("Text", s.ini.ReadString(s.section, s.key, c.ReadText("Text")));
  }
  if (IsListSelection(c)) {
    c.WriteOrdinal("itemindex", s.ini.ReadInteger(s.section, s.key, ReadInt32(c, "itemindex")));
  }
  if (OffersKind(c, "Value", PropertyKind::kText)) {
    c.WriteText("Value", s.ini.ReadString(s.section, s.key, c.ReadText("Value")));
  }
  if (OffersKind(c, "Value", PropertyKind::kInteger)) {
    c.WriteOrdinal("Value", s.ini.ReadInteger(s.section, s.key, ReadInt32(c, "Value")));
  }
  if (OffersOrdinal(c, "Checked")) {
    c.WriteOrdinal("Checked",
                   s.ini.ReadBool(s.section, s.key, c.ReadOrdinal("Checked") != 0) ? 1 : 0);
  }
  if (c.IsA(ClassFamily::kRichEdit)) {
    std::string text = s.ini.ReadString(s.section, s.key, JoinLinesEachEnded(c.Lines()));
    c.SetLines(SplitLines(TIniVal::UnescapeLineBreaks(text)));
  }
  if (c.IsA(ClassFamily::kMemo)) {
    std::string text = s.ini.ReadString(s.section, s.key, c.Text());
    c.SetText(WithCrLfBreaks(TIniVal::UnescapeLineBreaks(text)));
  }
  if (c.IsA(ClassFamily::kCustomEdit)) {
    IgnoringErrors([&] { c.SetText(s.ini.ReadString(s.section, s.key, noted)); });
  }
  if (c.IsA(ClassFamily::kCustomLookupCombo)) c.SetText(s.ini.ReadString(s.section, s.key, noted));
  if (c.IsA(ClassFamily::kComboBox)) {
    IgnoringErrors(
        [&] { c.SetItemIndex(ParseInteger(s.ini.ReadString(s.section, s.key, noted))); });
  }
  if (c.IsA(ClassFamily::kDateTimePicker) && !noted.empty()) {
    IgnoringErrors([&] { c.SetDateText(s.ini.ReadString(s.section, s.key, noted)); });
  }
}

}  // namespace

TIniVal::TIniVal(ComponentOwner& owner) : owner_(owner) {
  AddProperty(OrdinalProperty(
      "Automatic", PropertyKind::kBoolean, [this] { return std::int64_t{automatic_ ? 1 : 0}; },
      [this](std::int64_t value) { automatic_ = value != 0; }));
  AddProperty(TextProperty(
      "IniFileName", [this] { return file_name_; },
      [this](const std::string& value) { file_name_ = value; }));
}

void TIniVal::AttachToOwner() {
  if (file_name_.empty()) {
    std::string program = platform::ProgramFilePath();
    file_name_ = program.substr(0, platform::FileNameStart(program)) + Name();
  }
  if (!automatic_ || !owner_.IsForm()) return;
  EventHandler create = EventHandler::Bind<&TIniVal::OwnerCreate>(*this);
  if (owner_.OnCreate().IsSameAs(create)) return;
  saved_create_ = owner_.OnCreate();
  owner_.SetOnCreate(std::move(create));
  saved_destroy_ = owner_.OnDestroy();
  owner_.SetOnDestroy(EventHandler::Bind<&TIniVal::OwnerDestroy>(*this));
}

void TIniVal::OwnerCreate(Component*) {
  if (saved_create_) saved_create_(this);
  if (automatic_) LoadValues();
}

void TIniVal::OwnerDestroy(Component*) {
  if (automatic_) SaveValues();
  if (saved_destroy_) saved_destroy_(this);
}

void TIniVal::LoadValues() {
  // The reader lives in this scope only, so it is closed on every way out.
  IniFile ini(IniPath());
  for (Component* c : owner_.Components()) {
    std::string noted = HasNotedText(*c) ? c->Text() : std::string();
    LoadControl({ini, owner_.Name(), c->Name()}, *c, noted);
  }
  ini.Close();
}

void TIniVal::SaveValues() {
  IniFile ini(IniPath());
  for (Component* c : owner_.Components()) {
    if (!c->Name().empty()) SaveControl({ini, owner_.Name(), c->Name()}, *c);
  }
  ini.Close();
}

std::string TIniVal::IniPath() const {
  std::string_view name = file_name_;
  while (!name.empty() && IsBlank(name.front())) name.remove_prefix(1);
  while (!name.empty() && IsBlank(name.back())) name.remove_suffix(1);
  std::size_t start = platform::FileNameStart(name);
  std::string file(name.substr(start));
  for (char& ch : file) {
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  }
  if (file.find('.') == std::string::npos) file += ".INI";
  return std::string(name.substr(0, start)) + file;
}

std::string TIniVal::EscapeLineBreaks(std::string_view text) {
  return ReplaceAll(ReplaceAll(text, "\r", "&#13;"), "\n", "&#10;");
}

std::string TIniVal::UnescapeLineBreaks(std::string_view text) {
  return ReplaceAll(ReplaceAll(text, "&#13;", "\r"), "&#10;", "\n");
}

}  // namespace vendral
