#include "form1.h"

#include <windowsx.h>

#include <exception>
#include <utility>

#include "calculate_load.h"
#include "dpi.h"
#include "messages.h"
#include "window_sheet.h"

namespace tarquel {

namespace {

constexpr const wchar_t* kClassName = L"TarquelForm1";
constexpr const wchar_t* kCaption = L"Lastrion";
constexpr COLORREF kCaptionColour = RGB(255, 255, 192);
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;  // the layout is fixed
constexpr DWORD kExStyle = 0;
constexpr int kFatalExitCode = 3;
constexpr int kIconGroup = 1;

// Ends the program after a failure it cannot recover from; the report names it.
[[noreturn]] void ExitAfterFatal(HWND owner, const char* what) {
    MessageBoxW(owner, DescribeFatal(what).c_str(), kAppTitle, MB_OK | MB_ICONERROR | MB_TASKMODAL);
    ExitProcess(kFatalExitCode);
}

struct ControlClass {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle;
};

ControlClass ClassFor(const ControlSpec& spec) {
    switch (spec.role) {
        case Role::Caption: return {L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0};
        case Role::Input: return {L"EDIT", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
        case Role::Result: return {L"EDIT", ES_LEFT | ES_AUTOHSCROLL | WS_DISABLED, WS_EX_CLIENTEDGE};
        case Role::Calculate: return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
    }
    return {L"STATIC", 0, 0};
}

// Whether every caption's text fits its rectangle in this font.
bool CaptionsFit(HDC dc, HFONT font, UINT dpi) {
    const SelectedObject selected(dc, font);
    for (const ControlSpec& spec : kControls) {
        if (spec.role != Role::Caption) continue;
        SIZE size{};
        GetTextExtentPoint32W(dc, spec.text, lstrlenW(spec.text), &size);
        if (size.cx > TwipsToPixels(spec.width, dpi) || size.cy > TwipsToPixels(spec.height, dpi)) return false;
    }
    return true;
}

// The system's message font at this DPI, made smaller where needed until every
// caption fits its fixed rectangle.
UniqueFont CaptionFont(HWND window, UINT dpi) {
    LOGFONTW font = MessageFontFor(dpi);
    if (font.lfHeight == 0) font.lfHeight = -MulDiv(12, static_cast<int>(dpi), kReferenceDpi);
    const int smallest = MulDiv(8, static_cast<int>(dpi), kReferenceDpi);
    const WindowDC dc(window);
    for (;;) {
        UniqueFont candidate(CreateFontIndirectW(&font));
        const int height = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
        if (!candidate || height <= smallest || CaptionsFit(dc.get(), candidate.get(), dpi)) return candidate;
        font.lfHeight += font.lfHeight < 0 ? 1 : -1;
    }
}

}  // namespace

HWND Form1::Create(int show) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance_;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kClassName;
    windowClass.hIcon = static_cast<HICON>(
        LoadImageW(instance_, MAKEINTRESOURCEW(kIconGroup), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    if (!RegisterClassExW(&windowClass)) return nullptr;

    // The size follows in OnCreate, once the window's DPI is known.
    if (!CreateWindowExW(kExStyle, kClassName, kCaption, kStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr,
                         nullptr, instance_, this)) {
        return nullptr;
    }
    ShowWindow(window_, show);
    UpdateWindow(window_);
    FocusBox(Box(Field::Kx));
    return window_;
}

LRESULT CALLBACK Form1::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Form1*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Form1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    // No exception may unwind through user32's frames: what the window cannot
    // handle ends the program here, after saying so.
    try {
        return self->Handle(message, wParam, lParam);
    } catch (const std::exception& failure) {
        ExitAfterFatal(window, failure.what());
    } catch (...) {
        ExitAfterFatal(window, nullptr);
    }
}

LRESULT Form1::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate() ? 0 : -1;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_CTLCOLORSTATIC:
            return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam));
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

// Creates the 22 controls from the table, in focus order, at their places for
// the window's DPI, and sizes the window around them.
bool Form1::OnCreate() {
    dpi_ = DpiOf(window_);
    LoadIcons();
    font_ = CaptionFont(window_, dpi_);
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        const ControlSpec& spec = kControls[i];
        const ControlClass cls = ClassFor(spec);
        const RECT rect = PixelRect(spec);
        controls_[i] = CreateWindowExW(cls.exStyle, cls.name, spec.text, WS_CHILD | WS_VISIBLE | cls.style,
                                       rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                                       window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i)),
                                       instance_, nullptr);
        if (!controls_[i]) return false;
        SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        if (spec.role == Role::Input || spec.role == Role::Result) {
            boxes_[static_cast<std::size_t>(spec.field)] = controls_[i];
        }
    }
    const SIZE size = WindowSizeFor({TwipsToPixels(kClientWidth, dpi_), TwipsToPixels(kClientHeight, dpi_)},
                                    kStyle, kExStyle, dpi_);
    SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

RECT Form1::PixelRect(const ControlSpec& spec) const {
    return {TwipsToPixels(spec.left, dpi_), TwipsToPixels(spec.top, dpi_), TwipsToPixels(spec.left + spec.width, dpi_),
            TwipsToPixels(spec.top + spec.height, dpi_)};
}

// The caption bar and the taskbar show the icon at sizes that grow with the DPI.
void Form1::LoadIcons() {
    auto load = [&](int width, int height) {
        return UniqueIcon(static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(kIconGroup), IMAGE_ICON,
                                                        SystemMetricFor(width, dpi_),
                                                        SystemMetricFor(height, dpi_), 0)));
    };
    UniqueIcon big = load(SM_CXICON, SM_CYICON), small = load(SM_CXSMICON, SM_CYSMICON);
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    bigIcon_ = std::move(big);  // the old icons go only once the window no longer shows them
    smallIcon_ = std::move(small);
}

// Positions every control and gives it the font again, at a new DPI.
void Form1::LayOut() {
    LoadIcons();
    font_ = CaptionFont(window_, dpi_);
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        const RECT rect = PixelRect(kControls[i]);
        MoveWindow(controls_[i], rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, FALSE);
        SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    }
    InvalidateRect(window_, nullptr, TRUE);
}

// The window moved to a monitor of another DPI: same layout, new scale.
void Form1::OnDpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    const SIZE size = WindowSizeFor({TwipsToPixels(kClientWidth, dpi_), TwipsToPixels(kClientHeight, dpi_)},
                                    kStyle, kExStyle, dpi_);
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    LayOut();
}

// Only Command1 does anything. Enter and Esc reach here as IDOK and IDCANCEL
// from dialog navigation, and are ignored: there is no default button.
void Form1::OnCommand(int id, UINT code) {
    const int index = id - kFirstControlId;
    if (index < 0 || index >= static_cast<int>(kControls.size())) return;
    if (kControls[static_cast<std::size_t>(index)].role == Role::Calculate && code == BN_CLICKED) Calculate();
}

// Captions draw pale yellow straight on the black window. Disabled and
// read-only boxes send this message too; they keep the system's look.
LRESULT Form1::OnCtlColorStatic(HDC dc, HWND control) {
    const ControlSpec* spec = SpecOf(control);
    if (!spec || spec->role != Role::Caption) {
        return DefWindowProcW(window_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                              reinterpret_cast<LPARAM>(control));
    }
    SetTextColor(dc, kCaptionColour);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH));
}

// As in a dialog: the focus leaves with the window and comes back to the same
// control, after a message box as after switching programs.
void Form1::OnActivate(UINT state) {
    if (state == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus && GetParent(focus) == window_) lastFocus_ = focus;
    } else {
        SetFocus(lastFocus_ ? lastFocus_ : Box(Field::Kx));
    }
}

void Form1::FocusBox(HWND box) {
    SetFocus(box);
    SendMessageW(box, EM_SETSEL, 0, -1);
    lastFocus_ = box;
}

void Form1::Calculate() {
    WindowSheet sheet(boxes_);
    try {
        if (CalculateLoad(sheet) == Outcome::Incomplete) {
            MessageBoxW(window_, kIncompleteMessage, kAppTitle, MB_OK);
        }
    } catch (const CalculationError& error) {
        // The failing step's result and every later one are emptied, so that no
        // value from an earlier click stands beside this click's results.
        constexpr Field kResults[] = {Field::Pjs, Field::Qjs, Field::Sjs, Field::Ijs};
        bool clearing = false;
        for (const Field result : kResults) {
            clearing = clearing || result == error.step();
            if (clearing) sheet.Write(result, "");
        }
        MessageBoxW(window_, DescribeError(error).c_str(), kAppTitle, MB_OK | MB_ICONERROR);
        if (dynamic_cast<const NotANumber*>(&error)) FocusBox(Box(error.quantity()));
    }
}

const ControlSpec* Form1::SpecOf(HWND control) const {
    for (std::size_t i = 0; i < kControls.size(); ++i)
        if (controls_[i] == control) return &kControls[i];
    return nullptr;
}

}  // namespace tarquel
