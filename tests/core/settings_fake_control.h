// A fake control for the settings tests.
#pragma once

#include <cctype>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/run/failure.h"
#include "core/settings/component.h"

namespace vendral::testing {

// A control whose properties and family state live in the object; every
// assignment is logged as "what=value".
class FakeControl : public Component {
 public:
  explicit FakeControl(std::string name, ClassFamily family = ClassFamily::kNone)
      : Component(std::move(name)), family_(family) {}

  FakeControl& WithText(const std::string& property, std::string value) {
    texts_[property] = std::move(value);
    AddProperty(TextProperty(
        property, [this, property] { return texts_.at(property); },
        [this, property](const std::string& v) {
          texts_[property] = v;
          log.push_back(property + "=" + v);
        }));
    return *this;
  }

  FakeControl& WithOrdinal(const std::string& property, PropertyKind kind, std::int64_t value) {
    ordinals_[property] = value;
    AddProperty(OrdinalProperty(
        property, kind, [this, property] { return ordinals_.at(property); },
        [this, property](std::int64_t v) {
          ordinals_[property] = v;
          log.push_back(property + "=" + std::to_string(v));
        }));
    return *this;
  }

  std::string text(const std::string& property) const { return texts_.at(property); }
  std::int64_t ordinal(const std::string& property) const { return ordinals_.at(property); }

  ClassFamily Family() const override { return family_; }
  std::vector<std::string> Lines() const override { return lines; }
  void SetLines(const std::vector<std::string>& value) override { lines = value; }
  std::string Text() const override { return shown_text; }
  void SetText(const std::string& value) override {
    if (reject_text) throw Failure("Text rejected");
    shown_text = value;
    log.push_back("text=" + value);
  }
  int ItemIndex() const override { return item_index; }
  void SetItemIndex(int value) override {
    item_index = value;
    log.push_back("index=" + std::to_string(value));
  }
  // Takes dd.mm.yyyy only, like a short date format would.
  void SetDateText(const std::string& value) override {
    bool valid = value.size() == 10 && value[2] == '.' && value[5] == '.';
    for (std::size_t i : {0, 1, 3, 4, 6, 7, 8, 9})
      valid = valid && std::isdigit(static_cast<unsigned char>(value[i]));
    if (!valid) throw Failure("'" + value + "' is not a valid date");
    date = value;
  }

  std::vector<std::string> lines;
  std::string shown_text;
  int item_index = -1;
  std::string date;
  bool reject_text = false;
  std::vector<std::string> log;

 private:
  ClassFamily family_;
  std::map<std::string, std::string> texts_;
  std::map<std::string, std::int64_t> ordinals_;
};

}  // namespace vendral::testing
