#include "text.h"

namespace tarquel {

std::wstring ToUtf16(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring utf16(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), utf16.data(), size);
    return utf16;
}

std::string ToUtf8(std::wstring_view utf16) {
    if (utf16.empty()) return {};
    // A lone surrogate becomes U+FFFD, which no number contains: it is refused, not misread.
    const int size = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), utf8.data(), size,
                        nullptr, nullptr);
    return utf8;
}

std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)), L'\0');
    if (!text.empty()) {
        const int copied = GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()) + 1);
        text.resize(static_cast<std::size_t>(copied));
    }
    return text;
}

}  // namespace tarquel
