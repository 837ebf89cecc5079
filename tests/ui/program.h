// Drives a running Tarquel.exe from outside, as a user and a screen reader see it:
// through its windows, messages, real key presses and the screen.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace driver {

using namespace std::chrono_literals;
constexpr auto kPatience = 15s;  // Wine is slow to start; nothing here should take this long

// Polls until the condition holds or the patience runs out.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds patience = kPatience);

std::wstring ClassOf(HWND window);
std::wstring WindowsPath(std::wstring path);  // Z:\... for a Unix path
std::wstring TextOf(HWND window);  // WM_GETTEXT: works across processes

struct MessageBoxSeen {
    HWND window = nullptr;
    std::wstring title;
    std::wstring text;
    std::vector<std::wstring> buttons;
    bool hasIcon = false;
};

// The clipboard's Unicode text, or nothing.
std::optional<std::wstring> ClipboardText();
void SetClipboardText(const std::wstring& text);

class Program {
public:
    // Starts the program and waits until its window is shown with the focus in a control.
    explicit Program(const std::wstring& exe);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    HWND form() const { return form_; }
    HWND operator[](const std::wstring& name) const;  // Command1, Text1..Text8, Label1..Label13
    std::wstring NameOf(HWND control) const;         // the other way round; a class name if not a control
    const std::vector<HWND>& childrenInZOrder() const { return children_; }

    void SetText(const std::wstring& name, const std::wstring& text) const;
    void SetInputs(const std::wstring& kx, const std::wstring& ps, const std::wstring& un,
                   const std::wstring& tanPhi) const;
    std::vector<std::wstring> Results() const;  // Pjs, Qjs, Sjs, Ijs
    std::vector<std::wstring> Inputs() const;   // Kx, Ps, Un, Tanφ

    void Click(const std::wstring& name) const;  // posted BM_CLICK: a sent one would block on a message box
    void ClickWithMouse(HWND control) const;     // a real mouse click at the control's centre
    void RightClickWithMouse(POINT screen) const;
    void MoveMouse(POINT screen) const;
    void Press(WORD key, bool shift = false) const;  // a real key press through the program's queue
    void Type(const std::wstring& text) const;

    HWND Focus() const;
    // Waits for the program to have handled everything sent to it so far.
    void Settle() const;

    std::optional<MessageBoxSeen> WaitForMessageBox(std::chrono::milliseconds patience = kPatience) const;
    std::optional<MessageBoxSeen> MessageBoxNow() const;
    void Dismiss(const MessageBoxSeen& box) const;  // presses its one button

    // A visible window of the program's with this class: "tooltips_class32", "#32768" (a menu).
    HWND PopupOfClass(const wchar_t* windowClass) const;

    bool Running() const;
    DWORD WaitForExit(std::chrono::milliseconds patience = kPatience) const;

    // Reads the screen under the form's client area (32-bit BGRA pixels, row by row).
    std::vector<RGBQUAD> CaptureClient(SIZE& size) const;

private:
    void BringToFront() const;

    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    DWORD threadId_ = 0;
    HWND form_ = nullptr;
    std::vector<HWND> children_;
    std::map<std::wstring, HWND> byName_;
};

}  // namespace driver
