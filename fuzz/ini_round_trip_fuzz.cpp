// The settings file on arbitrary bytes: a value written under one of the
// window's keys reads back as it was written, the other keys keep their
// values, and writing the same values again leaves the file as it is.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/run/failure.h"
#include "core/settings/ini_file.h"
#include "fuzz_check.h"
#include "fuzz_input.h"
#include "support/temp_folder.h"
#include "tool_run.h"

namespace vendral::fuzz {
namespace {

constexpr std::string_view kSection = "Form1";
constexpr std::array<std::string_view, 10> kKeys = {"Edit5", "wwDBSpinEdit2", "Edit3", "ComboBox1", "Edit1",
                                                     "Edit2", "Edit6", "Edit7", "Edit4", "Action1"};
const std::string kMissing = "\x01(missing)";

std::string Stored(const std::string& path, std::string_view key) {
  IniFile ini(path);
  return ini.ReadString(kSection, key, kMissing);
}

// A value as the store writes one: a single line.
std::string SingleLine(std::string_view bytes) {
  std::string value(bytes.substr(0, IniFile::kMaxValueLength));
  std::erase(value, '\r');
  return value;
}

void Write(const std::string& path, std::string_view key, const std::string& value) {
  IniFile ini(path);
  ini.WriteString(kSection, key, value);
  RequireEqual("the value read back before closing", value, ini.ReadString(kSection, key, kMissing));
  ini.Close();
}

}  // namespace
}  // namespace vendral::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vendral::fuzz;
  FuzzInput input(data, size);
  const std::uint8_t choice = input.Byte();
  const std::string_view key = kKeys[choice % kKeys.size()];
  const std::string_view other_key = kKeys[(choice / kKeys.size() + 1 + choice % kKeys.size()) % kKeys.size()];
  const std::string value = SingleLine(input.Line());
  PutScratchFile("SETTINGS.INI", input.Rest());
  const std::string path = ScratchPath("SETTINGS.INI");

  std::array<std::string, kKeys.size()> before;
  for (std::size_t i = 0; i < kKeys.size(); ++i) before[i] = Stored(path, kKeys[i]);

  Write(path, key, value);
  RequireEqual("the value read back", value, Stored(path, key));
  for (std::size_t i = 0; i < kKeys.size(); ++i) {
    if (kKeys[i] != key) RequireEqual("another key's value", before[i], Stored(path, kKeys[i]));
  }

  // A second key, then both again, as every close writes every key.
  const std::string other_value = "other";
  if (other_key != key) Write(path, other_key, other_value);
  const std::string settled = vendral::testing::ReadBytes(path);
  Write(path, key, value);
  if (other_key != key) Write(path, other_key, other_value);
  RequireEqual("the file after writing the same values again", settled, vendral::testing::ReadBytes(path));
  RequireEqual("the first value after the second key", value, Stored(path, key));
  return 0;
}
