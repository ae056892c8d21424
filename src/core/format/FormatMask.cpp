#include "core/format/FormatMask.h"

#include "core/format/DecimalDigits.h"
#include "core/format/NumberText.h"

#include <cmath>
#include <cstdlib>

namespace qv {

namespace {

struct MaskShape
{
    std::string prefix;
    std::string suffix;
    int integerZeros = 0; // minimum count of integer digits
    bool grouping = false;
    bool decimalPoint = false;
    int fractionZeros = 0; // decimals always printed
    int fractionTotal = 0; // decimals at most
    bool percent = false;
    bool exponentForm = false;
    bool exponentPlus = false;
    int exponentDigits = 0;
};

MaskShape readMask(std::string_view mask)
{
    MaskShape shape;
    bool seenPlaceholder = false;
    bool inFraction = false;
    bool inExponent = false;
    for (std::size_t i = 0; i < mask.size(); ++i) {
        const char c = mask[i];
        if (inExponent) {
            if (c == '0' || c == '#') {
                ++shape.exponentDigits;
                continue;
            }
            inExponent = false;
        }
        const bool afterBody = seenPlaceholder && !shape.suffix.empty();
        if (!afterBody && (c == '0' || c == '#')) {
            seenPlaceholder = true;
            if (inFraction) {
                ++shape.fractionTotal;
                if (c == '0') {
                    shape.fractionZeros = shape.fractionTotal;
                }
            } else if (c == '0') {
                ++shape.integerZeros;
            }
        } else if (!afterBody && c == '.' && !inFraction && !shape.exponentForm) {
            seenPlaceholder = true;
            shape.decimalPoint = true;
            inFraction = true;
        } else if (!afterBody && c == ',' && seenPlaceholder && !inFraction) {
            shape.grouping = true;
        } else if (!afterBody && (c == 'E' || c == 'e') && seenPlaceholder && i + 1 < mask.size() &&
                   (mask[i + 1] == '+' || mask[i + 1] == '-')) {
            shape.exponentForm = true;
            shape.exponentPlus = mask[i + 1] == '+';
            inExponent = true;
            ++i;
        } else {
            if (c == '%') {
                shape.percent = true;
            }
            (seenPlaceholder ? shape.suffix : shape.prefix) += c;
        }
    }
    return shape;
}

char digitChar(int digit)
{
    return static_cast<char>('0' + digit);
}

void appendFraction(std::string& out, const MaskShape& shape, const DecimalDigits& d,
                    int firstPower)
{
    int printed = shape.fractionTotal;
    while (printed > shape.fractionZeros && d.digitAt(firstPower - printed + 1) == 0) {
        --printed;
    }
    if (shape.decimalPoint) {
        out += '.';
    }
    for (int k = 0; k < printed; ++k) {
        out += digitChar(d.digitAt(firstPower - k));
    }
}

// d is already rounded to the mask's significant digits.
std::string exponentBody(const MaskShape& shape, const DecimalDigits& d)
{
    const int exponent = d.isZero() ? 0 : d.exponent;
    std::string out;
    out += digitChar(d.digitAt(exponent));
    appendFraction(out, shape, d, exponent - 1);
    out += 'E';
    if (exponent < 0) {
        out += '-';
    } else if (shape.exponentPlus) {
        out += '+';
    }
    const std::string magnitude = std::to_string(std::abs(exponent));
    if (static_cast<int>(magnitude.size()) < shape.exponentDigits) {
        out.append(static_cast<std::size_t>(shape.exponentDigits) - magnitude.size(), '0');
    }
    out += magnitude;
    return out;
}

// d is already rounded to the mask's decimals.
std::string fixedBody(const MaskShape& shape, const DecimalDigits& d)
{
    const int highest = d.isZero() ? -1 : d.exponent;
    const int integerDigits = highest + 1 > shape.integerZeros ? highest + 1 : shape.integerZeros;
    std::string out;
    for (int power = integerDigits - 1; power >= 0; --power) {
        out += digitChar(d.digitAt(power));
        if (shape.grouping && power > 0 && power % 3 == 0) {
            out += ',';
        }
    }
    appendFraction(out, shape, d, -1);
    return out;
}

} // namespace

std::string format(double value, std::string_view mask)
{
    if (!std::isfinite(value)) {
        return plainText(value);
    }
    const MaskShape shape = readMask(mask);
    DecimalDigits d = DecimalDigits::of(value);
    if (shape.percent) {
        d.shift(2);
    }
    if (shape.exponentForm) {
        d.roundToSignificant(1 + shape.fractionTotal);
    } else {
        d.roundToDecimals(shape.fractionTotal);
    }
    std::string out;
    if (d.negative) {
        out += '-';
    }
    out += shape.prefix;
    out += shape.exponentForm ? exponentBody(shape, d) : fixedBody(shape, d);
    out += shape.suffix;
    return out;
}

std::string valueAxisMask(int places, bool exponentForm)
{
    const std::string zeros(places < 1 ? 0 : static_cast<std::size_t>(places), '0');
    if (exponentForm) {
        return places < 1 ? std::string("0E+00") : std::string("0.").append(zeros).append("E+00");
    }
    return places < 1 ? std::string("#,##0") : std::string("#,##0.").append(zeros);
}

std::string_view percentMask(double fraction)
{
    if (fraction < 0.001) {
        return "0.###%";
    }
    if (fraction < 0.01) {
        return "0.##%";
    }
    if (fraction < 0.1) {
        return "0.#%";
    }
    return "##%";
}

} // namespace qv
