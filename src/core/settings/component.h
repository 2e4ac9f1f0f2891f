// The component model through which the control-value store sees a window's
// controls without knowing the toolkit.
//
// A component has a name (possibly empty) and offers properties by name,
// names compared without regard to ASCII letter case. Each property has a
// kind and is read and written either as text (text and float kinds) or as
// an ordinal (integer, enumeration, boolean, int64 kinds).
//
// How a control maps to the store's value rules:
//   text-kind "Text"                      -> stored as its text
//   text-kind "Value"                     -> stored as that text
//   integer-kind "Value"                  -> stored as that integer
//   "Checked" (any ordinal kind)          -> stored as a boolean
//   "Style" with ordinal 2 + "ItemIndex"  -> stored as the item index
//   a class family (Family() below)       -> stored through the family
//                                            accessors Lines, Text,
//                                            ItemIndex, SetDateText
// A control that should not be stored offers none of these, e.g. a folder
// field offers its path as "Path" only. An adapter subclasses Component,
// registers its properties with AddProperty and, for a family, overrides
// Family() and the accessors that family uses.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vendral {

enum class PropertyKind { kText, kInteger, kEnumeration, kBoolean, kFloat, kInt64 };

// Whether a kind is read and written as an ordinal rather than as text.
bool IsOrdinalKind(PropertyKind kind);

// A property and its accessors: get_text/set_text for the text and float
// kinds, get_ordinal/set_ordinal for the others.
struct Property {
  std::string name;
  PropertyKind kind = PropertyKind::kText;
  std::function<std::string()> get_text;
  std::function<void(const std::string&)> set_text;
  std::function<std::int64_t()> get_ordinal;
  std::function<void(std::int64_t)> set_ordinal;
};

// A property of the text kind (or kFloat, whose value is its text).
Property TextProperty(std::string name, std::function<std::string()> get,
                      std::function<void(const std::string&)> set,
                      PropertyKind kind = PropertyKind::kText);
// A property of an ordinal kind.
Property OrdinalProperty(std::string name, PropertyKind kind, std::function<std::int64_t()> get,
                         std::function<void(std::int64_t)> set);

// The class families that the store recognises. A family includes the
// classes derived from it: a kComboBox is also a kCustomEdit.
enum class ClassFamily {
  kNone,
  kRichEdit,           // TRichEdit: Lines/SetLines
  kMemo,               // TMemo: Text/SetText, the whole text, lines joined by CR LF
  kCustomEdit,         // TwwDBCustomEdit: Text/SetText
  kCustomLookupCombo,  // TwwDBCustomLookupCombo: Text/SetText
  kComboBox,           // TwwDBComboBox: Text/SetText, ItemIndex/SetItemIndex
  kDateTimePicker,     // TwwDBDateTimePicker: Text, SetDateText
};

class Component {
 public:
  explicit Component(std::string name = {}) : name_(std::move(name)) {}
  virtual ~Component() = default;
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;

  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }

  void AddProperty(Property property);
  // The property offered under name, or nullptr.
  const Property* FindProperty(std::string_view name) const;

  // These raise Failure when the property is missing or is not of a kind
  // that can be accessed that way.
  std::string ReadText(std::string_view name) const;
  void WriteText(std::string_view name, const std::string& value);
  std::int64_t ReadOrdinal(std::string_view name) const;
  void WriteOrdinal(std::string_view name, std::int64_t value);

  // The most derived of the families that the component's class belongs to.
  virtual ClassFamily Family() const { return ClassFamily::kNone; }
  // True when the component's class is the family or derived from it.
  bool IsA(ClassFamily family) const;

  // Family accessors; the defaults raise Failure.
  virtual std::vector<std::string> Lines() const;
  virtual void SetLines(const std::vector<std::string>& lines);
  virtual std::string Text() const;
  virtual void SetText(const std::string& text);
  virtual int ItemIndex() const;
  virtual void SetItemIndex(int index);
  // Converts text in the short date format to the date shown; raises a
  // failure when the text is no date.
  virtual void SetDateText(const std::string& text);

 private:
  const Property& PropertyFor(std::string_view name) const;

  std::string name_;
  std::vector<Property> properties_;
};

}  // namespace vendral
