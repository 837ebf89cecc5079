#include "clipboard.h"

#include <cstring>

#include "text.h"

namespace tarquel {

namespace {

// The clipboard for one scope.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    ~OpenedClipboard() { if (open_) CloseClipboard(); }
    bool open() const { return open_; }

private:
    bool open_;
};

// Global memory that is freed unless the clipboard takes it over.
class GlobalText {
public:
    explicit GlobalText(std::wstring_view text)
        : memory_(GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t))) {
        if (!memory_) return;
        auto* target = static_cast<wchar_t*>(GlobalLock(memory_));
        std::memcpy(target, text.data(), text.size() * sizeof(wchar_t));
        target[text.size()] = L'\0';
        GlobalUnlock(memory_);
    }
    GlobalText(const GlobalText&) = delete;
    GlobalText& operator=(const GlobalText&) = delete;
    ~GlobalText() { if (memory_) GlobalFree(memory_); }
    HGLOBAL get() const { return memory_; }
    void release() { memory_ = nullptr; }

private:
    HGLOBAL memory_;
};

}  // namespace

bool CopyToClipboard(HWND owner, std::wstring_view text) {
    GlobalText memory(text);
    if (!memory.get()) return false;
    const OpenedClipboard clipboard(owner);
    if (!clipboard.open() || !EmptyClipboard() || !SetClipboardData(CF_UNICODETEXT, memory.get())) return false;
    memory.release();  // the clipboard owns it now
    return true;
}

std::wstring AsSpreadsheetRows(const std::array<std::wstring, kFieldCount>& texts) {
    std::wstring rows;
    for (const Field field : kAllFields) {
        if (field != kAllFields.front()) rows += L'\t';
        rows += ToUtf16(Symbol(field));
    }
    rows += L"\r\n";
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i) rows += L'\t';
        for (const wchar_t c : texts[i]) rows += (c == L'\t' || c == L'\r' || c == L'\n') ? L' ' : c;
    }
    rows += L"\r\n";
    return rows;
}

}  // namespace tarquel
