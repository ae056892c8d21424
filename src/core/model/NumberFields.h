#pragma once
// The fields of the option windows and the Data File Parameters dialog that
// hold numbers, and how a typed number is checked and stored: a text that is not
// wholly a number is refused (never read as its leading digits), and a number is
// stored as a text every later reading takes the same way.

#include "core/model/ControlTable.h"

#include <optional>
#include <string>
#include <string_view>

namespace qv {

// True for a text or combo control that holds a number (the upper limit, the
// background value, the scale, the places and digits, the column answers).
bool holdsNumber(Ctl id);

// The caption that names a number field in a message ("Upper Limit"); the
// control's name for any other control.
std::string numberFieldCaption(Ctl id);

// The text a typed number is stored as: blanks around it dropped and a decimal
// comma written as a point ("2,57" gives "2.57"). Empty when the text is not
// wholly a number (readTypedNumber reads nothing).
std::optional<std::string> typedNumberText(std::string_view text);

} // namespace qv
