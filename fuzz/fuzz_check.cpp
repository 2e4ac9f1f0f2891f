#include "fuzz_check.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace vendral::fuzz {
namespace {

// Bytes as C escapes, cut short: findings can hold any byte and be long.
std::string Printable(std::string_view bytes) {
  constexpr std::size_t kShown = 400;
  std::string text;
  for (const char c : bytes.substr(0, kShown)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 32 && byte < 127 && byte != '\\') {
      text += c;
    } else {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02x", byte);
      text += escape;
    }
  }
  if (bytes.size() > kShown) text += "... (" + std::to_string(bytes.size()) + " bytes)";
  return text;
}

}  // namespace

void Fail(std::string_view what, std::string_view expected, std::string_view got) {
  std::fprintf(stderr, "\n*** %.*s\n    expected: \"%s\"\n    got:      \"%s\"\n",
               static_cast<int>(what.size()), what.data(), Printable(expected).c_str(),
               Printable(got).c_str());
  std::abort();
}

}  // namespace vendral::fuzz
