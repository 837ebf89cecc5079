#include "number_text.h"

#include <algorithm>
#include <charconv>
#include <cfloat>
#include <cstdint>
#include <string>
#include <system_error>

namespace tarquel {

NumberText FormatNumber(double value) {
    NumberText text;
    char* const first = text.chars_;
    char* last = first;
    if (value == 0) {
        *last++ = '0';  // also for -0: a sign on nothing only puzzles the reader
    } else {
        // 32 characters always hold 15 digits, a sign, a point and a three-digit exponent.
        last = std::to_chars(first, first + sizeof text.chars_, value, std::chars_format::general, 15).ptr;
        for (char* c = first; c != last; ++c) {
            if (*c >= 'a' && *c <= 'z') *c = static_cast<char>(*c - 'a' + 'A');  // 'e' -> 'E', as %G
        }
    }
    text.size_ = static_cast<std::size_t>(last - first);
    return text;
}

namespace {

// What one character of an input text is to the numeral grammar.
enum class Kind { Digit, Point, Plus, Minus, Exponent, Blank, Other, End };

struct Symbol {
    Kind kind;
    char ascii;        // the ASCII form that std::from_chars understands
    std::size_t size;  // bytes of UTF-8 it took
};

// Decodes the character at `at`, mapping the full-width forms a Chinese input
// method produces onto their ASCII meaning.
Symbol Classify(std::string_view text, std::size_t at) {
    if (at >= text.size()) return {Kind::End, 0, 0};
    const auto c = static_cast<unsigned char>(text[at]);
    if (c >= '0' && c <= '9') return {Kind::Digit, static_cast<char>(c), 1};
    switch (c) {
        case '.': return {Kind::Point, '.', 1};
        case '+': return {Kind::Plus, '+', 1};
        case '-': return {Kind::Minus, '-', 1};
        case 'e': case 'E': return {Kind::Exponent, 'e', 1};
        case ' ': case '\t': return {Kind::Blank, ' ', 1};
        default: break;
    }
    if (c < 0x80 || at + 2 >= text.size()) return {Kind::Other, 0, 1};
    const auto c1 = static_cast<unsigned char>(text[at + 1]);
    const auto c2 = static_cast<unsigned char>(text[at + 2]);
    if (c == 0xEF && c1 == 0xBC) {  // U+FF00..U+FF3F: full-width ASCII forms
        if (c2 >= 0x90 && c2 <= 0x99) return {Kind::Digit, static_cast<char>('0' + c2 - 0x90), 3};
        if (c2 == 0x8E) return {Kind::Point, '.', 3};     // ．
        if (c2 == 0x8B) return {Kind::Plus, '+', 3};      // ＋
        if (c2 == 0x8D) return {Kind::Minus, '-', 3};     // －
        if (c2 == 0xA5) return {Kind::Exponent, 'e', 3};  // Ｅ
    }
    if (c == 0xEF && c1 == 0xBD && c2 == 0x85) return {Kind::Exponent, 'e', 3};  // ｅ
    if (c == 0xE3 && c1 == 0x80 && c2 == 0x80) return {Kind::Blank, ' ', 3};     // ideographic space
    if (c == 0xE3 && c1 == 0x80 && c2 == 0x82) return {Kind::Point, '.', 3};     // 。
    if (c == 0xE2 && c1 == 0x88 && c2 == 0x92) return {Kind::Minus, '-', 3};     // − minus sign
    return {Kind::Other, 0, 1};
}

// Where the unsigned numeral lies in a text, and its sign.
struct Numeral {
    std::size_t begin = 0, end = 0;
    bool negative = false;
};

// Checks the whole text against the grammar in the header. Returns false for
// anything that is not exactly one numeral with optional blanks around it.
bool Scan(std::string_view text, Numeral& numeral) {
    std::size_t at = 0;
    Symbol s = Classify(text, at);
    auto advance = [&] {
        at += s.size;
        s = Classify(text, at);
    };
    while (s.kind == Kind::Blank) advance();
    if (s.kind == Kind::Plus || s.kind == Kind::Minus) {
        numeral.negative = s.kind == Kind::Minus;
        advance();
    }
    numeral.begin = at;

    int digits = 0;
    while (s.kind == Kind::Digit) { ++digits; advance(); }
    if (s.kind == Kind::Point) {
        advance();
        while (s.kind == Kind::Digit) { ++digits; advance(); }
    }
    if (digits == 0) return false;
    if (s.kind == Kind::Exponent) {
        advance();
        if (s.kind == Kind::Plus || s.kind == Kind::Minus) advance();
        if (s.kind != Kind::Digit) return false;
        while (s.kind == Kind::Digit) advance();
    }
    numeral.end = at;
    while (s.kind == Kind::Blank) advance();
    return s.kind == Kind::End;
}

// Rewrites a validated numeral in ASCII.
std::string Translate(std::string_view text, const Numeral& numeral) {
    std::string ascii;
    ascii.reserve(numeral.end - numeral.begin);
    for (std::size_t at = numeral.begin; at < numeral.end;) {
        const Symbol s = Classify(text, at);
        ascii += s.ascii;
        at += s.size;
    }
    return ascii;
}

// The decimal exponent of the leading significant digit of an ASCII numeral
// ("123.4" -> 2, "0.05" -> -2), and whether its significant digits do not
// exceed those of FormatNumber's text for the largest double.
struct Magnitude {
    std::int64_t exponent = 0;
    bool withinFormattedMax = false;
};

Magnitude Measure(std::string_view ascii) {
    constexpr std::string_view kMaxDigits = "179769313486232";  // "1.79769313486232E+308"
    constexpr std::int64_t kMaxExponent = 308;
    constexpr std::int64_t kSaturation = 1'000'000'000;  // far beyond any double, far below overflow

    // The digit just before the point has decimal exponent 0.
    const std::size_t integerDigits = std::min(ascii.find_first_not_of("0123456789"), ascii.size());
    const std::int64_t firstExponent = static_cast<std::int64_t>(integerDigits) - 1;

    std::int64_t leading = 0;      // exponent of the first significant digit
    bool found = false;
    int comparison = 0;            // significant digits against kMaxDigits: <0 less, 0 equal so far, >0 greater
    std::size_t compared = 0;
    std::int64_t explicitExponent = 0;
    std::int64_t digitIndex = 0;
    for (std::size_t i = 0; i < ascii.size(); ++i) {
        const char c = ascii[i];
        if (c == '.') continue;
        if (c == 'e' || c == 'E') {
            std::size_t j = i + 1;
            const bool negative = j < ascii.size() && ascii[j] == '-';
            if (j < ascii.size() && (ascii[j] == '+' || ascii[j] == '-')) ++j;
            for (; j < ascii.size(); ++j) {
                explicitExponent = std::min(explicitExponent * 10 + (ascii[j] - '0'), kSaturation);
            }
            if (negative) explicitExponent = -explicitExponent;
            break;
        }
        const std::int64_t exponent = firstExponent - digitIndex++;
        if (!found) {
            if (c == '0') continue;
            found = true;
            leading = exponent;
        }
        if (comparison == 0) {
            const char limit = compared < kMaxDigits.size() ? kMaxDigits[compared] : '0';
            ++compared;
            if (c != limit) comparison = c < limit ? -1 : 1;
        }
    }
    Magnitude m;
    m.exponent = leading + explicitExponent;
    m.withinFormattedMax = m.exponent < kMaxExponent || (m.exponent == kMaxExponent && comparison <= 0);
    return m;
}

bool IsAsciiBlank(char c) { return c == ' ' || c == '\t'; }

// Turns from_chars' answer for a numeral into ours.
ParsedNumber Finish(std::string_view numeral, double magnitude, std::errc ec, bool negative) {
    if (ec == std::errc::result_out_of_range) {
        // from_chars refuses both ends of the range; only the upper end is an error.
        const Magnitude m = Measure(numeral);
        if (m.exponent < 0) {
            magnitude = 0;  // below half the smallest subnormal: rounds to zero
        } else if (m.withinFormattedMax) {
            magnitude = DBL_MAX;  // what FormatNumber writes for the largest doubles
        } else {
            return {0, ParseStatus::OutOfRange};
        }
    } else if (ec != std::errc()) {
        return {0, ParseStatus::NotANumber};
    }
    return {negative ? -magnitude : magnitude, ParseStatus::Ok};
}

// Texts with full-width forms or other non-ASCII characters: decoded, checked
// and translated to ASCII first. Kept out of line so the common ASCII path
// carries no string of its own.
[[gnu::noinline]] ParsedNumber ParseTranslated(std::string_view text) {
    Numeral numeral;
    if (!Scan(text, numeral)) return {0, ParseStatus::NotANumber};
    const std::string ascii = Translate(text, numeral);
    double magnitude = 0;
    const auto [end, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), magnitude);
    if (end != ascii.data() + ascii.size()) return {0, ParseStatus::NotANumber};
    return Finish(ascii, magnitude, ec, numeral.negative);
}

}  // namespace

ParsedNumber ParseNumber(std::string_view text) {
    // The common case, plain ASCII, goes straight to from_chars, which checks the
    // digits itself; only blanks, the sign, and what from_chars would accept
    // beyond decimal numerals (inf, nan) are looked at here. Any other character
    // sends the text to the decoding path.
    const char* at = text.data();
    const char* const last = at + text.size();
    while (at != last && IsAsciiBlank(*at)) ++at;
    bool negative = false;
    if (at != last && (*at == '+' || *at == '-')) negative = *at++ == '-';
    if (at == last || !((*at >= '0' && *at <= '9') || *at == '.')) {
        return at != last && static_cast<unsigned char>(*at) >= 0x80 ? ParseTranslated(text)
                                                                       : ParsedNumber{0, ParseStatus::NotANumber};
    }
    double magnitude = 0;
    const auto [end, ec] = std::from_chars(at, last, magnitude);
    for (const char* rest = end; rest != last; ++rest) {
        if (static_cast<unsigned char>(*rest) >= 0x80) return ParseTranslated(text);
        if (!IsAsciiBlank(*rest)) return {0, ParseStatus::NotANumber};
    }
    if (end == at) return {0, ParseStatus::NotANumber};  // "." alone
    return Finish(std::string_view(at, static_cast<std::size_t>(end - at)), magnitude, ec, negative);
}

}  // namespace tarquel
