#include "calculate_load.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "number_text.h"

namespace tarquel {

namespace {

const char* Describe(Failure failure) {
    switch (failure) {
        case Failure::NotANumber: return "not a number";
        case Failure::OutOfRange: return "out of range";
        case Failure::DivisionByZero: return "division by zero";
        case Failure::InvalidOperation: return "invalid operation";
        case Failure::Overflow: return "overflow";
    }
    return "failure";
}

// One step of the calculation: reads operands from the sheet as text, and
// writes its one result as text.
class Step {
public:
    Step(LoadSheet& sheet, Field result) : sheet_(sheet), result_(result) {}

    double Operand(Field field) const {
        const ParsedNumber parsed = ParseNumber(sheet_.Read(field));
        if (parsed.status != ParseStatus::Ok) {
            throw NotANumber(field, result_, parsed.status == ParseStatus::OutOfRange
                                                 ? Failure::OutOfRange
                                                 : Failure::NotANumber);
        }
        return parsed.value;
    }

    // Operands are always finite, so a non-finite value can only come from an
    // overflow here. (Compiled code does not keep the FPU flags reliably.)
    void CheckOverflow(double value) const {
        if (!std::isfinite(value)) throw ArithmeticFault(result_, Failure::Overflow);
    }

    void Write(double value) const { sheet_.Write(result_, FormatNumber(value)); }

private:
    LoadSheet& sheet_;
    Field result_;
};

}  // namespace

CalculationError::CalculationError(Field quantity, Field step, Failure failure)
    : quantity_(quantity), step_(step), failure_(failure) {
    // "Tanφ: not a number (computing Qjs)" and the like: in English, for logs and tests;
    // the window words its own messages.
    std::string_view parts[] = {Symbol(quantity), ": ", Describe(failure), "", "", ""};
    if (step != quantity) {
        parts[3] = " (computing ";
        parts[4] = Symbol(step);
        parts[5] = ")";
    }
    std::size_t length = 0;
    for (std::string_view part : parts) {
        const std::size_t n = std::min(part.size(), sizeof what_ - 1 - length);
        part.copy(what_ + length, n);
        length += n;
    }
    what_[length] = '\0';
}

Outcome CalculateLoad(LoadSheet& sheet) {
    // All four are read before the test; it does not say which one is missing.
    const bool kxEmpty = sheet.Read(Field::Kx).empty();
    const bool psEmpty = sheet.Read(Field::Ps).empty();
    const bool unEmpty = sheet.Read(Field::Un).empty();
    const bool tanPhiEmpty = sheet.Read(Field::TanPhi).empty();
    if (kxEmpty || psEmpty || unEmpty || tanPhiEmpty) return Outcome::Incomplete;

    {  // A: Pjs = Kx × Ps
        const Step step(sheet, Field::Pjs);
        const double k = step.Operand(Field::Kx);
        const double p = step.Operand(Field::Ps);
        const double pjs = p * k;
        step.CheckOverflow(pjs);
        step.Write(pjs);
    }
    {  // B: Qjs = Pjs × Tanφ, from the Pjs text just written
        const Step step(sheet, Field::Qjs);
        const double a = step.Operand(Field::Pjs);
        const double t = step.Operand(Field::TanPhi);
        const double qjs = t * a;
        step.CheckOverflow(qjs);
        step.Write(qjs);
    }
    {  // C: Sjs = √(Pjs² + Qjs²); the sum is never negative, so the root needs no check
        const Step step(sheet, Field::Sjs);
        const double q = step.Operand(Field::Qjs);
        const double q2 = q * q;
        const double p = step.Operand(Field::Pjs);
        const double p2 = p * p;
        const double sum = p2 + q2;
        step.CheckOverflow(sum);  // an infinite square makes the sum infinite too
        step.Write(std::sqrt(sum));
    }
    {  // D: Ijs = Sjs ÷ (Un × 1.732) × 1000; 1.732 is the customary three-decimal √3
        const Step step(sheet, Field::Ijs);
        const double s = step.Operand(Field::Sjs);
        const double u = step.Operand(Field::Un);
        const double divisor = u * 1.732;
        step.CheckOverflow(divisor);
        if (divisor == 0) {
            throw ArithmeticFault(Field::Ijs, s == 0 ? Failure::InvalidOperation : Failure::DivisionByZero);
        }
        const double ratio = s / divisor;
        const double ijs = ratio * 1000;
        step.CheckOverflow(ijs);  // an infinite ratio stays infinite
        step.Write(ijs);
    }
    return Outcome::Done;
}

}  // namespace tarquel
