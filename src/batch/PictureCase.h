#pragma once
// The picture case kind: a lot drawn as the window shows it, its picture
// painted as Copy Graph and --export paint it, and the SHA-256 of its pixels.

#include "core/validation/CaseContext.h"
#include "core/validation/ValidationCase.h"

#include <string>

namespace qv {

// The SHA-256 of the pixels (32-bit 0xffRRGGBB, row by row, no padding) of the
// chart picture of the case's lot, at 96 dpi. The footer names the lot by its
// corpus path (as "file" gives it) so that the picture does not depend on
// where the corpus is installed; its date is fixed.
std::string runPictureCase(const ValidationCase& validationCase, const CaseContext& context);

} // namespace qv
