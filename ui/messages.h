// The texts the program shows in its message boxes.
#pragma once

#include <string>

#include "calculate_load.h"

namespace tarquel {

inline constexpr const wchar_t* kAppTitle = L"Tarquel";
inline constexpr const wchar_t* kIncompleteMessage = L"数据输入不完整";

// What went wrong, in Chinese, naming the quantity by its symbol.
std::wstring DescribeError(const CalculationError& error);

// The report of a failure the program cannot recover from.
std::wstring DescribeFatal(const char* what);

}  // namespace tarquel
