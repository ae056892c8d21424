#pragma once
// The orientation of a printed or exported page: Page Setup's choice, or none
// when neither of its orientation buttons is selected.

namespace qv {

enum class PageOrientation
{
    Unchanged,
    Portrait,
    Landscape,
};

} // namespace qv
