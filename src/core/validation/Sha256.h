#pragma once
// SHA-256 of a byte string, for the checksums of the validation corpus and of
// the chart's pixels.

#include <string>
#include <string_view>

namespace qv {

// The digest of `bytes` as 64 lower-case hexadecimal digits.
[[nodiscard]] std::string sha256Hex(std::string_view bytes);

} // namespace qv
