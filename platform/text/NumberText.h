#pragma once

#include <QString>

#include <optional>

// The number rules of the classic Basic runtime that the program's texts follow, in the
// runtime's United States English setting ("." decimal point, "," thousands separator).
class NumberText
{
public:
    // The value of a text that reads as a number as a whole: blanks around it, an
    // optional sign (blanks may follow it), digits with "," as thousands separators
    // anywhere in the whole part, an optional "." and fraction, an optional exponent
    // ("E" or "D", optional sign, digits). At least one digit; nothing else. Nothing
    // for any other text, the empty one included, and for values beyond a double.
    static std::optional<double> toNumber(const QString& text);
    static bool isNumeric(const QString& text) { return toNumber(text).has_value(); }

    // The leading number of a text: blanks, tabs and line breaks are skipped wherever they
    // stand; an optional sign, digits, one ".", an exponent as above; the first other
    // character ends it ("12pt" gives 12, "1,000" gives 1). 0 when there is no number,
    // and for values beyond a double.
    static double leadingValue(const QString& text);

    // The nearest whole number; a half goes to the even neighbour (2.5 gives 2, 3.5
    // gives 4, -2.5 gives -2).
    static double roundHalfEven(double value);
};
