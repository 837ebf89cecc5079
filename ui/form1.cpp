#include "form1.h"

#include <windowsx.h>

#include <exception>
#include <utility>

#include <commctrl.h>

#include "calculate_load.h"
#include "clipboard.h"
#include "dpi.h"
#include "messages.h"
#include "text.h"
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
constexpr Field kResults[] = {Field::Pjs, Field::Qjs, Field::Sjs, Field::Ijs};
constexpr UINT kCopyOne = 1, kCopyAll = 2;  // context menu commands

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

ControlClass ClassFor(const ControlSpec& entry) {
    switch (entry.role) {
        case Role::Caption: return {L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0};
        case Role::Input: return {L"EDIT", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
        case Role::Result: return {L"EDIT", ES_LEFT | ES_AUTOHSCROLL | WS_DISABLED, WS_EX_CLIENTEDGE};
        case Role::Calculate: return {L"BUTTON", BS_PUSHBUTTON | BS_NOTIFY | WS_TABSTOP, 0};  // NOTIFY: focus news
    }
    return {L"STATIC", 0, 0};
}

// Whether every caption's text fits its rectangle in this font.
bool CaptionsFit(HDC dc, HFONT font, UINT dpi) {
    const SelectedObject selected(dc, font);
    for (const ControlSpec& entry : kControls) {
        if (entry.role != Role::Caption) continue;
        SIZE size{};
        GetTextExtentPoint32W(dc, entry.text, lstrlenW(entry.text), &size);
        if (size.cx > TwipsToPixels(entry.width, dpi) || size.cy > TwipsToPixels(entry.height, dpi)) return false;
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
    ShowWindow(window_, show);  // the first paint follows at once, from the message loop
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
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_MOUSEMOVE:
            OnFirstMouseMove(wParam, lParam);
            return 0;
        case WM_CONTEXTMENU:
            OnContextMenu({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
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
        const ControlSpec& entry = kControls[i];
        const ControlClass cls = ClassFor(entry);
        const RECT rect = PixelRect(entry);
        controls_[i] = CreateWindowExW(cls.exStyle, cls.name, entry.text, WS_CHILD | WS_VISIBLE | cls.style,
                                       rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                                       window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i)),
                                       instance_, nullptr);
        if (!controls_[i]) return false;
        SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        if (entry.role == Role::Input || entry.role == Role::Result) {
            boxes_[static_cast<std::size_t>(entry.field)] = controls_[i];
        }
    }
    const SIZE size = WindowSizeFor({TwipsToPixels(kClientWidth, dpi_), TwipsToPixels(kClientHeight, dpi_)},
                                    kStyle, kExStyle, dpi_);
    SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

// The tooltip is made when the mouse first comes over the form, not at start:
// a window fewer to make before the user can type. After that it watches the
// form's mouse messages itself.
void Form1::OnFirstMouseMove(WPARAM wParam, LPARAM lParam) {
    if (tipsTried_) return;
    tipsTried_ = true;
    CreateResultTips();
    if (!tips_) return;
    MSG message{window_, WM_MOUSEMOVE, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    GetCursorPos(&message.pt);
    SendMessageW(tips_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
}

// A result box shows six characters or so of a text of up to twenty, and being
// disabled it cannot be scrolled. Resting the mouse on it shows the whole text.
// Disabled boxes get no mouse input, so the tips are areas of the form itself.
void Form1::CreateResultTips() {
    tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                            instance_, nullptr);
    if (!tips_) return;  // the program works without them
    for (const Field field : kResults) {
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = window_;
        tool.uId = static_cast<UINT_PTR>(field);
        tool.lpszText = LPSTR_TEXTCALLBACKW;
        SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    PlaceResultTips();
}

void Form1::PlaceResultTips() {
    if (!tips_) return;
    SendMessageW(tips_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    SendMessageW(tips_, TTM_SETMAXTIPWIDTH, 0, TwipsToPixels(kClientWidth, dpi_));
    for (const Field field : kResults) {
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = window_;
        tool.uId = static_cast<UINT_PTR>(field);
        tool.rect = RectInClient(Box(field));
        SendMessageW(tips_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

// The tooltip asks for its text each time it is about to show: the box's text
// as it stands. An empty text shows no tooltip at all.
LRESULT Form1::OnNotify(const NMHDR& header) {
    if (header.hwndFrom != tips_ || header.code != TTN_GETDISPINFOW) return 0;
    auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
    tipText_ = WindowText(Box(static_cast<Field>(header.idFrom)));
    info.lpszText = tipText_.data();
    return 0;
}

const Field* Form1::ResultAt(POINT client) const {
    for (const Field& field : kResults) {
        const RECT rect = RectInClient(Box(field));
        if (PtInRect(&rect, client)) return &field;
    }
    return nullptr;
}

RECT Form1::RectInClient(HWND control) const {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, window_, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Right-click on a result or the background: copy that result, or the whole
// sheet as a spreadsheet row. (The input boxes keep their own edit menu.)
void Form1::OnContextMenu(POINT screen) {
    POINT client = screen;
    if (screen.x == -1 && screen.y == -1) {  // from the keyboard: open it at the focused control
        RECT rect{};
        GetWindowRect(GetFocus() ? GetFocus() : window_, &rect);
        screen = {rect.left, rect.bottom};
        client = {-1, -1};
    } else {
        ScreenToClient(window_, &client);
    }
    const Field* result = ResultAt(client);
    std::array<std::wstring, kFieldCount> texts;
    bool anyResult = false;
    for (const Field field : kAllFields) {
        texts[static_cast<std::size_t>(field)] = WindowText(Box(field));
        anyResult = anyResult || (field >= Field::Pjs && !texts[static_cast<std::size_t>(field)].empty());
    }

    const UniqueMenu menu(CreatePopupMenu());
    if (!menu) return;
    if (result) {
        const std::wstring label = L"复制 " + ToUtf16(Symbol(*result));
        const bool empty = texts[static_cast<std::size_t>(*result)].empty();
        AppendMenuW(menu.get(), MF_STRING | (empty ? MF_GRAYED : 0), kCopyOne, label.c_str());
    }
    AppendMenuW(menu.get(), MF_STRING | (anyResult ? 0 : MF_GRAYED), kCopyAll, L"复制全部");
    const UINT command = static_cast<UINT>(TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                                          screen.x, screen.y, 0, window_, nullptr));
    if (command == kCopyOne && result) {
        CopyToClipboard(window_, texts[static_cast<std::size_t>(*result)]);
    } else if (command == kCopyAll) {
        CopyToClipboard(window_, AsSpreadsheetRows(texts));
    }
}

RECT Form1::PixelRect(const ControlSpec& entry) const {
    return {TwipsToPixels(entry.left, dpi_), TwipsToPixels(entry.top, dpi_), TwipsToPixels(entry.left + entry.width, dpi_),
            TwipsToPixels(entry.top + entry.height, dpi_)};
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
    UniqueFont font = CaptionFont(window_, dpi_);
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        const RECT rect = PixelRect(kControls[i]);
        MoveWindow(controls_[i], rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, FALSE);
        SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    }
    font_ = std::move(font);  // the old font goes only once no control uses it
    PlaceResultTips();
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
// from dialog navigation: there is no default button, so Enter in an input box
// does nothing, but Enter on the focused button presses it, as Space does.
void Form1::OnCommand(int id, UINT code) {
    if (id == IDOK) {
        const HWND focus = GetFocus();
        const ControlSpec* entry = SpecOf(focus);
        if (entry && entry->role == Role::Calculate) Calculate();
        return;
    }
    const int index = id - kFirstControlId;
    if (index < 0 || index >= static_cast<int>(kControls.size())) return;
    const std::size_t i = static_cast<std::size_t>(index);
    if (code == EN_SETFOCUS || (code == BN_SETFOCUS && kControls[i].role == Role::Calculate)) {
        lastFocus_ = controls_[i];
    } else if (kControls[i].role == Role::Calculate && code == BN_CLICKED) {
        Calculate();
    }
}

// Captions draw pale yellow straight on the black window. Disabled and
// read-only boxes send this message too; they keep the system's look.
LRESULT Form1::OnCtlColorStatic(HDC dc, HWND control) {
    const ControlSpec* entry = SpecOf(control);
    if (!entry || entry->role != Role::Caption) {
        return DefWindowProcW(window_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                              reinterpret_cast<LPARAM>(control));
    }
    SetTextColor(dc, kCaptionColour);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH));
}

// As in a dialog: the focus comes back to the control that last had it, after
// a message box as after switching programs. (The controls report each focus
// they take, so the record is right even when the window loses the focus first.)
void Form1::OnActivate(UINT state) {
    if (state != WA_INACTIVE) SetFocus(lastFocus_ ? lastFocus_ : Box(Field::Kx));
}

void Form1::FocusBox(HWND box) {
    SetFocus(box);
    SendMessageW(box, EM_SETSEL, 0, -1);
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
