// DPI queries that use the per-monitor functions of Windows 10 where they exist
// and fall back to the system DPI on older Windows.
#pragma once

#include <windows.h>

namespace tarquel {

inline constexpr UINT kReferenceDpi = 96;
inline constexpr int kTwipsPerInch = 1440;

UINT DpiOf(HWND window);

// The system's message font (a small dialog font) at the given DPI.
LOGFONTW MessageFontFor(UINT dpi);

// A system metric (an icon's size, say) at the given DPI.
int SystemMetricFor(int index, UINT dpi);

// The outer size of a window whose client area is `client`, at the given DPI.
SIZE WindowSizeFor(SIZE client, DWORD style, DWORD exStyle, UINT dpi);

inline int TwipsToPixels(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch); }

}  // namespace tarquel
