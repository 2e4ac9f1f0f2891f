// ParseInteger against a reference that compares digit strings instead of
// accumulating values: leading spaces, then a signed decimal within 32
// bits, or "$", "x", "X", "0x", "0X" and a 32-bit hexadecimal pattern.
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "core/run/failure.h"
#include "core/text/parse_integer.h"
#include "fuzz_check.h"

namespace vendral::fuzz {
namespace {

bool AllOf(std::string_view text, const char* allowed) {
  return !text.empty() && text.find_first_not_of(allowed) == std::string_view::npos;
}

std::string_view WithoutLeadingZeros(std::string_view digits) {
  const std::size_t first = digits.find_first_not_of('0');
  return first == std::string_view::npos ? std::string_view() : digits.substr(first);
}

// Whether the digit string (no leading zeros) is at most limit.
bool AtMost(std::string_view digits, std::string_view limit) {
  if (digits.size() != limit.size()) return digits.size() < limit.size();
  return digits <= limit;
}

std::optional<std::int32_t> ReferenceParse(std::string_view text) {
  const std::size_t start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) return std::nullopt;
  text.remove_prefix(start);

  std::optional<std::string_view> hex;
  if (text[0] == '$' || text[0] == 'x' || text[0] == 'X') {
    hex = text.substr(1);
  } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    hex = text.substr(2);
  }
  if (hex) {
    if (!AllOf(*hex, "0123456789abcdefABCDEF")) return std::nullopt;
    const std::string_view significant = WithoutLeadingZeros(*hex);
    if (significant.size() > 8) return std::nullopt;
    const auto pattern = significant.empty() ? 0u : std::stoul(std::string(significant), nullptr, 16);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(pattern));
  }

  const bool negative = text[0] == '-';
  if (text[0] == '-' || text[0] == '+') text.remove_prefix(1);
  if (!AllOf(text, "0123456789")) return std::nullopt;
  const std::string_view significant = WithoutLeadingZeros(text);
  if (!AtMost(significant, negative ? "2147483648" : "2147483647")) return std::nullopt;
  const long long magnitude = significant.empty() ? 0 : std::stoll(std::string(significant));
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

std::string Shown(std::optional<std::int32_t> value) {
  return value ? std::to_string(*value) : "no integer";
}

}  // namespace
}  // namespace vendral::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vendral::fuzz;
  const std::string text(reinterpret_cast<const char*>(data), size);
  const auto expected = ReferenceParse(text);
  RequireEqual("TryParseInteger", Shown(expected), Shown(vendral::TryParseInteger(text)));
  try {
    RequireEqual("ParseInteger", Shown(expected), Shown(vendral::ParseInteger(text)));
  } catch (const vendral::ConversionError& error) {
    Require(!expected, "ParseInteger raised for a valid integer");
    // what() is a C string: it can show the text only up to a byte 0.
    const std::string message = "'" + text + "' is not a valid integer value";
    if (text.find('\0') == std::string::npos) RequireEqual("the conversion failure", message, error.what());
  }
  return 0;
}
