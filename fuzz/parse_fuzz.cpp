// ParseNumber on arbitrary bytes: no crash, no undefined behaviour, and every
// number it accepts formats to a text that reads back to the same text.
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarquel;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const ParsedNumber parsed = ParseNumber(text);
    if (parsed.status != ParseStatus::Ok) return 0;
    if (!std::isfinite(parsed.value)) std::abort();

    const std::string shown = FormatNumber(parsed.value).str();
    const ParsedNumber back = ParseNumber(shown);
    if (back.status != ParseStatus::Ok || FormatNumber(back.value) != shown) std::abort();

    // For plain ASCII the C library (C locale, correctly rounded in glibc) is a
    // second opinion on the value, except where FormatNumber's largest text is
    // deliberately read as the largest double.
    bool ascii = true;
    for (char c : text) ascii = ascii && static_cast<unsigned char>(c) < 0x80 && c != '\0';
    if (ascii) {
        const std::string copy(text);
        const double reference = std::strtod(copy.c_str(), nullptr);
        if (std::isfinite(reference) && reference != parsed.value) std::abort();
    }
    return 0;
}
