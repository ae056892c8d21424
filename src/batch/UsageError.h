#pragma once
// A command line that batch mode refuses: the text says why (exit status 2).

#include <stdexcept>

namespace qv {

class UsageError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

} // namespace qv
