// Form1's 22 controls as data: one loop creates them, one lays them out.
#pragma once

#include <array>
#include <cstddef>

#include "load_sheet.h"

namespace tarquel {

enum class ControlKind { Caption, TextBox, Button };

enum class Role {
    Caption,    // a formula, the legend or the name of a box
    Input,      // a box the user types into
    Result,     // a disabled box the calculation writes
    Calculate,  // the button that runs the calculation
};

struct ControlSpec {
    const wchar_t* name;
    ControlKind kind;
    int left, top, width, height;  // twips from the client area's top-left corner
    int tab;                       // place in the focus order
    const wchar_t* text;
    Role role;
    Field field;  // the quantity of a box; Field::Kx and unused for the others
};

// In focus order, which is also the order of creation and so of the z-order:
// each caption comes just before the box it names, which is how screen readers
// find a box's name.
inline constexpr std::array<ControlSpec, 22> kControls = {{
    {L"Label1", ControlKind::Caption, 120, 120, 2175, 255, 0, L"有功计算负荷Pjs=KxPs", Role::Caption, Field::Kx},
    {L"Label2", ControlKind::Caption, 120, 360, 2175, 375, 1, L"无功计算负荷Qjs=PjsTanφ", Role::Caption, Field::Kx},
    {L"Label3", ControlKind::Caption, 120, 600, 3135, 375, 2, L"视在计算负荷Sjs=Sqr（Pjs^2+Qjs^2）", Role::Caption, Field::Kx},
    {L"Label4", ControlKind::Caption, 120, 840, 2295, 255, 3, L"计算电流Ijs=Sjs/1.732/Un", Role::Caption, Field::Kx},
    {L"Label5", ControlKind::Caption, 120, 2400, 375, 255, 4, L"Pjs=", Role::Caption, Field::Kx},
    {L"Text1", ControlKind::TextBox, 600, 2280, 615, 375, 5, L"", Role::Result, Field::Pjs},
    {L"Label6", ControlKind::Caption, 1320, 2400, 495, 255, 6, L"Qjs=", Role::Caption, Field::Kx},
    {L"Text2", ControlKind::TextBox, 1800, 2280, 615, 375, 7, L"", Role::Result, Field::Qjs},
    {L"Label7", ControlKind::Caption, 2640, 2400, 495, 255, 8, L"Sjs=", Role::Caption, Field::Kx},
    {L"Text3", ControlKind::TextBox, 3120, 2280, 615, 375, 9, L"", Role::Result, Field::Sjs},
    {L"Label8", ControlKind::Caption, 3960, 2400, 375, 255, 10, L"Ijs=", Role::Caption, Field::Kx},
    {L"Text8", ControlKind::TextBox, 4320, 2280, 615, 375, 11, L"", Role::Result, Field::Ijs},
    {L"Label9", ControlKind::Caption, 120, 1560, 255, 255, 12, L"Kx=", Role::Caption, Field::Kx},
    {L"Text4", ControlKind::TextBox, 480, 1440, 615, 375, 13, L"", Role::Input, Field::Kx},
    {L"Label10", ControlKind::Caption, 1200, 1560, 375, 255, 14, L"Ps=", Role::Caption, Field::Kx},
    {L"Text5", ControlKind::TextBox, 1560, 1440, 615, 375, 15, L"", Role::Input, Field::Ps},
    {L"Label11", ControlKind::Caption, 2520, 1560, 375, 255, 16, L"Un=", Role::Caption, Field::Kx},
    {L"Text6", ControlKind::TextBox, 2880, 1440, 615, 375, 17, L"", Role::Input, Field::Un},
    {L"Label12", ControlKind::Caption, 3720, 1560, 615, 255, 18, L"Tanφ=", Role::Caption, Field::Kx},
    {L"Text7", ControlKind::TextBox, 4320, 1440, 615, 375, 19, L"", Role::Input, Field::TanPhi},
    {L"Command1", ControlKind::Button, 4320, 240, 615, 495, 20, L"计算", Role::Calculate, Field::Kx},
    {L"Label13", ControlKind::Caption, 120, 1080, 3615, 255, 21, L"Ps用电设备的总容量 Tanφ功率因数正切值", Role::Caption, Field::Kx},
}};

inline constexpr bool InFocusOrder() {
    for (std::size_t i = 0; i < kControls.size(); ++i)
        if (kControls[i].tab != static_cast<int>(i)) return false;
    return true;
}
static_assert(InFocusOrder(), "the table's order is the focus order");

// Form1's client area, in twips.
inline constexpr int kClientWidth = 5445;
inline constexpr int kClientHeight = 2790;

// Control ids: the table index plus this base, clear of IDOK and IDCANCEL, which
// dialog navigation sends for Enter and Esc.
inline constexpr int kFirstControlId = 100;

}  // namespace tarquel
