// The load calculation by the demand-coefficient method:
//   Pjs = Kx × Ps,  Qjs = Pjs × Tanφ,  Sjs = √(Pjs² + Qjs²),  Ijs = Sjs ÷ (Un × 1.732) × 1000
#pragma once

#include <exception>

#include "load_sheet.h"

namespace tarquel {

enum class Outcome { Done, Incomplete };

enum class Failure {
    NotANumber,        // a text that is no numeral
    OutOfRange,        // a numeral beyond the range of a double
    DivisionByZero,    // Un of zero
    InvalidOperation,  // 0 ÷ 0: Sjs and Un both zero
    Overflow,          // a result beyond the range of a double
};

// What stopped a calculation: which text or result, in which step, and why.
// The description is kept inline: raising the error allocates nothing.
class CalculationError : public std::exception {
public:
    const char* what() const noexcept override { return what_; }
    // quantity: the input that did not convert, or the result whose arithmetic faulted.
    // step: the result the failing step would have written.
    Field quantity() const { return quantity_; }
    Field step() const { return step_; }
    Failure failure() const { return failure_; }

protected:
    CalculationError(Field quantity, Field step, Failure failure);

private:
    Field quantity_;
    Field step_;
    Failure failure_;
    char what_[64];
};

class NotANumber final : public CalculationError {
public:
    NotANumber(Field quantity, Field step, Failure failure) : CalculationError(quantity, step, failure) {}
};

class ArithmeticFault final : public CalculationError {
public:
    ArithmeticFault(Field result, Failure failure) : CalculationError(result, result, failure) {}
};

// Runs the whole calculation on the sheet.
//
// Incomplete when any of Kx, Ps, Un, Tanφ is the empty text; then nothing is
// converted or written. Otherwise four steps, each reading its operands as text,
// computing in doubles and writing its result as text before the next starts, so
// the value that travels on is the value on screen (Pjs "0.07", not 0.0699…).
//
// Throws NotANumber for the first input, in step order, that does not convert,
// and ArithmeticFault for a step whose arithmetic overflows, divides by zero or
// is invalid. The failing step writes nothing; earlier steps' results stand.
// Inputs are never written.
Outcome CalculateLoad(LoadSheet& sheet);

}  // namespace tarquel
