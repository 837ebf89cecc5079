// Tarquel.exe in a real window under Wine, driven from outside through its own
// message loop. The program is started afresh for every test.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "expected_form.h"
#include "program.h"

namespace driver {

std::wstring g_exe;  // the program under test, from the command line


namespace {

int ExpectedDpi() {
    const char* dpi = std::getenv("TARQUEL_DPI");
    return dpi ? std::atoi(dpi) : 96;
}

int Pixels(int twips) { return MulDiv(twips, ExpectedDpi(), 1440); }

RECT RectInClient(HWND form, HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, form, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

using Texts = std::vector<std::wstring>;

// What the form's client area shows on the screen.
class Screen {
public:
    explicit Screen(const Program& program) : pixels_(program.CaptureClient(size_)) {}
    RGBQUAD At(int x, int y) const { return pixels_[static_cast<std::size_t>(y * size_.cx + x)]; }
    bool Is(int x, int y, int r, int g, int b) const {
        const RGBQUAD p = At(x, y);
        return p.rgbRed == r && p.rgbGreen == g && p.rgbBlue == b;
    }
    // The bounding box of everything not black within the rectangle (empty if none).
    RECT InkWithin(const RECT& area) const {
        RECT ink{area.right, area.bottom, area.left, area.top};
        for (int y = std::max<LONG>(area.top, 0); y < std::min<LONG>(area.bottom, size_.cy); ++y)
            for (int x = std::max<LONG>(area.left, 0); x < std::min<LONG>(area.right, size_.cx); ++x)
                if (!Is(x, y, 0, 0, 0)) {
                    ink.left = std::min<LONG>(ink.left, x);
                    ink.top = std::min<LONG>(ink.top, y);
                    ink.right = std::max<LONG>(ink.right, x + 1);
                    ink.bottom = std::max<LONG>(ink.bottom, y + 1);
                }
        return ink;
    }

private:
    SIZE size_{};
    std::vector<RGBQUAD> pixels_;
};

// A caption's rectangle as far as it is its own: some captions reach a few
// pixels under the box they name, or into the rectangle of the caption below.
RECT CaptionArea(const ExpectedControl& caption) {
    RECT area = {Pixels(caption.left), Pixels(caption.top), Pixels(caption.left + caption.width),
                 Pixels(caption.top + caption.height)};
    for (const ExpectedControl& other : kExpectedControls) {
        if (std::wstring(other.name) == caption.name) continue;
        const RECT rect = {Pixels(other.left), Pixels(other.top), Pixels(other.left + other.width),
                           Pixels(other.top + other.height)};
        RECT overlap{};
        if (!IntersectRect(&overlap, &area, &rect)) continue;
        if (rect.left > area.left) area.right = std::min(area.right, rect.left);
        else if (rect.top > area.top) area.bottom = std::min(area.bottom, rect.top);
    }
    return area;
}

class Window : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(program.form()) << "no window titled Lastrion appeared";
        ASSERT_EQ(program.childrenInZOrder().size(), 22u);
    }

    // Runs a calculation that fills all four results, as an earlier click would.
    void CalculateSomething() {
        program.SetInputs(L"1", L"2", L"3", L"4");
        program.Click(L"Command1");
        ASSERT_TRUE(WaitUntil([&] { return program.Results()[3] == L"1587.03064881357"; }))
            << "results: " << testing::PrintToString(program.Results());
    }

    Program program{g_exe};
};

TEST_F(Window, MatchesTheControlTableAtThisDpi) {
    const HWND form = program.form();
    EXPECT_EQ(TextOf(form), L"Lastrion");
    RECT client{};
    GetClientRect(form, &client);
    EXPECT_EQ(client.right, Pixels(kClientWidthTwips));
    EXPECT_EQ(client.bottom, Pixels(kClientHeightTwips));
    EXPECT_EQ(GetMenu(form), nullptr);

    for (const ExpectedControl& expected : kExpectedControls) {
        SCOPED_TRACE(testing::Message() << "control " << std::string(expected.name, expected.name + wcslen(expected.name)));
        const HWND control = program[expected.name];
        ASSERT_TRUE(control);
        EXPECT_EQ(_wcsicmp(ClassOf(control).c_str(), expected.windowClass), 0);
        const RECT rect = RectInClient(form, control);
        EXPECT_EQ(rect.left, Pixels(expected.left));
        EXPECT_EQ(rect.top, Pixels(expected.top));
        EXPECT_EQ(rect.right - rect.left, Pixels(expected.width));
        EXPECT_EQ(rect.bottom - rect.top, Pixels(expected.height));
        EXPECT_EQ(TextOf(control), expected.text);
        EXPECT_EQ(IsWindowEnabled(control) != FALSE, expected.enabled);
        const LONG style = GetWindowLongW(control, GWL_STYLE);
        const bool takesFocus = expected.enabled && std::wstring(expected.windowClass) != L"Static";
        EXPECT_EQ((style & WS_TABSTOP) != 0, takesFocus);
        if (std::wstring(expected.windowClass) == L"Button") {
            EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON) << "Command1 must not be a default button";
        }
        if (std::wstring(expected.windowClass) == L"Static") {
            EXPECT_TRUE(style & SS_NOPREFIX) << "captions have no access keys";
        }
        if (std::wstring(expected.windowClass) == L"Edit") {
            EXPECT_FALSE(style & ES_MULTILINE);
            EXPECT_FALSE(style & ES_READONLY) << "result boxes are disabled, not read-only";
        }
    }
}

// The font is the program's own (Wine answers no font across processes), so the
// screen is the judge: each caption is drawn again with room to spare, below the
// form, and must show exactly the ink it shows in its own rectangle. A clipped
// caption, or one running under its box, would show more.
TEST_F(Window, EveryCaptionIsDrawnWholeAndLegible) {
    const HWND form = program.form();
    RECT client{};
    GetClientRect(form, &client);
    RECT outer{};
    GetWindowRect(form, &outer);
    SetWindowPos(form, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top + Pixels(600),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    program.Settle();
    const Screen laidOut(program);

    for (const ExpectedControl& expected : kExpectedControls) {
        if (std::wstring(expected.windowClass) != L"Static") continue;
        SCOPED_TRACE(testing::PrintToString(std::wstring(expected.name)));
        const RECT area = CaptionArea(expected);
        const RECT ink = laidOut.InkWithin(area);
        ASSERT_LT(ink.left, ink.right) << "nothing drawn";

        // Below the form's own area, with room to the right for whatever a clip would hide.
        const HWND caption = program[expected.name];
        const int width = Pixels(expected.width + 1500), height = Pixels(expected.height);
        const RECT roomy = {0, client.bottom + Pixels(120), width, client.bottom + Pixels(120) + height};
        SetWindowPos(caption, nullptr, roomy.left, roomy.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        const RECT free = Screen(program).InkWithin(roomy);
        SetWindowPos(caption, nullptr, Pixels(expected.left), Pixels(expected.top), Pixels(expected.width), height,
                     SWP_NOZORDER | SWP_NOACTIVATE);

        EXPECT_EQ(ink.right - area.left, free.right - roomy.left) << "the text does not fit its rectangle";
        EXPECT_EQ(ink.left - area.left, free.left - roomy.left);
    }

    const RECT label1 = laidOut.InkWithin({Pixels(120), Pixels(120), Pixels(2295), Pixels(360)});
    std::printf("  ink height of Label1: %ld px at %d dpi\n", label1.bottom - label1.top, ExpectedDpi());
    EXPECT_GE(label1.bottom - label1.top, MulDiv(9, ExpectedDpi(), 96)) << "shrunk past legibility";
}

TEST_F(Window, StartsEmptyWithTheCaretInKx) {
    EXPECT_EQ(program.Inputs(), Texts(4));
    EXPECT_EQ(program.Results(), Texts(4));
    EXPECT_EQ(program.Focus(), program[L"Text4"]);
}

TEST_F(Window, TabCyclesThroughTheInputsAndTheButton) {
    const std::vector<std::wstring> forward = {L"Text5", L"Text6", L"Text7", L"Command1", L"Text4"};
    for (const std::wstring& next : forward) {
        program.Press(VK_TAB);
        EXPECT_EQ(program.Focus(), program[next]) << "Tab should reach " << testing::PrintToString(next);
    }
    const std::vector<std::wstring> backward = {L"Command1", L"Text7", L"Text6", L"Text5", L"Text4"};
    for (const std::wstring& next : backward) {
        program.Press(VK_TAB, true);
        EXPECT_EQ(program.Focus(), program[next]) << "Shift+Tab should reach " << testing::PrintToString(next);
    }
}

TEST_F(Window, EnterAndEscInAnInputDoNothing) {
    program.SetInputs(L"0.8", L"100", L"380", L"0.75");
    for (const std::wstring box : {L"Text4", L"Text7"}) {
        program.ClickWithMouse(program[box]);
        ASSERT_TRUE(WaitUntil([&] { return program.Focus() == program[box]; }));
        program.Press(VK_RETURN);
        program.Press(VK_ESCAPE);
        EXPECT_FALSE(program.MessageBoxNow());
        EXPECT_EQ(program.Results(), Texts(4)) << "Enter must not calculate";
        EXPECT_TRUE(program.Running()) << "Esc must not close the window";
        EXPECT_EQ(program.Focus(), program[box]);
    }
    EXPECT_EQ(program.Inputs(), (Texts{L"0.8", L"100", L"380", L"0.75"}));

    // On the button itself, Enter presses it like Space; Esc still does nothing.
    program.Press(VK_TAB);
    ASSERT_EQ(program.NameOf(program.Focus()), L"Command1");
    program.Press(VK_ESCAPE);
    EXPECT_EQ(program.Results(), Texts(4));
    program.Press(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return program.Results()[3] == L"151.938738300717"; }));
}

TEST_F(Window, TypedInputIsCalculatedByEachWayOfPressingTheButton) {
    // Keys typed into the boxes, then Tab to the button and Space.
    program.Type(L"0.8");
    program.Press(VK_TAB);
    program.Type(L"100");
    program.Press(VK_TAB);
    program.Type(L"380");
    program.Press(VK_TAB);
    program.Type(L"0.75");
    program.Press(VK_TAB);
    ASSERT_EQ(program.Focus(), program[L"Command1"]);
    program.Press(VK_SPACE);
    const Texts reference = {L"80", L"60", L"100", L"151.938738300717"};
    EXPECT_TRUE(WaitUntil([&] { return program.Results() == reference; }))
        << testing::PrintToString(program.Results());
    EXPECT_EQ(program.Inputs(), (Texts{L"0.8", L"100", L"380", L"0.75"}));

    // A real mouse click after changing an input.
    program.SetText(L"Text7", L"0");
    program.ClickWithMouse(program[L"Command1"]);
    EXPECT_TRUE(WaitUntil([&] { return program.Results()[1] == L"0"; }))
        << testing::PrintToString(program.Results());
    EXPECT_EQ(program.Results(), (Texts{L"80", L"0", L"80", L"121.550990640574"}));
    EXPECT_FALSE(program.MessageBoxNow());
}

TEST_F(Window, IncompleteInputShowsTheMessageAndChangesNothing) {
    CalculateSomething();
    const Texts before = program.Results();
    program.SetText(L"Text5", L"");
    // Focus the button by keyboard and press it with Space: the focus must stay there.
    program.ClickWithMouse(program[L"Text7"]);
    program.Press(VK_TAB);
    ASSERT_EQ(program.Focus(), program[L"Command1"]);
    program.Press(VK_SPACE);
    const auto box = program.WaitForMessageBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->title, L"Tarquel");
    EXPECT_EQ(box->text, L"数据输入不完整");
    EXPECT_EQ(box->buttons, Texts{L"确定"});
    EXPECT_FALSE(box->hasIcon);
    EXPECT_EQ(GetWindow(box->window, GW_OWNER), program.form());
    EXPECT_FALSE(IsWindowEnabled(program.form())) << "the message box is modal";
    program.Dismiss(*box);
    EXPECT_EQ(program.Results(), before);
    EXPECT_EQ(program.Inputs(), (Texts{L"1", L"", L"3", L"4"}));
    EXPECT_EQ(program.Focus(), program[L"Command1"]);
}

struct ErrorCase {
    const wchar_t* kx;
    const wchar_t* ps;
    const wchar_t* un;
    const wchar_t* tanPhi;
    const wchar_t* messagePart;  // what the message must name
    Texts results;               // after the message; the failing step's box and later ones empty
    const wchar_t* focus;        // the box that gets the focus, or null when it stays on the button
};

class WindowErrors : public Window, public testing::WithParamInterface<ErrorCase> {};

TEST_P(WindowErrors, ReportTheFaultAndKeepTheProgramRunning) {
    const ErrorCase& c = GetParam();
    CalculateSomething();
    program.SetInputs(c.kx, c.ps, c.un, c.tanPhi);
    program.ClickWithMouse(program[L"Command1"]);
    const auto box = program.WaitForMessageBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->title, L"Tarquel");
    EXPECT_NE(box->text.find(c.messagePart), std::wstring::npos) << testing::PrintToString(box->text);
    EXPECT_TRUE(box->hasIcon) << "an error shows the error icon";
    EXPECT_EQ(program.Results(), c.results) << "the results are shown behind the message";
    program.Dismiss(*box);

    EXPECT_TRUE(program.Running());
    EXPECT_EQ(program.Results(), c.results);
    EXPECT_EQ(program.Inputs(), (Texts{c.kx, c.ps, c.un, c.tanPhi}));
    const HWND expectedFocus = program[c.focus ? c.focus : L"Command1"];
    EXPECT_EQ(program.Focus(), expectedFocus);
    if (c.focus) {
        DWORD start = 0, end = 0;
        SendMessageW(expectedFocus, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, wcslen(TextOf(expectedFocus).c_str())) << "the wrong text is selected, ready to retype";
    }
    // Still working: a good calculation goes through.
    program.SetInputs(L"0.8", L"100", L"380", L"0.75");
    program.Click(L"Command1");
    EXPECT_TRUE(WaitUntil([&] { return program.Results()[3] == L"151.938738300717"; }));
}

INSTANTIATE_TEST_SUITE_P(
    Table, WindowErrors,
    testing::Values(
        ErrorCase{L"0.8", L"100", L"x", L"0.75", L"Un 不是有效的数字", {L"80", L"60", L"100", L""}, L"Text6"},
        ErrorCase{L"0.8", L"1,5", L"380", L"0.75", L"Ps 不是有效的数字", {L"", L"", L"", L""}, L"Text5"},
        ErrorCase{L" ", L"100", L"380", L"0.75", L"Kx 不是有效的数字", {L"", L"", L"", L""}, L"Text4"},
        ErrorCase{L"0.8", L"100", L"380", L"abc", L"Tan\u03C6 不是有效的数字", {L"80", L"", L"", L""}, L"Text7"},
        ErrorCase{L"0.8", L"100", L"0", L"0.75", L"除数为零", {L"80", L"60", L"100", L""}, nullptr},
        ErrorCase{L"0", L"100", L"0", L"0.75", L"无效运算", {L"0", L"0", L"0", L""}, nullptr},
        ErrorCase{L"1e200", L"1e200", L"380", L"0.75", L"计算 Pjs 时结果超出", {L"", L"", L"", L""}, nullptr},
        ErrorCase{L"1", L"1e200", L"380", L"1", L"计算 Sjs 时结果超出", {L"1E+200", L"1E+200", L"", L""}, nullptr}));

TEST_F(Window, ResultBoxesTakeNoCaretAndNoTyping) {
    CalculateSomething();
    program.ClickWithMouse(program[L"Text4"]);
    program.ClickWithMouse(program[L"Text1"]);
    EXPECT_EQ(program.NameOf(program.Focus()), L"Text4") << "a click on a result box must not take the focus";
    program.Type(L"9");
    EXPECT_EQ(program.Results()[0], L"2");
    EXPECT_EQ(program.Inputs()[0], L"19");
}

TEST_F(Window, EachCaptionStandsJustBeforeItsBoxForScreenReaders) {
    const std::vector<std::pair<const wchar_t*, const wchar_t*>> pairs = {
        {L"Text4", L"Kx="}, {L"Text5", L"Ps="}, {L"Text6", L"Un="}, {L"Text7", L"Tan\u03C6="},
        {L"Text1", L"Pjs="}, {L"Text2", L"Qjs="}, {L"Text3", L"Sjs="}, {L"Text8", L"Ijs="}};
    for (const auto& [box, caption] : pairs) {
        const HWND before = GetWindow(program[box], GW_HWNDPREV);
        EXPECT_EQ(_wcsicmp(ClassOf(before).c_str(), L"Static"), 0);
        EXPECT_EQ(TextOf(before), caption);
    }
    // Where the platform's accessibility layer answers, it names the box by that caption.
    IAccessible* accessible = nullptr;
    if (SUCCEEDED(AccessibleObjectFromWindow(program[L"Text4"], static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                             reinterpret_cast<void**>(&accessible))) &&
        accessible) {
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR name = nullptr;
        if (SUCCEEDED(accessible->get_accName(self, &name)) && name) {
            EXPECT_EQ(std::wstring(name), L"Kx=");
            SysFreeString(name);
        }
        accessible->Release();
    }
}

TEST_F(Window, LooksBlackWithPaleYellowCaptions) {
    CalculateSomething();
    const Screen screen(program);

    // Open background between the formulas and the button, and below the results.
    EXPECT_TRUE(screen.Is(Pixels(3500), Pixels(300), 0, 0, 0));
    EXPECT_TRUE(screen.Is(Pixels(2700), Pixels(2000), 0, 0, 0));

    // Each caption: pale yellow text, smoothed into black at its edges, and no other colour.
    for (const ExpectedControl& expected : kExpectedControls) {
        if (std::wstring(expected.windowClass) != L"Static") continue;
        SCOPED_TRACE(testing::PrintToString(std::wstring(expected.name)));
        int brightest = 0, offColour = 0, black = 0;
        const RECT area = CaptionArea(expected);
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                const RGBQUAD p = screen.At(x, y);
                if (p.rgbRed == 0 && p.rgbGreen == 0 && p.rgbBlue == 0) { ++black; continue; }
                brightest = std::max<int>(brightest, p.rgbRed);
                // a blend of (255, 255, 192) with black keeps red = green and blue at 3/4 of red
                if (std::abs(p.rgbRed - p.rgbGreen) > 10 || std::abs(p.rgbBlue - p.rgbRed * 192 / 255) > 16) ++offColour;
            }
        }
        EXPECT_GE(brightest, 200);
        EXPECT_EQ(offColour, 0);
        EXPECT_GT(black, 0) << "a caption's background is the black window";
    }

    // The result boxes keep the system's disabled look: neither black nor yellow inside.
    const RECT result = RectInClient(program.form(), program[L"Text3"]);
    const COLORREF face = GetSysColor(COLOR_BTNFACE), window = GetSysColor(COLOR_WINDOW);
    const int x = result.right - 4, y = result.bottom - 4;
    EXPECT_TRUE(screen.Is(x, y, GetRValue(face), GetGValue(face), GetBValue(face)) ||
                screen.Is(x, y, GetRValue(window), GetGValue(window), GetBValue(window)));
}

// The pixels an icon draws, on black, at its own size.
std::vector<RGBQUAD> Draw(HICON icon, SIZE& size) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return {};
    BITMAP bitmap{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    size = {bitmap.bmWidth, info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2};
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    BITMAPINFO format{};
    format.bmiHeader = {sizeof format.bmiHeader, size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP target = CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(dc, target);
    DrawIconEx(dc, 0, 0, icon, size.cx, size.cy, 0, nullptr, DI_NORMAL);
    GdiFlush();
    std::vector<RGBQUAD> pixels(static_cast<RGBQUAD*>(bits), static_cast<RGBQUAD*>(bits) + size.cx * size.cy);
    SelectObject(dc, previous);
    DeleteObject(target);
    DeleteDC(dc);
    return pixels;
}

bool SamePixels(const std::vector<RGBQUAD>& a, const std::vector<RGBQUAD>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const RGBQUAD& p, const RGBQUAD& q) {
        return p.rgbRed == q.rgbRed && p.rgbGreen == q.rgbGreen && p.rgbBlue == q.rgbBlue;
    });
}

TEST_F(Window, ShowsTheApplicationIconInTheCaptionAndTaskbar) {
    const HMODULE exe = LoadLibraryExW(WindowsPath(g_exe).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(exe);
    for (const WPARAM which : {ICON_BIG, ICON_SMALL}) {
        SCOPED_TRACE(which == ICON_BIG ? "big icon" : "small icon");
        const HICON shown = reinterpret_cast<HICON>(SendMessageW(program.form(), WM_GETICON, which, 0));
        // Wine answers no icon across processes; tools/check-window-icon.sh reads it from X11 there.
        if (!shown) GTEST_SKIP() << "WM_GETICON answers nothing across processes on this platform";
        SIZE size{};
        const std::vector<RGBQUAD> pixels = Draw(shown, size);
        ASSERT_FALSE(pixels.empty()) << "the icon cannot be read across processes here";
        const int wanted = GetSystemMetrics(which == ICON_BIG ? SM_CXICON : SM_CXSMICON);
        EXPECT_EQ(size.cx, wanted);
        const HICON resource = static_cast<HICON>(LoadImageW(exe, MAKEINTRESOURCEW(1), IMAGE_ICON, size.cx, size.cy, 0));
        ASSERT_TRUE(resource);
        SIZE resourceSize{};
        EXPECT_TRUE(SamePixels(Draw(resource, resourceSize), pixels)) << "not the application icon";
        DestroyIcon(resource);
    }
    FreeLibrary(exe);
}

POINT CentreOnScreen(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

TEST_F(Window, RestingOnAResultShowsItWhole) {
    program.SetInputs(L"1", L"123456789012345678", L"380", L"0.75");
    program.Click(L"Command1");
    ASSERT_TRUE(WaitUntil([&] { return program.Results()[0] == L"1.23456789012346E+17"; }));
    program.ClickWithMouse(program[L"Text6"]);  // the caret sits in Un, as while typing

    program.MoveMouse(CentreOnScreen(program[L"Text1"]));
    HWND tip = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (tip = program.PopupOfClass(L"tooltips_class32")) != nullptr; }, 5s))
        << "no tooltip over a result";
    EXPECT_EQ(TextOf(tip), L"1.23456789012346E+17");
    EXPECT_EQ(program.Focus(), program[L"Text6"]);

    // Over the next result, the tooltip follows with that text.
    program.MoveMouse(CentreOnScreen(program[L"Text8"]));
    EXPECT_TRUE(WaitUntil([&] {
        const HWND shown = program.PopupOfClass(L"tooltips_class32");
        return shown && TextOf(shown) == program.Results()[3];
    }, 5s)) << "the tooltip did not follow to Ijs";

    // Over an empty result, none.
    program.SetText(L"Text3", L"");
    program.MoveMouse(CentreOnScreen(program[L"Text3"]));
    std::this_thread::sleep_for(1500ms);
    EXPECT_EQ(program.PopupOfClass(L"tooltips_class32"), nullptr);
}

// Wine keeps a menu's items to the process that made it, so the menu is read the
// way a user reads it: by its size, and by what each entry does when chosen.
class WindowMenu : public Window {
protected:
    // Right-clicks at the point and returns the menu's height, or 0 if none opened.
    int OpenMenuAt(POINT screen) {
        program.RightClickWithMouse(screen);
        HWND menu = nullptr;
        if (!WaitUntil([&] { return (menu = program.PopupOfClass(L"#32768")) != nullptr; }, 5s)) return 0;
        RECT rect{};
        GetWindowRect(menu, &rect);
        return rect.bottom - rect.top;
    }
    // Right-clicks, moves down to the entry (0 is the first) and presses Enter;
    // then closes whatever is still open. Returns what the clipboard holds.
    std::wstring Choose(POINT screen, int entry) {
        SetClipboardText(L"unchanged");
        if (!OpenMenuAt(screen)) return L"(no menu)";
        for (int i = 0; i <= entry; ++i) program.Press(VK_DOWN);
        program.Press(VK_RETURN);
        if (program.PopupOfClass(L"#32768")) program.Press(VK_ESCAPE);  // a greyed entry leaves it open
        WaitUntil([&] { return !program.PopupOfClass(L"#32768"); }, 5s);
        program.Settle();
        return ClipboardText().value_or(L"(none)");
    }
    POINT Background() const {
        POINT at{Pixels(3000), Pixels(2000)};
        ClientToScreen(program.form(), &at);
        return at;
    }
};

TEST_F(WindowMenu, CopiesOneResultOrTheWholeSheet) {
    CalculateSomething();
    program.ClickWithMouse(program[L"Text5"]);
    const std::wstring all =
        L"Kx\tPs\tUn\tTan\u03C6\tPjs\tQjs\tSjs\tIjs\r\n1\t2\t3\t4\t2\t8\t8.24621125123532\t1587.03064881357\r\n";

    EXPECT_EQ(Choose(CentreOnScreen(program[L"Text1"]), 0), L"2");
    EXPECT_EQ(Choose(CentreOnScreen(program[L"Text3"]), 0), L"8.24621125123532");
    EXPECT_EQ(Choose(CentreOnScreen(program[L"Text8"]), 0), L"1587.03064881357");
    EXPECT_EQ(Choose(CentreOnScreen(program[L"Text2"]), 1), all);
    EXPECT_EQ(Choose(Background(), 0), all) << "on the background the one entry is 复制全部";
    EXPECT_EQ(program.Focus(), program[L"Text5"]) << "the menu must not move the focus";
    for (const wchar_t* result : {L"Text1", L"Text2", L"Text3", L"Text8"}) EXPECT_FALSE(IsWindowEnabled(program[result]));

    // Over a result the menu has one entry more than over the background.
    const int overResult = OpenMenuAt(CentreOnScreen(program[L"Text1"]));
    program.Press(VK_ESCAPE);
    WaitUntil([&] { return !program.PopupOfClass(L"#32768"); }, 5s);
    const int overBackground = OpenMenuAt(Background());
    program.Press(VK_ESCAPE);
    EXPECT_GT(overResult, overBackground);
    EXPECT_GT(overBackground, 0);

    // The input boxes keep the system's own edit menu, which is longer than this one.
    const int overInput = OpenMenuAt(CentreOnScreen(program[L"Text6"]));
    program.Press(VK_ESCAPE);
    WaitUntil([&] { return !program.PopupOfClass(L"#32768"); }, 5s);
    EXPECT_GT(overInput, overResult) << "an input box shows its own edit menu";
    program.ClickWithMouse(program[L"Text5"]);

    // Escape copies nothing.
    SetClipboardText(L"unchanged");
    ASSERT_GT(OpenMenuAt(CentreOnScreen(program[L"Text1"])), 0);
    program.Press(VK_ESCAPE);
    program.Settle();
    EXPECT_EQ(ClipboardText(), std::optional<std::wstring>(L"unchanged"));
}

TEST_F(WindowMenu, EmptyResultsAreGreyedOut) {
    program.ClickWithMouse(program[L"Text4"]);
    EXPECT_EQ(Choose(CentreOnScreen(program[L"Text2"]), 0), L"unchanged");
    EXPECT_EQ(Choose(CentreOnScreen(program[L"Text2"]), 1), L"unchanged");
    EXPECT_EQ(Choose(Background(), 0), L"unchanged");

    // Once only Ijs is empty: the others copy, Ijs does not, and the sheet still does.
    CalculateSomething();
    program.ClickWithMouse(program[L"Text4"]);
    program.SetText(L"Text8", L"");
    EXPECT_EQ(Choose(CentreOnScreen(program[L"Text8"]), 0), L"unchanged");
    EXPECT_EQ(Choose(CentreOnScreen(program[L"Text1"]), 0), L"2");
    EXPECT_NE(Choose(Background(), 0).find(L"8.24621125123532\t\r\n"), std::wstring::npos);
    EXPECT_EQ(program.NameOf(program.Focus()), L"Text4");
}

TEST_F(Window, ClosingEndsTheProgramAtOnceWhateverTheBoxesHold) {
    CalculateSomething();
    program.SetText(L"Text6", L"half typed");
    PostMessageW(program.form(), WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
    EXPECT_FALSE(program.MessageBoxNow());
}

TEST_F(Window, SecondCopyIsIndependent) {
    Program second(g_exe);
    ASSERT_TRUE(second.form());
    EXPECT_NE(second.form(), program.form());
    program.SetInputs(L"0.8", L"100", L"380", L"0.75");
    program.Click(L"Command1");
    EXPECT_TRUE(WaitUntil([&] { return program.Results()[0] == L"80"; }));
    EXPECT_EQ(second.Results(), Texts(4));
}

}  // namespace
}  // namespace driver

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: window_tests PATH-TO-Tarquel.exe\n");
        return 2;
    }
    SetProcessDPIAware();
    const std::string exe = argv[1];
    driver::g_exe.assign(exe.begin(), exe.end());
    return RUN_ALL_TESTS();
}
