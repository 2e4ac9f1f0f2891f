// Ardenta and GC-content on arbitrary source bytes: the whole CSV file
// against one computed from the reference lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vendral::fuzz {

// letters: the tool mode, "GC" or "LVWIFMPCDEKR".
void FuzzComposition(std::string_view letters, const std::uint8_t* data, std::size_t size);

}  // namespace vendral::fuzz
