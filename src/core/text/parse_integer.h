// Text to a signed 32-bit integer, the way the length field and Listrel's
// numbers are read: leading blanks, a decimal number with an optional sign,
// or a hexadecimal 32-bit pattern after "$", "x", "X", "0x" or "0X".
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace vendral {

// The value, or nothing when the text is no valid integer.
std::optional<std::int32_t> TryParseInteger(std::string_view text);

// The value; a ConversionError naming the whole text otherwise.
std::int32_t ParseInteger(std::string_view text);

}  // namespace vendral
