#include "core/text/parse_integer.h"

#include <string>

#include "core/run/failure.h"

namespace vendral {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::int32_t> ParseHex(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : digits) {
    const int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<unsigned>(digit);
    if (value > 0xFFFFFFFFu) return std::nullopt;
  }
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

std::optional<std::int32_t> ParseDecimal(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
  std::int64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > limit) return std::nullopt;
  }
  return static_cast<std::int32_t>(negative ? -value : value);
}

// Most texts are record numbers: one to nine decimal digits, which never
// pass the limit. Their value, or -1 for any other text, which the general
// rules then read. The value comes back in a register: an optional built
// in memory and read back whole costs more than the digits here.
std::int32_t ShortDigits(std::string_view text) {
  if (text.empty() || text.size() > 9) return -1;
  std::int32_t value = 0;
  for (const char c : text) {
    const auto digit = static_cast<unsigned char>(c - '0');
    if (digit > 9) return -1;
    value = value * 10 + digit;
  }
  return value;
}

std::optional<std::int32_t> TryParseGenerally(std::string_view text) {
  while (!text.empty() && text[0] == ' ') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  if (text[0] == '$' || text[0] == 'x' || text[0] == 'X') return ParseHex(text.substr(1));
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    return ParseHex(text.substr(2));
  }
  return ParseDecimal(text);
}

}  // namespace

std::optional<std::int32_t> TryParseInteger(std::string_view text) {
  if (const std::int32_t value = ShortDigits(text); value >= 0) return value;
  return TryParseGenerally(text);
}

std::int32_t ParseInteger(std::string_view text) {
  if (const std::int32_t value = ShortDigits(text); value >= 0) return value;
  if (const auto value = TryParseGenerally(text)) return *value;
  throw ConversionError(std::string(text));
}

}  // namespace vendral
