// UTF-8 (the calculation's texts) to and from UTF-16 (the window's texts).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tarquel {

std::wstring ToUtf16(std::string_view utf8);
std::string ToUtf8(std::wstring_view utf16);

// The whole text of a window or control.
std::wstring WindowText(HWND window);

}  // namespace tarquel
