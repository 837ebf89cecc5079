#include "messages.h"

#include "text.h"

namespace tarquel {

std::wstring DescribeError(const CalculationError& error) {
    const std::wstring quantity = ToUtf16(Symbol(error.quantity()));
    const std::wstring step = ToUtf16(Symbol(error.step()));
    switch (error.failure()) {
        case Failure::NotANumber:
            return quantity + L" 不是有效的数字。\n请输入一个数，例如 0.8、380 或 1.5E-3。";
        case Failure::OutOfRange:
            return quantity + L" 的数值超出了可以计算的范围。";
        case Failure::DivisionByZero:
            return L"计算 " + step + L" 时除数为零：Un 不能为 0。";
        case Failure::InvalidOperation:
            return L"计算 " + step + L" 时出现无效运算（0 除以 0）：Un 不能为 0。";
        case Failure::Overflow:
            return L"计算 " + step + L" 时结果超出了可以表示的数值范围。\n请检查输入的数量级。";
    }
    return L"计算 " + step + L" 时出错。";
}

std::wstring DescribeFatal(const char* what) {
    return L"程序遇到无法恢复的错误，即将退出。\n\n" + ToUtf16(what ? what : "unknown error");
}

}  // namespace tarquel
