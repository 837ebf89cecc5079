// What Form1 must be, written out independently of the program's own table.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

namespace driver {

struct ExpectedControl {
    const wchar_t* name;
    const wchar_t* windowClass;
    int left, top, width, height;  // twips
    int tab;
    bool enabled;
    const wchar_t* text;
};

// In the order the form stores them.
inline const std::vector<ExpectedControl> kExpectedControls = {
    {L"Command1", L"Button", 4320, 240, 615, 495, 20, true, L"计算"},
    {L"Text7", L"Edit", 4320, 1440, 615, 375, 19, true, L""},
    {L"Text6", L"Edit", 2880, 1440, 615, 375, 17, true, L""},
    {L"Text5", L"Edit", 1560, 1440, 615, 375, 15, true, L""},
    {L"Text4", L"Edit", 480, 1440, 615, 375, 13, true, L""},
    {L"Text8", L"Edit", 4320, 2280, 615, 375, 11, false, L""},
    {L"Text3", L"Edit", 3120, 2280, 615, 375, 9, false, L""},
    {L"Text2", L"Edit", 1800, 2280, 615, 375, 7, false, L""},
    {L"Text1", L"Edit", 600, 2280, 615, 375, 5, false, L""},
    {L"Label13", L"Static", 120, 1080, 3615, 255, 21, true, L"Ps用电设备的总容量 Tan\u03C6功率因数正切值"},
    {L"Label12", L"Static", 3720, 1560, 615, 255, 18, true, L"Tan\u03C6="},
    {L"Label11", L"Static", 2520, 1560, 375, 255, 16, true, L"Un="},
    {L"Label10", L"Static", 1200, 1560, 375, 255, 14, true, L"Ps="},
    {L"Label9", L"Static", 120, 1560, 255, 255, 12, true, L"Kx="},
    {L"Label8", L"Static", 3960, 2400, 375, 255, 10, true, L"Ijs="},
    {L"Label7", L"Static", 2640, 2400, 495, 255, 8, true, L"Sjs="},
    {L"Label6", L"Static", 1320, 2400, 495, 255, 6, true, L"Qjs="},
    {L"Label5", L"Static", 120, 2400, 375, 255, 4, true, L"Pjs="},
    {L"Label4", L"Static", 120, 840, 2295, 255, 3, true, L"计算电流Ijs=Sjs/1.732/Un"},
    {L"Label3", L"Static", 120, 600, 3135, 375, 2, true, L"视在计算负荷Sjs=Sqr（Pjs^2+Qjs^2）"},
    {L"Label2", L"Static", 120, 360, 2175, 375, 1, true, L"无功计算负荷Qjs=PjsTan\u03C6"},
    {L"Label1", L"Static", 120, 120, 2175, 255, 0, true, L"有功计算负荷Pjs=KxPs"},
};

inline std::vector<ExpectedControl> InFocusOrder() {
    std::vector<ExpectedControl> sorted = kExpectedControls;
    std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return a.tab < b.tab; });
    return sorted;
}

constexpr int kClientWidthTwips = 5445;
constexpr int kClientHeightTwips = 2790;

}  // namespace driver
