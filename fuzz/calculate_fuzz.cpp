// CalculateLoad on four arbitrary fields: the outcome or one of the two
// calculation errors and nothing else, the inputs unchanged, the results texts
// that read back.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "calculate_load.h"
#include "number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarquel;
    // Fields are separated by newlines, which a single-line box cannot hold.
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    std::string inputs[4];
    for (std::string& input : inputs) {
        const std::size_t cut = rest.find('\n');
        input = rest.substr(0, cut);
        rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
    }
    MemorySheet sheet(inputs[0], inputs[1], inputs[2], inputs[3]);
    Outcome outcome = Outcome::Incomplete;
    bool failed = false;
    try {
        outcome = CalculateLoad(sheet);
    } catch (const CalculationError&) {
        failed = true;
    }
    const Field inputFields[] = {Field::Kx, Field::Ps, Field::Un, Field::TanPhi};
    for (int i = 0; i < 4; ++i) {
        if (sheet.Read(inputFields[i]) != inputs[i]) std::abort();
    }
    if (!failed && outcome == Outcome::Done) {
        for (Field result : {Field::Pjs, Field::Qjs, Field::Sjs, Field::Ijs}) {
            if (ParseNumber(sheet.Read(result)).status != ParseStatus::Ok) std::abort();
        }
        if (sheet.Read(Field::Sjs)[0] == '-') std::abort();  // a root is never negative
    }
    return 0;
}
