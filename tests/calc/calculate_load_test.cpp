#include "calculate_load.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace tarquel {
namespace {

constexpr const char* kEarlier = "old";  // a result left by an earlier click

struct Expected {
    Field quantity;
    Field step;
    Failure failure;
    bool arithmetic;  // ArithmeticFault rather than NotANumber
};

struct Case {
    const char* name;
    const char* kx;
    const char* ps;
    const char* un;
    const char* tanPhi;
    std::optional<Outcome> outcome;  // empty when the calculation throws
    std::optional<Expected> error;
    const char* pjs;
    const char* qjs;
    const char* sjs;
    const char* ijs;
};

const Case kCases[] = {
    {"reference", "0.8", "100", "380", "0.75", Outcome::Done, {},
     "80", "60", "100", "151.938738300717"},
    {"the text travels, not the double", "0.7", "0.1", "1", "3", Outcome::Done, {},
     "0.07", "0.21", "0.221359436211787", "127.805679106113"},
    {"Kx empty", "", "100", "380", "0.75", Outcome::Incomplete, {}, kEarlier, kEarlier, kEarlier, kEarlier},
    {"Ps empty", "0.8", "", "380", "0.75", Outcome::Incomplete, {}, kEarlier, kEarlier, kEarlier, kEarlier},
    {"Un empty", "0.8", "100", "", "0.75", Outcome::Incomplete, {}, kEarlier, kEarlier, kEarlier, kEarlier},
    {"Tanphi empty", "0.8", "100", "380", "", Outcome::Incomplete, {}, kEarlier, kEarlier, kEarlier, kEarlier},
    {"all empty", "", "", "", "", Outcome::Incomplete, {}, kEarlier, kEarlier, kEarlier, kEarlier},
    {"a lone space is not empty", " ", "100", "380", "0.75", {},
     Expected{Field::Kx, Field::Pjs, Failure::NotANumber, false}, kEarlier, kEarlier, kEarlier, kEarlier},
    {"Ps no number", "0.8", "1,5", "380", "0.75", {},
     Expected{Field::Ps, Field::Pjs, Failure::NotANumber, false}, kEarlier, kEarlier, kEarlier, kEarlier},
    {"Tanphi no number", "0.8", "100", "380", "abc", {},
     Expected{Field::TanPhi, Field::Qjs, Failure::NotANumber, false}, "80", kEarlier, kEarlier, kEarlier},
    {"Un no number after three results", "0.8", "100", "x", "0.75", {},
     Expected{Field::Un, Field::Ijs, Failure::NotANumber, false}, "80", "60", "100", kEarlier},
    {"Un out of range", "0.8", "100", "1e999", "0.75", {},
     Expected{Field::Un, Field::Ijs, Failure::OutOfRange, false}, "80", "60", "100", kEarlier},
    {"Un zero", "0.8", "100", "0", "0.75", {},
     Expected{Field::Ijs, Field::Ijs, Failure::DivisionByZero, true}, "80", "60", "100", kEarlier},
    {"Kx and Un zero: 0/0", "0", "100", "0", "0.75", {},
     Expected{Field::Ijs, Field::Ijs, Failure::InvalidOperation, true}, "0", "0", "0", kEarlier},
    {"Un huge: the divisor overflows", "1", "1", "1.1e308", "1", {},
     Expected{Field::Ijs, Field::Ijs, Failure::Overflow, true}, "1", "1", "1.4142135623731", kEarlier},
    {"Un tiny: the current overflows", "1", "1e150", "1e-300", "0", {},
     Expected{Field::Ijs, Field::Ijs, Failure::Overflow, true}, "1E+150", "0", "1E+150", kEarlier},
    {"overflow in step A", "1e200", "1e200", "380", "0.75", {},
     Expected{Field::Pjs, Field::Pjs, Failure::Overflow, true}, kEarlier, kEarlier, kEarlier, kEarlier},
    {"overflow in step B", "1", "1e300", "380", "1e10", {},
     Expected{Field::Qjs, Field::Qjs, Failure::Overflow, true}, "1E+300", kEarlier, kEarlier, kEarlier},
    {"overflow of a square in step C", "1", "1e200", "380", "0", {},
     Expected{Field::Sjs, Field::Sjs, Failure::Overflow, true}, "1E+200", "0", kEarlier, kEarlier},
    {"largest product: Pjs reads back", "1", "1.7976931348623157e308", "380", "0", {},
     Expected{Field::Sjs, Field::Sjs, Failure::Overflow, true}, "1.79769313486232E+308", "0", kEarlier, kEarlier},
    {"Kx zero", "0", "100", "380", "0.75", Outcome::Done, {}, "0", "0", "0", "0"},
    {"negative Kx", "-0.8", "100", "380", "0.75", Outcome::Done, {},
     "-80", "-60", "100", "151.938738300717"},
    {"negative zero is shown as 0", "-0", "100", "380", "0.75", Outcome::Done, {}, "0", "0", "0", "0"},
    {"subnormal Pjs read back, squares underflow", "1e-310", "1", "1", "2", Outcome::Done, {},
     "9.99999999999997E-311", "1.99999999999999E-310", "0", "0"},
    {"underflow is no fault", "1e-200", "1e-200", "380", "0.75", Outcome::Done, {}, "0", "0", "0", "0"},
    {"full-width input", "\uFF10\uFF0E\uFF18", "\uFF11\uFF10\uFF10", "\uFF13\uFF18\uFF10", "0\u300275",
     Outcome::Done, {}, "80", "60", "100", "151.938738300717"},
    {"blanks around", " 0.8", "100 ", "\u3000" "380", "0.75\t", Outcome::Done, {},
     "80", "60", "100", "151.938738300717"},
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class CalculateLoadCases : public testing::TestWithParam<Case> {};

TEST_P(CalculateLoadCases, WritesTheResultsOfTheStepsThatSucceed) {
    const Case& c = GetParam();
    MemorySheet sheet(c.kx, c.ps, c.un, c.tanPhi);
    for (Field result : {Field::Pjs, Field::Qjs, Field::Sjs, Field::Ijs}) sheet.Write(result, kEarlier);

    if (c.error) {
        try {
            CalculateLoad(sheet);
            ADD_FAILURE() << "no error";
        } catch (const CalculationError& error) {
            EXPECT_EQ(error.quantity(), c.error->quantity);
            EXPECT_EQ(error.step(), c.error->step);
            EXPECT_EQ(error.failure(), c.error->failure);
            EXPECT_EQ(dynamic_cast<const ArithmeticFault*>(&error) != nullptr, c.error->arithmetic);
            EXPECT_EQ(dynamic_cast<const NotANumber*>(&error) != nullptr, !c.error->arithmetic);
            EXPECT_NE(std::string(error.what()).find(Symbol(c.error->quantity)), std::string::npos);
        }
    } else {
        EXPECT_EQ(CalculateLoad(sheet), *c.outcome);
    }

    EXPECT_EQ(sheet.Read(Field::Pjs), c.pjs);
    EXPECT_EQ(sheet.Read(Field::Qjs), c.qjs);
    EXPECT_EQ(sheet.Read(Field::Sjs), c.sjs);
    EXPECT_EQ(sheet.Read(Field::Ijs), c.ijs);
    EXPECT_EQ(sheet.Read(Field::Kx), c.kx);  // inputs are never written
    EXPECT_EQ(sheet.Read(Field::Ps), c.ps);
    EXPECT_EQ(sheet.Read(Field::Un), c.un);
    EXPECT_EQ(sheet.Read(Field::TanPhi), c.tanPhi);
}

INSTANTIATE_TEST_SUITE_P(Table, CalculateLoadCases, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) {
                             std::string name;
                             for (const char* c = info.param.name; *c; ++c) {
                                 name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                             }
                             return name;
                         });

// Logs every read and write, to show the order in which the steps touch the boxes.
class RecordingSheet final : public LoadSheet {
public:
    RecordingSheet(std::string_view kx, std::string_view ps, std::string_view un, std::string_view tanPhi)
        : texts_(kx, ps, un, tanPhi) {}
    std::string Read(Field field) const override {
        log.push_back("read " + std::string(Symbol(field)));
        return texts_.Read(field);
    }
    void Write(Field field, std::string_view text) override {
        log.push_back("write " + std::string(Symbol(field)) + " " + std::string(text));
        texts_.Write(field, text);
    }
    mutable std::vector<std::string> log;

private:
    MemorySheet texts_;
};

TEST(CalculateLoad, EachStepReadsWhatTheStepBeforeWrote) {
    RecordingSheet sheet("0.8", "100", "380", "0.75");
    ASSERT_EQ(CalculateLoad(sheet), Outcome::Done);
    const std::vector<std::string> expected = {
        "read Kx", "read Ps", "read Un", "read Tan\u03C6",  // completeness
        "read Kx", "read Ps", "write Pjs 80",
        "read Pjs", "read Tan\u03C6", "write Qjs 60",
        "read Qjs", "read Pjs", "write Sjs 100",
        "read Sjs", "read Un", "write Ijs 151.938738300717",
    };
    EXPECT_EQ(sheet.log, expected);
}

TEST(CalculateLoad, IncompleteReadsAllFourInputsAndWritesNothing) {
    RecordingSheet sheet("", "100", "380", "0.75");
    ASSERT_EQ(CalculateLoad(sheet), Outcome::Incomplete);
    const std::vector<std::string> expected = {"read Kx", "read Ps", "read Un", "read Tan\u03C6"};
    EXPECT_EQ(sheet.log, expected);
}

TEST(CalculateLoad, ASecondRunWritesTheSameTexts) {
    MemorySheet sheet("0.7", "0.1", "0.38", "0.62");
    ASSERT_EQ(CalculateLoad(sheet), Outcome::Done);
    std::vector<std::string> first;
    for (Field f : kAllFields) first.push_back(sheet.Read(f));
    ASSERT_EQ(CalculateLoad(sheet), Outcome::Done);
    for (Field f : kAllFields) EXPECT_EQ(sheet.Read(f), first[static_cast<int>(f)]);
}

}  // namespace
}  // namespace tarquel

namespace tarquel {
namespace {

// On 32-bit x86 the x87 unit keeps 64-bit mantissas and a wider exponent in its
// registers, and some CPUs fuse x*y+z: either changes results and hides overflow.
TEST(Arithmetic, RoundsEveryOperationToDouble) {
    EXPECT_EQ(FLT_EVAL_METHOD, 0);

    volatile double big = 1e308;
    const double tenfold = big * 10;
    EXPECT_FALSE(std::isfinite(tenfold / 10)) << "the product was kept wider than a double";

    volatile double a = 1 + 0x1p-27;  // a² = 1 + 2⁻²⁶ + 2⁻⁵⁴, which a double cannot hold
    const double square = a * a;
    EXPECT_EQ(square - (1 + 0x1p-26), 0) << "the square was kept wider than a double";
    const double fusable = a * a - (1 + 0x1p-26);
    EXPECT_EQ(fusable, 0) << "the multiply and subtract were fused";

    // The same through the calculation: 10 × 1e308 must overflow in step A.
    MemorySheet sheet("10", "1e308", "380", "0.75");
    EXPECT_THROW(CalculateLoad(sheet), ArithmeticFault);
}

}  // namespace
}  // namespace tarquel
