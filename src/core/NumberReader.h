#pragma once
// Number reading shared by the data readers and every dialog field: the longest
// leading decimal number of a text ("." as the separator, optional sign and
// exponent), 0 when there is none. Locale-free.

#include <optional>
#include <string_view>

namespace qv {

// Skips leading blanks, then reads sign, digits with at most one decimal point and
// an optional exponent ("E" or "e", optional sign, digits); stops at the first
// character that cannot continue the number. Returns 0 when nothing can be read.
// Raises QvError 6 when the number does not fit a double.
double readNumber(std::string_view text);

// Which character a whole number may use as its decimal mark.
enum class DecimalMark
{
    Point,  // "8.3"; a comma is not part of a number
    Comma,  // "8,3"; a point is not part of a number (it could be a thousands separator)
    Either, // one "." or one "," (numbers typed into a field)
};

// The number that `text` holds wholly: optional sign, digits with at most one
// decimal mark, optional exponent ("E" or "e", optional sign, digits); no blanks.
// Empty when the text is anything else ("", "-", "1.2.3", "12a", "inf").
// Raises QvError 6 when the number does not fit a double; a tiny one reads as 0.
std::optional<double> readWholeNumber(std::string_view text, DecimalMark mark);

// The number typed into a field: surrounding blanks and tabs are dropped and a
// comma is read as the decimal mark ("2,57" is 2.57). Empty for a text that is not
// wholly a number and for a number beyond a double's range, so a typing slip is
// refused rather than read as its leading digits or as 0.
std::optional<double> readTypedNumber(std::string_view text);

// Rounds half to even, as a whole-number conversion of the program does; raises
// QvError 6 when the result does not fit `limit` in magnitude.
long long roundToInteger(double value, long long limit);

} // namespace qv
