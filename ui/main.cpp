// Tarquel: the load calculation of a group of electrical equipment by the
// demand-coefficient method, in one small window.
#include <windows.h>
#include <commctrl.h>

#include "form1.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    // The interface is Chinese whatever the language of Windows, and so are the
    // system's own texts in it (the message boxes' 确定). Numbers do not depend on it.
    constexpr LANGID kChinese = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
    SetThreadUILanguage(kChinese);
    SetThreadLocale(MAKELCID(kChinese, SORT_DEFAULT));

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    tarquel::Form1 form(instance);
    const HWND window = form.Create(show);
    if (!window) return 1;

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(window, &message)) {  // Tab, Shift+Tab and Space on the button
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}
