#pragma once
// Failures carry the numeric codes that the program's messages print.
// Floating point does not trap, so statistics and plot code go through the
// checked helpers below, which raise the right code instead of letting NaN or
// infinity through.

#include <stdexcept>
#include <string>

namespace qv {

namespace ErrorCode {
inline constexpr int InvalidArgument = 5;
inline constexpr int Overflow = 6;
inline constexpr int OutOfMemory = 7;
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int DivisionByZero = 11;
inline constexpr int TypeMismatch = 13;
inline constexpr int BadFileName = 52;
inline constexpr int FileNotFound = 53;
inline constexpr int BadFileMode = 54;
inline constexpr int FileAlreadyOpen = 55;
inline constexpr int DiskFull = 61;
inline constexpr int InputPastEnd = 62;
inline constexpr int BadFileNameOrNumber = 64;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathFileAccess = 75;
inline constexpr int PathNotFound = 76;
// The printer could not start or finish the print job.
inline constexpr int PrinterError = 482;
// A file dialog or the Data File Parameters dialog closed with Cancel.
inline constexpr int Cancelled = 32755;
// A line of a data file longer than the reader takes (MaxLineLength).
inline constexpr int LineTooLong = 32756;
} // namespace ErrorCode

class QvError : public std::runtime_error
{
public:
    explicit QvError(int code, const std::string& what = {})
        : std::runtime_error(what.empty() ? "error " + std::to_string(code) : what), m_code(code)
    {
    }
    int code() const noexcept { return m_code; }

private:
    int m_code;
};

[[noreturn]] inline void raise(int code) { throw QvError(code); }

// The failure's code as the messages print it: one leading blank before a
// non-negative number, the minus sign in that place otherwise.
inline std::string codeText(int code)
{
    return (code >= 0 ? " " : "") + std::to_string(code);
}

// How an "Unexpected Error" message joins its prefix and the code: the readers
// and the plot routine print "Unexpected Error 9"; the commands' own traps print
// the prefix with a blank of its own, "Unexpected Error  53".
enum class ErrorPrefix
{
    Joined,
    Spaced
};

// "Unexpected Error" and the code as codeText() writes it, after the prefix's
// own blank for ErrorPrefix::Spaced.
std::string unexpectedErrorText(int code, ErrorPrefix prefix);

// The readers' file message: "File Error", the code as codeText() writes it,
// " Try Again" ("File Error 53 Try Again").
std::string fileErrorText(int code);

// The code a failure is reported with: its own for a QvError, 7 for memory, 9
// for a subscript or length, 6 for an overflow, 5 for anything else.
int failureCode(const std::exception& failure);

// a / b; 0/0 raises 6 (overflow), x/0 raises 11, an infinite result raises 6.
double checkedDiv(double a, double b);
// Square root; a negative or non-finite argument raises 5.
double checkedSqrt(double x);
// Raises 6 when x is not finite (an overflowed product or sum).
double checkedFinite(double x);

} // namespace qv
