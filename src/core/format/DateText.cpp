#include "core/format/DateText.h"

namespace qv {

namespace {

void appendTwoDigits(std::string& out, unsigned value)
{
    out += static_cast<char>('0' + value / 10 % 10);
    out += static_cast<char>('0' + value % 10);
}

} // namespace

std::string formatDate(std::chrono::year_month_day date)
{
    if (!date.ok()) {
        return "00-00-00";
    }
    const int year = static_cast<int>(date.year());
    const auto yy = static_cast<unsigned>(((year % 100) + 100) % 100);
    std::string out;
    appendTwoDigits(out, static_cast<unsigned>(date.month()));
    out += '-';
    appendTwoDigits(out, static_cast<unsigned>(date.day()));
    out += '-';
    appendTwoDigits(out, yy);
    return out;
}

} // namespace qv
