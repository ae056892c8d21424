#pragma once
// The text of the last number written in a run of numbers, worked out again
// only when a number differs to the bit from the one before it: sorted
// measurements of an instrument's few digits repeat the same number often.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace qv {

template <std::size_t Size> class RepeatedNumberText
{
public:
    using Text = std::array<char, Size>;

    // The text of `value`; format(value, text) writes it into `text` and
    // returns its length (at least 1), and is called only for a new number.
    template <class Format> std::string_view of(double value, const Format& format)
    {
        const auto bits = std::bit_cast<std::uint64_t>(value);
        if (m_length == 0 || bits != m_bits) {
            m_bits = bits;
            m_length = format(value, m_text);
        }
        return {m_text.data(), m_length};
    }

private:
    std::uint64_t m_bits = 0;
    std::size_t m_length = 0;
    Text m_text{};
};

} // namespace qv
