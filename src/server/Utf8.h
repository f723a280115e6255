#pragma once

#include <cstddef>
#include <string_view>

// UTF-8 checks for texts that cross into the library from a host.
namespace TLPaymentPlugIns::server {

// Well-formed UTF-8: no overlong forms, no surrogates, nothing above
// U+10FFFF, no truncated sequence.
bool IsUtf8(std::string_view text) noexcept;

// The longest prefix of text that is at most maxBytes long and does not end
// inside a character.
std::string_view CutUtf8(std::string_view text, std::size_t maxBytes) noexcept;

}  // namespace TLPaymentPlugIns::server
