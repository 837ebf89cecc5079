// Putting the results on the clipboard.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <string_view>

#include "load_sheet.h"

namespace tarquel {

// Replaces the clipboard's content with this text (CF_UNICODETEXT). False if the
// clipboard could not be had, for example because another program holds it.
bool CopyToClipboard(HWND owner, std::wstring_view text);

// Two tab-separated lines, the symbols and then the texts, in the order of
// Field: pasted into a spreadsheet they fill one row under headings.
// Tabs and line breaks inside a text become spaces, so the row stays one row.
std::wstring AsSpreadsheetRows(const std::array<std::wstring, kFieldCount>& texts);

}  // namespace tarquel
