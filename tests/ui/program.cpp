#include "program.h"

#include <cstring>
#include <thread>

#include "expected_form.h"

namespace driver {

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds patience) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(10ms);
    }
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring TextOf(HWND window) {
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                        5000, &copied);
    text.resize(copied);
    return text;
}

namespace {

struct Search {
    DWORD processId;
    const wchar_t* windowClass;
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM data) {
    auto& s = *reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != s.processId || !IsWindowVisible(window)) return TRUE;
    if (s.windowClass && ClassOf(window) != s.windowClass) return TRUE;
    if (s.title && TextOf(window) != s.title) return TRUE;
    s.found = window;
    return FALSE;
}

HWND FindTopLevel(DWORD processId, const wchar_t* windowClass, const wchar_t* title) {
    Search search{processId, windowClass, title, nullptr};
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

std::wstring WindowsPath(std::wstring path) {
    if (!path.empty() && path[0] == L'/') {  // a Unix path handed over by Wine's command line
        for (wchar_t& c : path) if (c == L'/') c = L'\\';
        path = L"Z:" + path;
    }
    return path;
}

Program::Program(const std::wstring& exe) {
    std::wstring commandLine = L"\"" + WindowsPath(exe) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info)) {
        return;
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
    WaitUntil([&] { return (form_ = FindTopLevel(processId_, nullptr, L"Lastrion")) != nullptr; });
    if (!form_) return;
    threadId_ = GetWindowThreadProcessId(form_, nullptr);
    WaitUntil([&] { return Focus() != nullptr; });
    for (HWND child = GetWindow(form_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        children_.push_back(child);
    }
    const std::vector<ExpectedControl> expected = InFocusOrder();
    for (std::size_t i = 0; i < children_.size() && i < expected.size(); ++i) byName_[expected[i].name] = children_[i];
}

Program::~Program() {
    if (!process_) return;
    if (Running()) {
        if (const auto box = MessageBoxNow()) Dismiss(*box);
        PostMessageW(form_, WM_CLOSE, 0, 0);
        if (WaitForExit(5s) == STILL_ACTIVE) TerminateProcess(process_, 1);
    }
    CloseHandle(process_);
}

HWND Program::operator[](const std::wstring& name) const {
    const auto found = byName_.find(name);
    return found == byName_.end() ? nullptr : found->second;
}

std::wstring Program::NameOf(HWND control) const {
    for (const auto& [name, window] : byName_)
        if (window == control) return name;
    return control ? L"(" + ClassOf(control) + L")" : L"(nothing)";
}

void Program::SetText(const std::wstring& name, const std::wstring& text) const {
    SendMessageW((*this)[name], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Program::SetInputs(const std::wstring& kx, const std::wstring& ps, const std::wstring& un,
                        const std::wstring& tanPhi) const {
    SetText(L"Text4", kx);
    SetText(L"Text5", ps);
    SetText(L"Text6", un);
    SetText(L"Text7", tanPhi);
}

std::vector<std::wstring> Program::Results() const {
    return {TextOf((*this)[L"Text1"]), TextOf((*this)[L"Text2"]), TextOf((*this)[L"Text3"]),
            TextOf((*this)[L"Text8"])};
}

std::vector<std::wstring> Program::Inputs() const {
    return {TextOf((*this)[L"Text4"]), TextOf((*this)[L"Text5"]), TextOf((*this)[L"Text6"]),
            TextOf((*this)[L"Text7"])};
}

void Program::Click(const std::wstring& name) const { PostMessageW((*this)[name], BM_CLICK, 0, 0); }

void Program::BringToFront() const {
    SetForegroundWindow(form_);
    WaitUntil([&] { return GetForegroundWindow() == form_; }, 2s);
}

namespace {

void SendMouse(POINT screen, std::initializer_list<DWORD> buttons) {
    const int width = GetSystemMetrics(SM_CXSCREEN) - 1, height = GetSystemMetrics(SM_CYSCREEN) - 1;
    std::vector<INPUT> inputs;
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dx = MulDiv(screen.x, 65535, width);
    move.mi.dy = MulDiv(screen.y, 65535, height);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs.push_back(move);
    for (DWORD flag : buttons) {
        INPUT button = move;
        button.mi.dwFlags = flag | MOUSEEVENTF_ABSOLUTE;
        inputs.push_back(button);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

POINT CentreOf(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

}  // namespace

void Program::ClickWithMouse(HWND control) const {
    BringToFront();
    SendMouse(CentreOf(control), {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
    Settle();
}

void Program::RightClickWithMouse(POINT screen) const {
    BringToFront();
    SendMouse(screen, {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP});
    Settle();
}

void Program::MoveMouse(POINT screen) const { SendMouse(screen, {}); }

void Program::Press(WORD key, bool shift) const {
    if (!PopupOfClass(L"#32768")) BringToFront();  // an open menu has the keyboard; leave it be
    std::vector<INPUT> inputs;
    auto add = [&](WORD vk, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    if (shift) add(VK_SHIFT, false);
    add(key, false);
    add(key, true);
    if (shift) add(VK_SHIFT, true);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Settle();
}

void Program::Type(const std::wstring& text) const {
    BringToFront();
    for (wchar_t c : text) {
        INPUT inputs[2]{};
        for (int i = 0; i < 2; ++i) {
            inputs[i].type = INPUT_KEYBOARD;
            inputs[i].ki.wScan = c;
            inputs[i].ki.dwFlags = KEYEVENTF_UNICODE | (i ? KEYEVENTF_KEYUP : 0);
        }
        SendInput(2, inputs, sizeof(INPUT));
    }
    Settle();
}

HWND Program::Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!threadId_ || !GetGUIThreadInfo(threadId_, &info)) return nullptr;
    return info.hwndFocus;
}

void Program::Settle() const {
    // Input reaches the program's queue asynchronously; give it a moment, then
    // make sure its thread has come round to a sent message.
    std::this_thread::sleep_for(150ms);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(form_, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &ignored);
}

std::optional<MessageBoxSeen> Program::MessageBoxNow() const {
    const HWND box = FindTopLevel(processId_, L"#32770", nullptr);
    if (!box) return std::nullopt;
    MessageBoxSeen seen;
    seen.window = box;
    seen.title = TextOf(box);
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring cls = ClassOf(child);
        if (_wcsicmp(cls.c_str(), L"Button") == 0) {
            seen.buttons.push_back(TextOf(child));
        } else if (_wcsicmp(cls.c_str(), L"Static") == 0) {
            if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
                seen.hasIcon = seen.hasIcon || (IsWindowVisible(child) &&
                                                SendMessageW(child, STM_GETICON, 0, 0) != 0);
            } else {
                seen.text += TextOf(child);
            }
        }
    }
    return seen;
}

std::optional<MessageBoxSeen> Program::WaitForMessageBox(std::chrono::milliseconds patience) const {
    std::optional<MessageBoxSeen> seen;
    WaitUntil([&] { return (seen = MessageBoxNow()).has_value(); }, patience);
    return seen;
}

void Program::Dismiss(const MessageBoxSeen& box) const {
    for (HWND child = GetWindow(box.window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (_wcsicmp(ClassOf(child).c_str(), L"Button") == 0) {
            PostMessageW(child, BM_CLICK, 0, 0);
            break;
        }
    }
    WaitUntil([&] { return !IsWindow(box.window); });
    Settle();
}

HWND Program::PopupOfClass(const wchar_t* windowClass) const { return FindTopLevel(processId_, windowClass, nullptr); }

std::optional<std::wstring> ClipboardText() {
    std::optional<std::wstring> text;
    if (!OpenClipboard(nullptr)) return text;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void SetClipboardText(const std::wstring& text) {
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

bool Program::Running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

DWORD Program::WaitForExit(std::chrono::milliseconds patience) const {
    WaitForSingleObject(process_, static_cast<DWORD>(patience.count()));
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_, &code);
    return code;
}

std::vector<RGBQUAD> Program::CaptureClient(SIZE& size) const {
    RECT client{};
    GetClientRect(form_, &client);
    POINT origin{0, 0};
    ClientToScreen(form_, &origin);
    size = {client.right, client.bottom};
    RedrawWindow(form_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Settle();
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, size.cx, size.cy, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    std::vector<RGBQUAD> pixels(static_cast<const RGBQUAD*>(bits),
                                static_cast<const RGBQUAD*>(bits) + size.cx * size.cy);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

}  // namespace driver
