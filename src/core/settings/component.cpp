#include "core/settings/component.h"

#include <algorithm>

#include "core/run/failure.h"

namespace vendral {
namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

// The family that a family's class derives from, or kNone.
ClassFamily BaseFamily(ClassFamily family) {
  return family == ClassFamily::kComboBox ? ClassFamily::kCustomEdit : ClassFamily::kNone;
}

[[noreturn]] void RaiseUnsupported(const char* what) {
  throw Failure(std::string("Component does not support ") + what);
}

}  // namespace

bool IsOrdinalKind(PropertyKind kind) {
  return kind != PropertyKind::kText && kind != PropertyKind::kFloat;
}

Property TextProperty(std::string name, std::function<std::string()> get,
                      std::function<void(const std::string&)> set, PropertyKind kind) {
  Property p;
  p.name = std::move(name);
  p.kind = kind;
  p.get_text = std::move(get);
  p.set_text = std::move(set);
  return p;
}

Property OrdinalProperty(std::string name, PropertyKind kind, std::function<std::int64_t()> get,
                         std::function<void(std::int64_t)> set) {
  Property p;
  p.name = std::move(name);
  p.kind = kind;
  p.get_ordinal = std::move(get);
  p.set_ordinal = std::move(set);
  return p;
}

void Component::AddProperty(Property property) { properties_.push_back(std::move(property)); }

const Property* Component::FindProperty(std::string_view name) const {
  auto it = std::ranges::find_if(
      properties_, [name](const Property& p) { return SameNameIgnoringCase(p.name, name); });
  return it == properties_.end() ? nullptr : &*it;
}

const Property& Component::PropertyFor(std::string_view name) const {
  const Property* property = FindProperty(name);
  if (property == nullptr) throw Failure("Property " + std::string(name) + " does not exist");
  return *property;
}

std::string Component::ReadText(std::string_view name) const {
  const Property& p = PropertyFor(name);
  if (IsOrdinalKind(p.kind) || !p.get_text) throw Failure("Property " + p.name + " is not text");
  return p.get_text();
}

void Component::WriteText(std::string_view name, const std::string& value) {
  const Property& p = PropertyFor(name);
  if (IsOrdinalKind(p.kind) || !p.set_text) throw Failure("Property " + p.name + " is not text");
  p.set_text(value);
}

std::int64_t Component::ReadOrdinal(std::string_view name) const {
  const Property& p = PropertyFor(name);
  if (!IsOrdinalKind(p.kind) || !p.get_ordinal) {
    throw Failure("Property " + p.name + " is not ordinal");
  }
  return p.get_ordinal();
}

void Component::WriteOrdinal(std::string_view name, std::int64_t value) {
  const Property& p = PropertyFor(name);
  if (!IsOrdinalKind(p.kind) || !p.set_ordinal) {
    throw Failure("Property " + p.name + " is not ordinal");
  }
  p.set_ordinal(value);
}

bool Component::IsA(ClassFamily family) const {
  for (ClassFamily f = Family(); f != ClassFamily::kNone; f = BaseFamily(f)) {
    if (f == family) return true;
  }
  return false;
}

std::vector<std::string> Component::Lines() const { RaiseUnsupported("lines"); }
void Component::SetLines(const std::vector<std::string>&) { RaiseUnsupported("lines"); }
std::string Component::Text() const { RaiseUnsupported("text"); }
void Component::SetText(const std::string&) { RaiseUnsupported("text"); }
int Component::ItemIndex() const { RaiseUnsupported("item index"); }
void Component::SetItemIndex(int) { RaiseUnsupported("item index"); }
void Component::SetDateText(const std::string&) { RaiseUnsupported("dates"); }

}  // namespace vendral
