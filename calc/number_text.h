// Conversions between numbers and the text the boxes show.
//
// Both are locale-independent: the same text means the same number on every
// machine, whatever the user's regional settings say.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

namespace tarquel {

// FormatNumber writes what C's "%.15G" writes in the C locale: 15 significant
// digits, correctly rounded from the double's exact value, trailing zeros and a
// trailing point dropped, exponent form when the decimal exponent is below -4 or
// at least 15. The one difference: negative zero is written "0".
//
//   80                        -> "80"
//   151.93873830071718        -> "151.938738300717"
//   0.06999999999999999       -> "0.07"
//   1e15                      -> "1E+15"
//   1.5e-5                    -> "1.5E-05"
//   0.0001                    -> "0.0001"
//   -0.0                      -> "0"
//   4.9406564584124654e-324   -> "4.94065645841247E-324"
//   1.7976931348623157e308    -> "1.79769313486232E+308"
//
// The text lives in the returned value itself: formatting allocates nothing.
class NumberText {
public:
    std::string_view view() const { return {chars_, size_}; }
    operator std::string_view() const { return view(); }
    std::string str() const { return std::string(view()); }
    friend bool operator==(const NumberText& a, std::string_view b) { return a.view() == b; }
    friend std::ostream& operator<<(std::ostream& out, const NumberText& t) { return out << t.view(); }

private:
    friend NumberText FormatNumber(double value);
    char chars_[32];  // the longest, "-2.22507385850720E-308", has 22
    std::size_t size_ = 0;
};

NumberText FormatNumber(double value);

enum class ParseStatus {
    Ok,
    NotANumber,  // not a decimal numeral at all
    OutOfRange,  // a numeral whose magnitude lies beyond the largest double
};

struct ParsedNumber {
    double value = 0;
    ParseStatus status = ParseStatus::NotANumber;
};

// ParseNumber reads a decimal numeral, correctly rounded to the nearest double.
//
// Accepted:
//   surrounding blanks        " 0.8 ", "\t380", U+3000 (ideographic space)
//   a sign                    "+" "-" "＋" "－" "−"(U+2212)
//   digits                    "0"-"9", full-width "０"-"９", mixed freely
//   one decimal point         "." "．" "。" (an input method types 。 for a point)
//   an exponent               "e" "E" "ｅ" "Ｅ", optional sign, digits: "1.5E-05"
//   a point at either end     ".5" -> 0.5, "5." -> 5
//   tiny magnitudes           "1e-400" -> 0 (underflow is no error), subnormals exact
//   FormatNumber's maximum    "1.79769313486232E+308" -> the largest double
//
// Refused (NotANumber): "", " ", "1,5" (no digit grouping: "0,8" must never be 8),
//   "0x10", "inf", "nan", "1e", "e5", ".", "--1", "1 2", letters anywhere.
// Refused (OutOfRange): "1e999", "-2E+308": beyond the range of a double.
//
// Every text FormatNumber writes reads back as the value that text shows.
ParsedNumber ParseNumber(std::string_view text);

}  // namespace tarquel
